#pragma once
// What every printed page carries besides the map: the title above it and
// the footer below (the user's title and the page number above a rule, the
// notice line and the date below it). Fonts are Arial at the heights given.
#include <cstdint>
#include <string>

#include "platform/gdi/canvas.h"

namespace quelmar::printing {

// The fixed notice at the bottom left of every printed page.
inline constexpr const char* kPrintNotice = "Printed with the Quelmar map engine from public map data";

struct FooterRequest {
  std::int32_t Left = 0, Right = 0;  // the footer's band
  std::int32_t TextHeight = 0;       // pixels
  std::int32_t RuleY = 0;
  std::string TitleUser;             // bottom left, above the rule
  std::string CreatedAt;             // the date and time of the print
};

// The pages of one print run: the footer numbers them from 1.
class PageCounter {
 public:
  int Next() { return ++pages_; }
  int Pages() const { return pages_; }
  void Reset() { pages_ = 0; }

 private:
  int pages_ = 0;
};

// The title centred on `centreX`, its bottom at `bottomY`, black.
void DrawPrintTitle(gdi::Canvas& canvas, const std::string& title, std::int32_t centreX, std::int32_t bottomY,
                    std::int32_t textHeight);

// The footer; numbers the page with `pages`. The text is made smaller when
// the notice would not fit the band 1.3 times over.
void DrawFooter(gdi::Canvas& canvas, const FooterRequest& footer, PageCounter& pages);

// "12/11/2026 05:57:03 AM"-style local date and time of now.
std::string PrintTimestamp();

}  // namespace quelmar::printing

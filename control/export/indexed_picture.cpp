#include "control/export/indexed_picture.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_map>

namespace quelmar::image_export {
namespace {

struct ColorCount {
  gdi::COLORREF Color;
  std::uint32_t Count;
};

int Channel(gdi::COLORREF c, int channel) { return static_cast<int>((c >> (8 * channel)) & 0xFF); }

// One box of the median cut: a run of the histogram's entries.
struct Box {
  std::size_t Begin, End;
  int LongestChannel = 0;
  int Range = 0;  // of the longest channel
};

void Measure(Box& box, const std::vector<ColorCount>& colors) {
  std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
  for (std::size_t i = box.Begin; i < box.End; ++i) {
    for (int ch = 0; ch < 3; ++ch) {
      low[ch] = std::min(low[ch], Channel(colors[i].Color, ch));
      high[ch] = std::max(high[ch], Channel(colors[i].Color, ch));
    }
  }
  box.LongestChannel = 0;
  box.Range = -1;
  for (int ch = 0; ch < 3; ++ch) {
    if (high[ch] - low[ch] > box.Range) {
      box.Range = high[ch] - low[ch];
      box.LongestChannel = ch;
    }
  }
}

// Median cut: the box with the widest channel is split at the pixel-weighted
// median of that channel until there are 256 boxes or none can be split.
std::vector<gdi::COLORREF> MedianCutPalette(std::vector<ColorCount> colors) {
  std::vector<Box> boxes{{0, colors.size()}};
  Measure(boxes[0], colors);
  while (boxes.size() < kMaxPaletteColors) {
    auto widest =
        std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) { return a.Range < b.Range; });
    if (widest->Range <= 0 || widest->End - widest->Begin < 2) break;
    Box box = *widest;
    const int ch = box.LongestChannel;
    std::sort(colors.begin() + static_cast<std::ptrdiff_t>(box.Begin),
              colors.begin() + static_cast<std::ptrdiff_t>(box.End),
              [ch](const ColorCount& a, const ColorCount& b) { return Channel(a.Color, ch) < Channel(b.Color, ch); });
    std::uint64_t total = 0;
    for (std::size_t i = box.Begin; i < box.End; ++i) total += colors[i].Count;
    std::uint64_t seen = 0;
    std::size_t split = box.Begin + 1;
    for (std::size_t i = box.Begin; i < box.End - 1; ++i) {
      seen += colors[i].Count;
      split = i + 1;
      if (2 * seen >= total) break;
    }
    Box lower{box.Begin, split}, upper{split, box.End};
    Measure(lower, colors);
    Measure(upper, colors);
    *widest = lower;
    boxes.push_back(upper);
  }
  std::vector<gdi::COLORREF> palette;
  palette.reserve(boxes.size());
  for (const Box& box : boxes) {
    std::array<std::uint64_t, 3> sum{};
    std::uint64_t total = 0;
    for (std::size_t i = box.Begin; i < box.End; ++i) {
      for (int ch = 0; ch < 3; ++ch)
        sum[ch] += static_cast<std::uint64_t>(Channel(colors[i].Color, ch)) * colors[i].Count;
      total += colors[i].Count;
    }
    auto mean = [&](int ch) { return static_cast<std::uint8_t>((sum[ch] + total / 2) / total); };
    palette.push_back(gdi::RGB(mean(0), mean(1), mean(2)));
  }
  return palette;
}

std::uint8_t Nearest(gdi::COLORREF c, const std::vector<gdi::COLORREF>& palette) {
  int best = std::numeric_limits<int>::max();
  std::size_t bestIndex = 0;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int dr = Channel(c, 0) - Channel(palette[i], 0);
    const int dg = Channel(c, 1) - Channel(palette[i], 1);
    const int db = Channel(c, 2) - Channel(palette[i], 2);
    const int d = dr * dr + dg * dg + db * db;
    if (d < best) {
      best = d;
      bestIndex = i;
      if (d == 0) break;
    }
  }
  return static_cast<std::uint8_t>(bestIndex);
}

}  // namespace

IndexedPicture IndexPixels(int width, int height, const std::vector<gdi::COLORREF>& pixels) {
  IndexedPicture out;
  out.Width = width;
  out.Height = height;
  // The histogram; each colour's slot later holds its palette index.
  std::unordered_map<gdi::COLORREF, std::uint32_t> histogram;
  // Maps draw long runs of one colour: each run is counted at once.
  for (std::size_t i = 0; i < pixels.size();) {
    const gdi::COLORREF c = pixels[i] & 0xFFFFFF;
    std::size_t run = i + 1;
    while (run < pixels.size() && (pixels[run] & 0xFFFFFF) == c) ++run;
    histogram[c] += static_cast<std::uint32_t>(run - i);
    i = run;
  }
  std::vector<ColorCount> colors;
  colors.reserve(histogram.size());
  for (const auto& [color, count] : histogram) colors.push_back({color, count});
  // The same picture gives the same file: colours in a fixed order.
  std::sort(colors.begin(), colors.end(), [](const ColorCount& a, const ColorCount& b) { return a.Color < b.Color; });

  if (colors.empty()) {
    out.Palette = {gdi::RGB(0, 0, 0)};
  } else if (colors.size() <= kMaxPaletteColors) {
    for (const ColorCount& c : colors) out.Palette.push_back(c.Color);
  } else {
    out.Palette = MedianCutPalette(colors);
  }
  for (auto& [color, slot] : histogram) slot = Nearest(color, out.Palette);
  out.Indexes.reserve(pixels.size());
  gdi::COLORREF last = 0xFFFFFFFF;  // no colour: the top byte is masked off
  std::uint8_t lastIndex = 0;
  for (const gdi::COLORREF c : pixels) {
    if ((c & 0xFFFFFF) != last) {
      last = c & 0xFFFFFF;
      lastIndex = static_cast<std::uint8_t>(histogram.find(last)->second);
    }
    out.Indexes.push_back(lastIndex);
  }
  return out;
}

IndexedPicture IndexPicture(const gdi::Bitmap& picture) {
  const int width = picture.Width(), height = picture.Height();
  std::vector<gdi::COLORREF> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) picture.ReadRow(y, pixels.data() + static_cast<std::size_t>(y) * width);
  return IndexPixels(width, height, pixels);
}

}  // namespace quelmar::image_export

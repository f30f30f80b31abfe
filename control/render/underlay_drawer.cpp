#include "control/render/underlay_drawer.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "control/core/errors.h"
#include "control/data/data_path.h"
#include "control/render/bmp_header.h"
#include "control/render/bmp_rows.h"
#include "control/render/pcc_rows.h"
#include "control/render/relief_shading.h"
#include "control/render/sat_extent.h"
#include "control/render/underlay_bytes.h"
#include "control/render/underlay_palette.h"
#include "control/render/underlay_placement.h"
#include "control/render/underlay_sampler.h"
#include "control/render/underlay_styles.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/cairo_canvas.h"
#include "platform/kernel/beep.h"

namespace quelmar::render {
namespace {

// A picture larger than a screen bitmap may be is not drawn.
constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 26;
constexpr std::int32_t kMaxPictureSide = 32767;

// The 8-bit picture of the clipped screen rectangle; only the first
// DecodedRows rows hold image data when the sampling stopped early.
struct UnderlayPicture {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t DecodedRows = 0;
  std::vector<std::uint8_t> Pixels;
  std::uint8_t* Row(std::int32_t y) { return Pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width); }
};

std::optional<std::filesystem::path> ResolveImage(const std::string& file) {
  std::string path = file;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  const std::filesystem::path p(path);
  return data::ResolveDataFile(p.parent_path().string(), p.filename().string());
}

std::unique_ptr<UnderlayRowReader> MakeRowReader(UnderlayBytes& bytes, const BmpHeader& header, bool compressed) {
  if (compressed) return std::make_unique<PccRowReader>(bytes, header);
  return std::make_unique<BmpRowReader>(bytes, header);
}

// Samples the visible part of the image; a row that fails ends the picture.
void SamplePicture(UnderlayRowReader& rows, const UnderlayPlacement& placement, const UnderlayStyleOptions& options,
                   UnderlayPicture& picture, UnderlayState& state) {
  UnderlaySampler sampler(rows, placement);
  const bool shaded = options.Style == UndShadow;
  const std::optional<ReliefTable> relief = shaded ? std::optional<ReliefTable>(ReliefTable(options.Relief)) : std::nullopt;
  const auto width = static_cast<std::size_t>(picture.Width);
  for (std::int32_t y = 0; y < picture.Height; ++y) {
    UnderlaySampler::SampledRow row;
    try {
      row = sampler.Row(y);
    } catch (const Error& error) {
      kernel::Beep();
      state.LastProblem = error.what();
      return;
    }
    std::uint8_t* out = picture.Row(y);
    if (!row.NewImageRow && y > 0) {
      std::copy_n(picture.Row(y - 1), width, out);
    } else if (relief) {
      ShadeReliefRow(row.Samples, *relief, options.Smooth, std::span(out, width));
    } else {
      std::copy_n(row.Samples.begin(), width, out);
    }
    picture.DecodedRows = y + 1;
  }
}

void CopyToCanvas(gdi::Canvas& canvas, const gdi::Rect& mapRect, const UnderlayPlacement& placement,
                  UnderlayPicture& picture, const UnderlayColours& colours) {
  if (picture.DecodedRows == 0) return;
  gdi::Bitmap bitmap(picture.Width, picture.DecodedRows);
  for (std::int32_t y = 0; y < picture.DecodedRows; ++y) {
    const std::uint8_t* row = picture.Row(y);
    for (std::int32_t x = 0; x < picture.Width; ++x) bitmap.SetPixel(x, y, colours[row[x]]);
  }
  gdi::CairoCanvas source(bitmap);
  const int saved = canvas.SaveState();
  canvas.IntersectClipRect(mapRect);
  canvas.BitBlt(gdi::Rect{placement.Left, placement.Top, placement.Left + picture.Width,
                          placement.Top + picture.DecodedRows},
                source, {0, 0}, gdi::Rop3::SrcCopy);
  canvas.RestoreState(saved);
}

}  // namespace

bool IsRowCompressedName(const std::string& file) { return file.find(".PCC") != std::string::npos; }

void DrawUnderlayImage(gdi::Canvas& canvas, const gdi::Rect& mapRect, const core::ViewState& view,
                       const std::string& file, const UnderlayStyleOptions& options, UnderlayState& state) {
  state.LastProblem.clear();
  const std::optional<std::filesystem::path> path = ResolveImage(file);
  if (!path) {
    state.LastProblem = "underlay image \"" + file + "\" does not exist";
    return;
  }
  try {
    FileUnderlayBytes bytes(path->string());
    const BmpHeader header = ReadBmpHeader(bytes);
    const core::MapRect extent = ReadExtentFile(*path);
    const std::unique_ptr<UnderlayRowReader> rows = MakeRowReader(bytes, header, IsRowCompressedName(file));

    state.Width = header.Width;
    state.Height = header.Height;
    state.Colours = header.Colours;
    state.Extent = extent;
    state.RebuildPalette = true;
    state.Palette.reset();
    state.Drawn = true;

    const std::optional<UnderlayPlacement> placement =
        PlaceUnderlay(view.MapToPixel(extent.x1, extent.y1), view.MapToPixel(extent.x2, extent.y2), mapRect.Width(),
                      mapRect.Height(), header.Width, header.Height);
    if (!placement) return;
    if (placement->Width() > kMaxPictureSide || placement->Height() > kMaxPictureSide ||
        static_cast<std::int64_t>(placement->Width()) * placement->Height() > kMaxPicturePixels) {
      state.LastProblem = "underlay picture of " + std::to_string(placement->Width()) + " x " +
                          std::to_string(placement->Height()) + " pixels is too large to draw";
      return;
    }

    UnderlayPicture picture;
    picture.Width = placement->Width();
    picture.Height = placement->Height();
    picture.Pixels.resize(static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height));
    SamplePicture(*rows, *placement, options, picture, state);

    const UnderlayColours colours = StyledColours(options.Style, header.ColourTable);
    if (state.RebuildPalette) state.Palette = UnderlayLogicalPalette(colours);
    CopyToCanvas(canvas, mapRect, *placement, picture, colours);
    state.RebuildPalette = false;
  } catch (const Error& error) {
    state.LastProblem = error.what();
  }
}

void DrawUnderlayImages(gdi::Canvas& canvas, const gdi::Rect& mapRect, const core::ViewState& view,
                        const core::UnderlaySettings& settings, bool gridOn, UnderlayState& state) {
  if (!settings.Underlay()) return;
  const UnderlayStyleOptions options{settings.UnderlayStyle(), settings.ReliefValue(), !gridOn};
  for (const std::string& file : settings.ImageFiles()) DrawUnderlayImage(canvas, mapRect, view, file, options, state);
}

}  // namespace quelmar::render

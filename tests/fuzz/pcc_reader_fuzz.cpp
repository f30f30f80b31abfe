// libFuzzer target: any bytes as a row-compressed (".PCC") underlay image,
// read row by row, then sampled onto a small screen as the underlay drawing does.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "control/core/errors.h"
#include "control/render/bmp_header.h"
#include "control/render/pcc_rows.h"
#include "control/render/underlay_placement.h"
#include "control/render/underlay_sampler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quelmar::render;
  MemoryUnderlayBytes bytes(std::span(data, size));
  try {
    const BmpHeader header = ReadBmpHeader(bytes);
    PccRowReader rows(bytes, header);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(header.Width));
    for (std::int32_t r = 0; r < header.Height && r < 64; ++r) {
      try {
        rows.ReadRow(r, row);
      } catch (const quelmar::Error&) {
      }
    }
    const auto placement = PlaceUnderlay({3, 2}, {40, 30}, 64, 36, header.Width, header.Height);
    if (!placement) return 0;
    UnderlaySampler sampler(rows, *placement);
    for (std::int32_t y = 0; y < placement->Height(); ++y) (void)sampler.Row(y);
  } catch (const quelmar::Error&) {
    // Refused headers and rows that cannot be read end the drawing.
  }
  return 0;
}

#include "platform/gdi/pixel_ops.h"

#include <cstring>

namespace quelmar::gdi {
namespace {

constexpr std::uint32_t kColorBits = 0x00FFFFFFu;

std::uint32_t Keep(std::uint32_t dst, std::uint32_t color) { return (dst & ~kColorBits) | (color & kColorBits); }

}  // namespace

std::uint32_t ApplyRop2(Rop2 rop, std::uint32_t pen, std::uint32_t dst) {
  switch (rop) {
    case Rop2::CopyPen: return Keep(dst, pen);
    case Rop2::XorPen: return Keep(dst, dst ^ pen);
    case Rop2::Not: return Keep(dst, ~dst);
    case Rop2::MaskPen: return Keep(dst, dst & pen);
    case Rop2::MergePen: return Keep(dst, dst | pen);
    case Rop2::NotCopyPen: return Keep(dst, ~pen);
  }
  return dst;
}

bool Rop3UsesSource(Rop3 rop) {
  return rop == Rop3::SrcCopy || rop == Rop3::SrcPaint || rop == Rop3::SrcAnd || rop == Rop3::SrcInvert;
}

bool IsSupportedRop3(Rop3 rop) {
  return Rop3UsesSource(rop) || rop == Rop3::DstInvert || rop == Rop3::Blackness || rop == Rop3::Whiteness;
}

void BlendRow(Rop3 rop, const std::uint32_t* src, std::uint32_t* dst, int width) {
  switch (rop) {
    case Rop3::SrcCopy:
      std::memmove(dst, src, static_cast<std::size_t>(width) * sizeof(std::uint32_t));
      return;
    case Rop3::SrcPaint:
      for (int x = 0; x < width; ++x) dst[x] = Keep(dst[x], dst[x] | src[x]);
      return;
    case Rop3::SrcAnd:
      for (int x = 0; x < width; ++x) dst[x] = Keep(dst[x], dst[x] & src[x]);
      return;
    case Rop3::SrcInvert:
      for (int x = 0; x < width; ++x) dst[x] = Keep(dst[x], dst[x] ^ src[x]);
      return;
    case Rop3::DstInvert:
      for (int x = 0; x < width; ++x) dst[x] = Keep(dst[x], ~dst[x]);
      return;
    case Rop3::Blackness:
      for (int x = 0; x < width; ++x) dst[x] = Keep(dst[x], 0);
      return;
    case Rop3::Whiteness:
      for (int x = 0; x < width; ++x) dst[x] = Keep(dst[x], kColorBits);
      return;
  }
}

}  // namespace quelmar::gdi

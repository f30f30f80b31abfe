#include "platform/gdi/font_faces.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/gdi/font_resolver.h"

namespace quelmar::gdi {
namespace {

// A height of zero asks for the default size: a 12-pixel cell.
constexpr int kDefaultCellHeight = 12;

using FaceKey = std::tuple<std::string, int, bool, FaceUse>;  // face, weight, italic, use

std::mutex& CacheMutex() {
  static std::mutex mutex;
  return mutex;
}
std::map<FaceKey, ResolvedFace>& Cache() {
  static auto* cache = new std::map<FaceKey, ResolvedFace>();  // never freed: faces live for the process
  return *cache;
}

int NormalizedWeight(int weight) { return weight <= 0 ? 400 : std::min(weight, 1000); }

void ReplaceBool(FcPattern* pattern, const char* object, FcBool value) {
  FcPatternDel(pattern, object);
  FcPatternAddBool(pattern, object, value);
}
void ReplaceInteger(FcPattern* pattern, const char* object, int value) {
  FcPatternDel(pattern, object);
  FcPatternAddInteger(pattern, object, value);
}

// fontconfig's best match for the font, with our rendering choices written
// into the pattern (Cairo takes them from the pattern before its own options).
FcPattern* MatchPattern(const Font& font, FaceUse use) {
  FcPattern* request = FcPatternCreate();
  FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.face.c_str()));
  FcPatternAddInteger(request, FC_WEIGHT, FcWeightFromOpenType(NormalizedWeight(font.weight)));
  FcPatternAddInteger(request, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, request, FcMatchPattern);
  FcDefaultSubstitute(request);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, request, &result);
  FcPatternDestroy(request);
  if (match == nullptr) return nullptr;
  ReplaceBool(match, FC_ANTIALIAS, use == FaceUse::DrawAntialiased ? FcTrue : FcFalse);
  ReplaceBool(match, FC_HINTING, use == FaceUse::Layout ? FcFalse : FcTrue);
  ReplaceInteger(match, FC_HINT_STYLE, use == FaceUse::DrawAliased ? FC_HINT_FULL : FC_HINT_SLIGHT);
  ReplaceBool(match, FC_AUTOHINT, FcFalse);
  return match;
}

void MeasureCell(ResolvedFace& resolved) {
  constexpr double kProbeSize = 1000.0;
  cairo_matrix_t fontMatrix, ctm;
  cairo_matrix_init_scale(&fontMatrix, kProbeSize, kProbeSize);
  cairo_matrix_init_identity(&ctm);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_scaled_font_t* scaled = cairo_scaled_font_create(resolved.face, &fontMatrix, &ctm, options);
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(scaled, &extents);
  cairo_scaled_font_destroy(scaled);
  cairo_font_options_destroy(options);
  if (extents.ascent + extents.descent > 0.1 * kProbeSize) {
    resolved.ascentPerEm = extents.ascent / kProbeSize;
    resolved.descentPerEm = extents.descent / kProbeSize;
  }
}

ResolvedFace ResolveFace(const Font& font, FaceUse use) {
  ResolvedFace resolved;
  if (FcPattern* match = MatchPattern(font, use)) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) {
      resolved.family = reinterpret_cast<const char*>(family);
    }
    resolved.face = cairo_ft_font_face_create_for_pattern(match);
    FcPatternDestroy(match);
  }
  if (resolved.face == nullptr || cairo_font_face_status(resolved.face) != CAIRO_STATUS_SUCCESS) {
    // No fontconfig match at all: Cairo's own choice still draws something.
    if (resolved.face != nullptr) cairo_font_face_destroy(resolved.face);
    resolved.face = cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  }
  MeasureCell(resolved);
  return resolved;
}

}  // namespace

const ResolvedFace& FaceFor(const Font& font, FaceUse use) {
  const FaceKey key{font.face, NormalizedWeight(font.weight), font.italic, use};
  std::lock_guard lock(CacheMutex());
  auto& cache = Cache();
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, ResolveFace(font, use)).first;
  return it->second;
}

double EmSizeOf(const Font& font) {
  if (font.height < 0) return -static_cast<double>(font.height);
  const int cell = font.height == 0 ? kDefaultCellHeight : font.height;
  const ResolvedFace& face = FaceFor(font, FaceUse::Layout);
  return cell / (face.ascentPerEm + face.descentPerEm);
}

cairo_font_options_t* CreateFontOptions(FaceUse use) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options,
                                   use == FaceUse::DrawAntialiased ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(options, use == FaceUse::Layout        ? CAIRO_HINT_STYLE_NONE
                                             : use == FaceUse::DrawAliased ? CAIRO_HINT_STYLE_FULL
                                                                           : CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  return options;
}

std::string ResolveFontFamily(const Font& font) { return FaceFor(font, FaceUse::Layout).family; }

}  // namespace quelmar::gdi

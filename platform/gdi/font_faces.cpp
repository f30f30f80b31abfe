#include "platform/gdi/font_faces.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include "platform/gdi/font_resolver.h"

namespace quelmar::gdi {
namespace {

// A height of zero asks for the default size: a 12-pixel cell.
constexpr int kDefaultCellHeight = 12;

using FaceKey = std::tuple<std::string, int, bool, bool>;  // face, weight, italic, antialias

std::mutex& CacheMutex() {
  static std::mutex mutex;
  return mutex;
}
std::map<FaceKey, ResolvedFace>& Cache() {
  static auto* cache = new std::map<FaceKey, ResolvedFace>();  // never freed: faces live for the process
  return *cache;
}

int NormalizedWeight(int weight) { return weight <= 0 ? 400 : std::min(weight, 1000); }

// fontconfig's best match for the font, with our rendering choices written
// into the pattern (Cairo takes them from the pattern over its own options).
FcPattern* MatchPattern(const Font& font, bool antialias) {
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
  FcPatternDel(match, FC_ANTIALIAS);
  FcPatternAddBool(match, FC_ANTIALIAS, antialias ? FcTrue : FcFalse);
  FcPatternDel(match, FC_HINTING);
  FcPatternAddBool(match, FC_HINTING, FcFalse);
  return match;
}

double MeasureCellHeightPerEm(cairo_font_face_t* face) {
  constexpr double kProbeSize = 1000.0;
  cairo_matrix_t fontMatrix, ctm;
  cairo_matrix_init_scale(&fontMatrix, kProbeSize, kProbeSize);
  cairo_matrix_init_identity(&ctm);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_scaled_font_t* scaled = cairo_scaled_font_create(face, &fontMatrix, &ctm, options);
  cairo_font_extents_t extents;
  cairo_scaled_font_extents(scaled, &extents);
  cairo_scaled_font_destroy(scaled);
  cairo_font_options_destroy(options);
  const double cell = (extents.ascent + extents.descent) / kProbeSize;
  return cell > 0.1 ? cell : 1.0;
}

ResolvedFace ResolveFace(const Font& font, bool antialias) {
  ResolvedFace resolved;
  if (FcPattern* match = MatchPattern(font, antialias)) {
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
  resolved.cellHeightPerEm = MeasureCellHeightPerEm(resolved.face);
  return resolved;
}

}  // namespace

const ResolvedFace& FaceFor(const Font& font, bool antialias) {
  const FaceKey key{font.face, NormalizedWeight(font.weight), font.italic, antialias};
  std::lock_guard lock(CacheMutex());
  auto& cache = Cache();
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, ResolveFace(font, antialias)).first;
  return it->second;
}

double EmSizeOf(const Font& font) {
  if (font.height < 0) return -static_cast<double>(font.height);
  const int cell = font.height == 0 ? kDefaultCellHeight : font.height;
  return cell / FaceFor(font, false).cellHeightPerEm;
}

cairo_font_options_t* CreateTextFontOptions(bool antialias) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  return options;
}

cairo_scaled_font_t* CreateScaledFont(const Font& font, bool antialias) {
  const double em = EmSizeOf(font);
  cairo_matrix_t fontMatrix, ctm;
  cairo_matrix_init_scale(&fontMatrix, em, em);
  cairo_matrix_init_identity(&ctm);
  cairo_font_options_t* options = CreateTextFontOptions(antialias);
  cairo_scaled_font_t* scaled = cairo_scaled_font_create(FaceFor(font, antialias).face, &fontMatrix, &ctm, options);
  cairo_font_options_destroy(options);
  return scaled;
}

std::string ResolveFontFamily(const Font& font) { return FaceFor(font, false).family; }

}  // namespace quelmar::gdi

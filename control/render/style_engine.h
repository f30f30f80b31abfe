#pragma once
// StyleEngine: every colour, pen and fill the map is drawn with, and which
// layers are drawn at the current scale, for one control. The painter drives
// it through a paint:
//
//   styles.BeginPaint(view, setup);                 // once per paint
//   for each drawing, in paint order:
//     styles.PrepareDrawing(inputs);                // kind letter, loaded detail drawings
//     for each polyline or ring:
//       if (!styles.FeatureDrawn(code)) skip;       // layer hidden at this scale or by the user
//       project its points, then
//       styles.DrawObject(canvas, query, points, viewSize);
//       // or, to draw it yourself: ObjectStyle s = styles.StyleObject(query, points);
//       //   fill the ring with s.Fill (FillRing), then draw s.Strokes (DrawStrokes)
//   styles.DrawFinishingPasses(canvas, viewSize);   // cased lines, then the kept boundaries
//   styles.EndPaint();                              // tables restored, unused area colours dropped
//
// StyleObject decides for each object whether it is filled (state, county,
// place and MCD shading; water, parks and other area layers), drawn as one or
// more strokes, kept as a cased line for the two end passes (wide outlined
// roads), or kept as a boundary drawn on top at the end (a halo may be drawn
// beneath it at once). Kept objects are copied; the caller's points may be
// reused at once. An ObjectQuery names the layer, the feature code, the
// object's area number and whether its ring is closed (style_object.h); a
// style with PointByPoint set is a width-15 line (railroads) that the painter
// may draw point by point.
//
// Outside a paint the engine holds the control's settings: the shading
// switches (Shade_State, Shade_Cnty, Shade_Plc, Shade_Mcd), the shade
// colours and colour schemes, the SetOption colour slots, the logical
// palette (TvPalette), black-and-white mode, the detail thresholds and the
// user's layer and landmark choices.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "control/core/view_state.h"
#include "control/render/colour_grey.h"
#include "control/render/colour_scheme.h"
#include "control/render/colour_slots.h"
#include "control/render/layer_style_table.h"
#include "control/render/palette_logical.h"
#include "control/render/scale_visibility.h"
#include "control/render/shading_area_colour_map.h"
#include "control/render/shading_colours.h"
#include "control/core/shading_switches.h"
#include "control/render/style_cased_lines.h"
#include "control/render/style_deferred_boundaries.h"
#include "control/render/style_detail_thresholds.h"
#include "control/render/style_landmark_classes.h"
#include "control/render/style_object.h"
#include "control/render/style_preparation.h"
#include "control/render/style_user_layers.h"

namespace quelmar::render {

using core::ShadingSwitches;

// How a paint is made.
struct PaintSetup {
  // A full map paint keeps boundaries for the end; painting one drawing on
  // its own (right after a one-off load) draws them at once.
  bool FullPaint = true;
  // Printing or drawing into a host's device: black-and-white mode then also
  // turns road outlines and county lines black and white.
  bool DeviceOutput = false;
  // With the underlay shown, or printing with the print dialog's shading
  // box off, no area is shaded in this paint (the switches stay as they are).
  bool UnderlayShown = false;
  bool PrintWithoutShading = false;
  // Drawn in black and white whatever the black-and-white setting (a print
  // with the Printer dialog's box ticked); device output only.
  bool Monochrome = false;
  // The colour the map is drawn on (the control's Color); the sea is this colour.
  gdi::COLORREF Background = gdi::RGB(0xFF, 0xFF, 0xFF);
  // The shading switches of the control (suspended as above).
  ShadingSwitches Shading;
};

class StyleEngine {
 public:
  StyleEngine();

  // --- paint ---------------------------------------------------------------
  // Saves the style and visibility tables (EndPaint restores them), converts
  // the detail thresholds to scales for the view's scale, settles the shading
  // in force, clears the area colours' used marks and empties the queues.
  void BeginPaint(const core::ViewState& view, const PaintSetup& setup);
  // The style preparation for the next drawing. Throws std::logic_error
  // outside BeginPaint/EndPaint.
  void PrepareDrawing(const DrawingStyleInputs& drawing);
  // Whether objects of the layer / feature code are drawn in this drawing.
  bool LayerDrawn(int layer) const { return visibility_.Visible(layer); }
  bool FeatureDrawn(std::uint8_t featureCode) const;
  // What to draw now for one object of a drawn layer (see the top of this file).
  ObjectStyle StyleObject(const ObjectQuery& object, std::span<const gdi::Point> points);
  // StyleObject, then the fill (clipped to `view`) and the strokes.
  void DrawObject(gdi::Canvas& canvas, const ObjectQuery& object, std::span<const gdi::Point> points, gdi::Size view);
  // After every drawing: the cased lines in their two passes, then the kept
  // boundaries in the order they came. Both lists are emptied.
  void DrawCasedLines(gdi::Canvas& canvas);
  void DrawDeferredBoundaries(gdi::Canvas& canvas, gdi::Size view);
  void DrawFinishingPasses(gdi::Canvas& canvas, gdi::Size view);
  // Restores the tables saved by BeginPaint and drops the area colours not
  // used in this paint. Anything still kept is discarded.
  void EndPaint();
  bool Painting() const { return paint_.has_value(); }

  // An underlay image has been drawn: place outlines and parks are no longer
  // drawn over it, for the rest of the control's life.
  void NoteUnderlayDrawn() { underlayDrawn_ = true; }

  // --- tables the painter and the labels read --------------------------------
  const LayerStyleTable& Styles() const { return styles_; }
  const ScaleVisibility& Visibility() const { return visibility_; }
  const PreparedSwitches& Switches() const { return switches_; }
  // The shading in force: the paint's switches, or all off while the paint
  // suspends them (the switches of the last paint between paints).
  const ShadingSwitches& ActiveShading() const { return activeShading_; }
  bool BlackWhiteOutput() const { return blackWhiteOutput_; }

  // --- colours ------------------------------------------------------------
  ShadeColours& Colours() { return colours_; }
  const ShadeColours& Colours() const { return colours_; }
  // SetOption for the colour slots (see colour_slots.h): nullopt for slots
  // that are not colour slots.
  std::optional<std::int32_t> ColourOption(std::int32_t n, std::int32_t v);
  // TvPalette: the logical palette's handle (0 until it is first built).
  std::int32_t TvPalette() const { return palette_.Handle(); }
  const LogicalPalette& Palette() const { return palette_; }
  void RebuildPalette() { palette_.Rebuild(colours_); }

  // --- colour schemes ("Cscm.bin" in the configuration folder) --------------
  ColourSchemeStore& Schemes() { return schemes_; }
  const ColourSchemeStore& Schemes() const { return schemes_; }
  // See LoadColourSchemeFile / SaveColourSchemeFile.
  bool LoadColourSchemes(const std::filesystem::path& folder);
  bool SaveColourSchemes(const std::filesystem::path& folder) const;

  // --- other settings ------------------------------------------------------
  BlackWhiteSettings& BlackWhite() { return blackWhite_; }
  const BlackWhiteSettings& BlackWhite() const { return blackWhite_; }
  DetailThresholds& Thresholds() { return thresholds_; }
  const DetailThresholds& Thresholds() const { return thresholds_; }
  UserLayerChoices& UserLayers() { return user_; }
  const UserLayerChoices& UserLayers() const { return user_; }
  LandmarkClasses& Landmarks() { return landmarks_; }
  const LandmarkClasses& Landmarks() const { return landmarks_; }
  AreaColourMap& AreaColours() { return areas_; }

 private:
  ObjectStyleContext SelectionContext(bool deferral);

  UserLayerChoices user_;
  LandmarkClasses landmarks_;
  LayerStyleTable styles_;
  ScaleVisibility visibility_;
  LayerStyleTable savedStyles_;
  ScaleVisibility savedVisibility_;

  ShadeColours colours_;
  ColourSlotMemory slotMemory_;
  LogicalPalette palette_;
  ColourSchemeStore schemes_;
  ShadingSwitches activeShading_;
  BlackWhiteSettings blackWhite_;
  BlackWhiteSettings paintBlackWhite_;  // the paint's: the setting, or on for a monochrome device paint
  DetailThresholds thresholds_;
  AreaColourMap areas_;
  bool underlayDrawn_ = false;

  std::optional<PaintStyleContext> paint_;
  PreparedSwitches switches_;
  bool fullPaint_ = false;
  bool blackWhiteOutput_ = false;
  CasedLineQueue casedLines_;
  DeferredBoundaryList deferred_;
};

}  // namespace quelmar::render

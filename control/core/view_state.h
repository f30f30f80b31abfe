#pragma once
// The view of one map panel: the view record and its history, the pan bounds,
// the distance unit, the rotation and the scale properties, with every
// conversion between degrees, map units and client pixels and every zoom.
//
// Nothing here draws or redraws. Operations that the panel follows with a
// redraw or an invalidation return whether the view changed where the panel
// needs to know; zoom and pan operations are always followed by a redraw.
#include <cstdint>
#include <optional>

#include "control/core/map_extent.h"
#include "control/core/map_units.h"
#include "control/core/scale_bar.h"
#include "control/core/tx_enums.h"
#include "control/core/view_window.h"

namespace quelmar::core {

// The scale (pixels per map unit) at which one screen inch of
// `pixelsPerInch` pixels shows `miles` at 40° N; 0 when there is none.
double ScaleForMilesAt40(std::int32_t pixelsPerInch, double miles);

struct TLonLat {
  double Lon = 0;
  double Lat = 0;
};

class ViewState {
 public:
  // pixelsPerInch: the screen's logical pixels per inch that every scale rule
  // uses; a value below 1 falls back to 96.
  explicit ViewState(std::int32_t pixelsPerInch = 96);

  // --- Records -------------------------------------------------------------
  // The panel sets Width, Height and PaintWidth/PaintHeight at paint time and
  // restores the record after a paint; the search dialogs keep their opening
  // view in ViewBackup.
  TViewWindow& View() { return view_; }
  const TViewWindow& View() const { return view_; }
  TViewWindow& LastView() { return lastView_; }
  const TViewWindow& LastView() const { return lastView_; }
  TViewWindow& ViewBackup() { return viewBackup_; }
  const TViewWindow& ViewBackup() const { return viewBackup_; }
  const TMapExtent& MapExtent() const { return mapExtent_; }
  std::int32_t PixelsPerInch() const { return pixelsPerInch_; }

  // Set by RoundLimited and by edge arithmetic that had to saturate; cleared
  // only by ZoomToRect (and ClearViewOverflow).
  bool ViewOverflow() const { return viewOverflow_; }
  void ClearViewOverflow() { viewOverflow_ = false; }

  // --- Units and formatting settings ----------------------------------------
  TxMapunit Mapunits() const { return mapunits_; }
  std::int16_t DistanceUnit() const { return distanceUnit_; }  // 1 miles, 2 km
  // Sets the unit and DistanceUnit; false (nothing changed) for a value that is
  // neither MuMi nor Mukm. No repaint.
  bool SetMapunits(TxMapunit unit);
  std::int16_t CoordDecimals() const { return coordDecimals_; }
  void SetCoordDecimals(std::int16_t decimals) { coordDecimals_ = decimals; }

  // --- Rotation -------------------------------------------------------------
  // Sets the angle (degrees) and prepares it; false for NaN or infinity, which
  // leave the rotation as it was. The panel redraws after a true result.
  bool Rotate(double degrees);
  double RotationAngle() const { return rotationAngle_; }  // radians
  // Computes the rotation-active flag (the angle rounds to a non-zero whole
  // degree) and the cached cosine and sine. Rotate calls it; the panel calls it
  // again at each paint setup.
  void PrepareRotation();
  bool RotationActive() const { return rotationActive_; }
  double RotationCos() const { return rotationCos_; }
  double RotationSin() const { return rotationSin_; }

  // --- Edges in degrees (LonLeft, LonRight, LatBottom, LatTop) -----------------
  double LonLeft() const { return UnitsToDegrees(view_.Left); }
  double LonRight() const { return UnitsToDegrees(view_.Right); }
  double LatBottom() const { return UnitsToDegrees(view_.Bottom); }
  double LatTop() const { return UnitsToDegrees(view_.Top); }

  // --- Conversions ------------------------------------------------------------
  // Map units to a client pixel, following the rotation. A result that is not
  // finite or does not fit int32 gives the pixel (1, 1).
  TPixelPoint MapToPixel(std::int32_t x, std::int32_t y) const;
  TPixelPoint MapToPixel(TMapPoint p) const { return MapToPixel(p.X, p.Y); }
  // The same for map positions between whole units (grid lines).
  TPixelPoint MapToPixelReal(double x, double y) const;
  // Client pixel to map units, without rotation. Fallbacks: 0 for X, 1 for Y.
  std::int32_t PixelToMapX(std::int32_t px) const;
  std::int32_t PixelToMapY(std::int32_t py) const;
  // A mouse pixel turned back about the client centre by the view rotation
  // (unchanged when rotation is not active); (1, 1) if the result overflows.
  TPixelPoint UnrotateMousePixel(TPixelPoint mouse) const;

  // The "Int" conversions of the automation interface ("Int" = client pixel).
  // Lon2Int/Lat2Int return the low 16 bits, sign-extended; 1 on overflow.
  std::int32_t Lon2Int(double lon) const;
  std::int32_t Lat2Int(double lat) const;
  double Int2Lon(std::int32_t px) const;
  double Int2Lat(std::int32_t py) const;
  // Pixel of a longitude/latitude, x in the high 16 bits and y in the low 16
  // bits. Degrees that do not convert to map units give the packed pixel (1, 1).
  std::int32_t LL2Int(double lon, double lat) const;
  // Xcord/Ycord: the longitude and latitude under a mouse pixel, not rounded to
  // whole map units; the pixel is un-rotated first when rotation is active.
  TLonLat CursorLonLat(TPixelPoint mouse) const;

  // --- Scale rules ------------------------------------------------------------
  // The scale at which one screen inch spans `miles` at the view's middle
  // latitude; 1.0 when the latitude or miles make it undefined.
  double ScaleForMiles(double miles) const;
  // The same at latitude 40° N; 0 when the result is not finite.
  double ScaleForMilesAt40(double miles) const;
  // Miles spanned east-west by one screen inch at the view's middle latitude.
  double MilesPerInch(double scale) const;
  // The scale bar of the view, in miles or kilometres by DistanceUnit.
  TScaleBar ScaleBar() const;

  // Every scale change goes through here: at most 10 pixels per unit and 0.025
  // miles per inch at 40° N, never wider than 127 degrees. NaN is treated as a
  // request below the lower bound.
  void SetViewScale(double s);
  // Places the south-west corner at (x, y), clamped so the view stays in
  // MapExtent, and sets all four edges from the current scale.
  void SetViewOrigin(std::int64_t x, std::int64_t y);
  // Re-derives ScaleY, Right and Top from Left, Bottom and the scale; the panel
  // calls it before every data load and paint.
  void DeriveEdges();
  void SaveLastView() { lastView_ = view_; }

  // --- Zoom and pan (the panel redraws after each) ----------------------------
  // Fits the rectangle, grown by `factor` about its centre, into the view. An
  // empty rectangle leaves the view unchanged (LastView is still saved); an
  // overflow during the zoom restores the previous view.
  void ZoomToRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, double factor);
  // Zooms to the scale that fits w × h map units and, when the scale changed,
  // moves the origin to (x, y) (to x + w / y + h for non-positive sizes).
  void ZoomAround(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h);
  void ZoomIn();
  void ZoomOut();
  void ZoomAll();
  void ZoomLast();  // exchanges the view and LastView
  // Corners in degrees. False, with nothing changed, when a corner does not
  // convert to map units (NaN, infinity, out of range).
  bool ZoomWindow(double lon1, double lat1, double lon2, double lat2);
  void ZoomIWindow(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  // Bits: 1 west, 2 east, 4 north, 8 south; 2 wins over 1 and 8 over 4.
  void ZoomPan(std::int32_t flags);
  // The overlays' bounding box (map units), with a 10 % margin.
  void ZoomOverlay(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  // The underlay image's corners (map units); the panel calls it only when an
  // underlay image is loaded.
  void ZoomUnderlay(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  // Centres the view on a client pixel, in the area right of the route panel
  // (routePanelWidth 0 when it is hidden). Nothing but LastView changes when
  // Scale or ScaleY is 0.
  void CenterView(std::int32_t x, std::int32_t y, std::int32_t routePanelWidth);
  // Centres the view on a longitude/latitude like CenterView. False, with
  // nothing changed, when the point does not convert to map units.
  bool GotoPoint(double lon, double lat, std::int32_t routePanelWidth);
  // Centres a search result (map units) in the last painted rectangle.
  void CenterOnResult(std::int32_t x, std::int32_t y);
  // ResizeCtl: the same area fills the new size.
  void ResizeView(std::int32_t width, std::int32_t height);
  // After the window's height changed: keeps the north edge where it is.
  void KeepTopOnResize(std::int32_t clientHeight);

  // --- Scale properties -------------------------------------------------------
  // Values that are NaN or infinite are ignored by every write below.
  double Scale() const;  // rounded to 6 decimals; TvScale is the same property
  // True when the write was applied (the panel invalidates). Left and Bottom
  // stay: the view scales about its south-west corner.
  bool SetScale(double v);
  // Recomputes the magnitude from the scale bar and caches it.
  TxMagnitude Magnitude();
  TxMagnitude CachedMagnitude() const { return magnitude_; }
  // Ignored before the first paint and for m outside 0..15. True when the scale
  // changed: the panel redraws.
  bool SetMagnitude(std::int32_t m, bool firstPaintDone);
  double Miles() const;
  double Kms() const;
  // Ignored unless the control is initialised or in design mode. True when
  // applied: the panel marks itself dirty and invalidates.
  bool SetMiles(double miles, bool initialisedOrDesign);
  bool SetKms(double kms, bool initialisedOrDesign);
  double ScreenAspect() const { return view_.Aspect; }
  // True when the aspect changed; the panel then runs ZoomAll (design mode) or
  // marks itself dirty. ScaleY follows at the next DeriveEdges. Zero and
  // negative aspects are refused.
  bool SetScreenAspect(double aspect);

 private:
  double ScaleAtLatitude(double miles, double latitudeRadians) const;
  void CenterOn(std::int64_t x, std::int64_t y, std::int32_t routePanelWidth);
  void SetEdges(std::int64_t left, std::int64_t bottom, std::int64_t right, std::int64_t top);

  TViewWindow view_;
  TViewWindow lastView_;
  TViewWindow viewBackup_;
  TMapExtent mapExtent_;
  std::int32_t pixelsPerInch_;
  bool viewOverflow_ = false;

  TxMapunit mapunits_ = MuMi;
  std::int16_t distanceUnit_ = 1;
  std::int16_t coordDecimals_ = 3;

  double rotationAngle_ = 0;
  bool rotationActive_ = false;
  double rotationCos_ = 1;
  double rotationSin_ = 0;

  std::optional<double> lastScaleWritten_;  // the last value stored through SetScale
  TxMagnitude magnitude_ = M500_0;
};

// Puts a view back as it was when the scope ends, whatever happens in it:
// for drawing that moves the view for a while (a picture of another size, a
// printed leg map).
class SavedView {
 public:
  explicit SavedView(ViewState& view) : view_(view), saved_(view.View()) {}
  ~SavedView() {
    view_.View() = saved_;
    view_.PrepareRotation();
  }
  SavedView(const SavedView&) = delete;
  SavedView& operator=(const SavedView&) = delete;
  const TViewWindow& Saved() const { return saved_; }

 private:
  ViewState& view_;
  TViewWindow saved_;
};

}  // namespace quelmar::core

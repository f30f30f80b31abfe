#pragma once
// The label settings of one control: which names are shown, at which spans,
// in which faces and sizes. Hosts set them through SetOption, the Font
// property and the display dialog; every paint hands them to the labels.
#include <cstddef>
#include <cstdint>
#include <string>

namespace quelmar::core {

struct LabelSettings {
  // The switches hosts reach as SetOption bytes keep the value they were given.
  std::uint8_t ShowStreetNames = 1;    // street names and every point label from named points
  bool ShowRouteShields = true;        // the display dialog's check box
  bool ShieldSwitch = true;            // the Map Blocks dialog's shield switch
  std::int32_t HideSuffixes = 1;       // 0 keeps the street-type word at the end of street names
  std::uint8_t SelectiveLabeling = 0;  // stored only
  int TextSize = 9;                    // pixels, the height of street names
  int SizeFactor = 5;                  // street names are TextSize × SizeFactor / 5 high; 1..10
  int CityDensity = 5;                 // spacing kept around point labels, pixels
  double StreetLabelMiles = 0.75;      // span below which layers 8..11 are named
  double SecondLabelMiles = 0.5;       // span below which every layer is named
  bool Shadow = true;                  // white halo around label lines
  std::uint8_t LabelBoxes = 0;         // frame every occupied rectangle (a diagnostic)
  std::string StreetFace = "Arial";
  std::string LabelFace = "Arial";     // the control's Font face at every paint
  std::string LandmarkFace = "Arial";
  std::string LandmarkStyle = "I";     // "B" in it makes the landmark fonts bold
  double LandmarkLabelMiles = 1;       // the display dialog's "Land&mark Labels:" span, 0.1..10
  friend bool operator==(const LabelSettings&, const LabelSettings&) = default;
};

// The longest face name the labels take from the control's Font.
inline constexpr std::size_t kMaxLabelFaceLength = 30;

inline bool ShowsSuffixes(const LabelSettings& s) { return s.HideSuffixes == 0; }

}  // namespace quelmar::core

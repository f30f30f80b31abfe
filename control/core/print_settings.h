#pragma once
// The settings of printing: the Printer dialog's margins and switches and
// the route print choice. The titles are start-up settings (TitlePrint,
// TitleUser); the configuration file keeps the margins.
#include <cstdint>

namespace quelmar::core {

struct PrintSettings {
  // Inches, 0..4 each.
  double MarginLeft = 0.5, MarginRight = 0.5, MarginTop = 0.5, MarginBottom = 0.5;
  bool Maximized = false;   // print with no margins
  bool Shading = true;      // areas shaded on the printed map
  bool BlackWhite = false;  // printed and previewed maps in black and white
  bool RouteMaps = true;    // the route print: one map per leg
  bool Directions = false;  // the route print: the directions report
  friend bool operator==(const PrintSettings&, const PrintSettings&) = default;
};

}  // namespace quelmar::core

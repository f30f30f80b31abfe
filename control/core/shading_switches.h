#pragma once
// The four area shading switches: states, counties, places and minor civil
// divisions (the Shade_State, Shade_Cnty, Shade_Plc and Shade_Mcd properties,
// and the display dialog's shading boxes).
namespace quelmar::core {

struct ShadingSwitches {
  bool State = true;
  bool County = true;
  bool Place = true;
  bool Mcd = true;

  static ShadingSwitches AllOff() { return {false, false, false, false}; }
  friend bool operator==(const ShadingSwitches&, const ShadingSwitches&) = default;
};

}  // namespace quelmar::core

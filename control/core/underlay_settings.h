#pragma once
// The underlay settings of one control: whether images are drawn, which, in
// which style, and the relief exaggeration. The automation members Underlay,
// UnderlayFile, UnderlayStyle and UnderlayShadow read and write these (and
// schedule the redraw); the configuration keys CDCONT=, UMONO= and UMNT= too.
#include <cstdint>
#include <string>
#include <vector>

#include "control/core/tx_enums.h"

namespace quelmar::core {

class UnderlaySettings {
 public:
  static constexpr std::size_t kMaxFileText = 255;
  static constexpr std::int16_t kInitialRelief = 10;

  bool Underlay() const { return underlay_; }
  void SetUnderlay(bool on) { underlay_ = on; }

  // One or more image file names separated by ";", cut to 255 characters.
  const std::string& UnderlayFile() const { return file_; }
  void SetUnderlayFile(std::string text);
  // The names of UnderlayFile in order, empty names left out.
  std::vector<std::string> ImageFiles() const;

  TxUndMode UnderlayStyle() const { return style_; }
  void SetUnderlayStyle(TxUndMode style) { style_ = style; }

  // The property reads 0 until set. Setting it to a value that differs from
  // what it last held also makes that value the working relief value.
  std::int16_t UnderlayShadow() const { return shadowProperty_; }
  void SetUnderlayShadow(std::int16_t value);

  // The relief exaggeration k the UndShadow style works with: 10 at start,
  // replaced by "UMNT=" and by property changes; the configuration saves it.
  std::int16_t ReliefValue() const { return relief_; }
  void SetReliefFromConfiguration(std::int16_t value) { relief_ = value; }

  friend bool operator==(const UnderlaySettings&, const UnderlaySettings&) = default;

 private:
  bool underlay_ = false;
  std::string file_;
  TxUndMode style_ = UndUser;
  std::int16_t shadowProperty_ = 0;
  std::int16_t relief_ = kInitialRelief;
};

}  // namespace quelmar::core

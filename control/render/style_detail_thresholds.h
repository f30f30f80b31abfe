#pragma once
// The detail thresholds T0..T13, in miles per screen inch at 40° N. The style
// preparation hides layers by them (T3 and T5 have no role). They are not
// stored in the configuration; only the Map Blocks dialog changes them.
#include <array>

namespace quelmar::render {

inline constexpr int kDetailThresholdCount = 14;
inline constexpr std::array<double, kDetailThresholdCount> kDefaultDetailThresholds = {
    4, 4, 4, 4, 8, 4, 4, 4, 4, 2, 4, 4, 10, 0.1};

class DetailThresholds {
 public:
  // T(i) for i in 0..13; 0 for any other i.
  double Miles(int i) const { return InRange(i) ? miles_[i] : 0.0; }
  // False (nothing changed) for i outside 0..13 or a value that is not a
  // finite number of miles of 0 or more.
  bool SetMiles(int i, double miles) {
    if (!InRange(i) || !(miles >= 0) || miles > 1e9) return false;
    miles_[i] = miles;
    return true;
  }
  void Reset() { miles_ = kDefaultDetailThresholds; }

 private:
  static constexpr bool InRange(int i) { return i >= 0 && i < kDetailThresholdCount; }
  std::array<double, kDetailThresholdCount> miles_ = kDefaultDetailThresholds;
};

}  // namespace quelmar::render

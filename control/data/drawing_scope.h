#pragma once
// DrawingScope: the state that the objects of a drawing set for the objects
// after them, for code that walks the drawing in number order (paint, street
// search, routing). Feed it every object from 1 upwards with Enter.
//
// - A NameRef names what follows until the next NameRef, GroupMark or
//   BlockObject; a NameRef that points outside the drawing or at anything but
//   a NameString names nothing.
// - An IndexList is current until the next one; an attribute index outside it
//   selects nothing.
// - A LabelText at x = 0 is not shown; with feature code 2, 5, 6 or 7 it names
//   the state, county, minor civil division or place of what follows.
#include <cstdint>
#include <optional>
#include <string_view>

#include "control/data/drawing.h"

namespace quelmar::data {

class DrawingScope {
 public:
  // The drawing must outlive the scope and not change while it is used.
  explicit DrawingScope(const Drawing& drawing) : drawing_(drawing) {}

  // Takes object `number` into the state (numbers outside the drawing do nothing).
  void Enter(std::int32_t number);

  // The current name, or null.
  const NameString* Name() const { return name_; }
  const IndexList* CurrentIndexList() const { return indexList_; }
  // Entry `index` (1-based) of the current index list; none for 0, for an
  // index past its end, or without a list.
  std::optional<std::int32_t> IndexValue(std::uint8_t index) const;

  std::string_view State() const { return state_; }
  std::string_view County() const { return county_; }
  std::string_view MinorCivilDivision() const { return minorCivilDivision_; }
  std::string_view Place() const { return place_; }

 private:
  const Drawing& drawing_;
  const NameString* name_ = nullptr;
  const IndexList* indexList_ = nullptr;
  std::string_view state_;
  std::string_view county_;
  std::string_view minorCivilDivision_;
  std::string_view place_;
};

}  // namespace quelmar::data

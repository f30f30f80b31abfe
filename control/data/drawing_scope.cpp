#include "control/data/drawing_scope.h"

namespace quelmar::data {

void DrawingScope::Enter(std::int32_t number) {
  const DrawObject* object = drawing_.ObjectAt(number);
  if (object == nullptr) return;
  switch (object->Kind) {
    case ObjectKind::NameRef: {
      const NameRef* ref = object->As<NameRef>();
      name_ = ref != nullptr ? drawing_.NameAt(ref->Object) : nullptr;
      break;
    }
    case ObjectKind::GroupMark:
    case ObjectKind::BlockObject: name_ = nullptr; break;
    case ObjectKind::IndexList: indexList_ = object->As<IndexList>(); break;
    case ObjectKind::LabelText: {
      const LabelText* label = object->As<LabelText>();
      if (label == nullptr || label->Point.X != 0) break;
      switch (object->Code) {
        case 2: state_ = label->Text; break;
        case 5: county_ = label->Text; break;
        case 6: minorCivilDivision_ = label->Text; break;
        case 7: place_ = label->Text; break;
        default: break;
      }
      break;
    }
    default: break;
  }
}

std::optional<std::int32_t> DrawingScope::IndexValue(std::uint8_t index) const {
  if (indexList_ == nullptr || index == 0 || index > indexList_->Values.size()) return std::nullopt;
  return indexList_->Values[index - 1u];
}

}  // namespace quelmar::data

#include "control/data/drawing.h"

#include <utility>

namespace quelmar::data {

const DrawObject* Drawing::ObjectAt(std::int32_t number) const {
  if (number < 1 || number > Count()) return nullptr;
  return &objects_[static_cast<std::size_t>(number) - 1];
}

DrawObject* Drawing::ObjectAt(std::int32_t number) {
  if (number < 1 || number > Count()) return nullptr;
  return &objects_[static_cast<std::size_t>(number) - 1];
}

const NameString* Drawing::NameAt(std::int32_t number) const {
  const DrawObject* object = ObjectAt(number);
  return object != nullptr && object->Kind == ObjectKind::NameString ? object->As<NameString>() : nullptr;
}

bool Drawing::Append(DrawObject object) {
  // storedBytes_ never passes MaxBytes, so the subtraction below cannot wrap.
  const std::size_t size = StoredSize(object);
  if (Count() >= limits_.MaxObjects || size > limits_.MaxBytes - storedBytes_) {
    outOfMemory_ = true;
    return false;
  }
  if (allocator_) {
    constexpr std::int32_t kPointersPerPage = 512;
    constexpr std::size_t kPointerPageBytes = 2048;
    const bool newPointerPage = Count() % kPointersPerPage == 0;
    if ((newPointerPage && !allocator_(kPointerPageBytes)) || !allocator_(size)) {
      outOfMemory_ = true;
      return false;
    }
  }
  storedBytes_ += size;
  objects_.push_back(std::move(object));
  return true;
}

}  // namespace quelmar::data

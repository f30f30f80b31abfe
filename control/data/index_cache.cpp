#include "control/data/index_cache.h"

#include <algorithm>

namespace quelmar::data {

std::shared_ptr<const LayerIndex> ArchiveIndexCache::Find(const ArchiveIdentity& identity) {
  for (Slot& slot : slots_) {
    if (slot.identity == identity) {
      slot.lastUse = ++clock_;
      return slot.index;
    }
  }
  return nullptr;
}

void ArchiveIndexCache::Insert(const ArchiveIdentity& identity, std::shared_ptr<const LayerIndex> index) {
  auto slot = std::find_if(slots_.begin(), slots_.end(),
                           [&](const Slot& s) { return s.identity.canonicalPath == identity.canonicalPath; });
  if (slot == slots_.end()) {
    if (slots_.size() < kCapacity) {
      slot = slots_.insert(slots_.end(), Slot{});
    } else {
      slot = std::min_element(slots_.begin(), slots_.end(),
                              [](const Slot& a, const Slot& b) { return a.lastUse < b.lastUse; });
    }
  }
  *slot = Slot{identity, std::move(index), ++clock_};
}

}  // namespace quelmar::data

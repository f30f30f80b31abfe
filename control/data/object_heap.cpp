#include "control/data/object_heap.h"

#include <algorithm>

namespace quelmar::data {

std::uint16_t ObjectHeap::NewOwner() {
  for (int tries = 0; tries < kLastOwner; ++tries) {
    counter_ = counter_ >= kLastOwner ? 2 : static_cast<std::uint16_t>(counter_ + 1);
    if (PagesOf(counter_) == 0) return counter_;
  }
  return counter_;  // every tag owns pages: the heap is full anyway
}

bool ObjectHeap::Allocate(std::uint16_t owner, std::size_t bytes) {
  if (bytes > kLargestRequest) return false;
  Page* page = nullptr;
  if (current_ && pages_[*current_].Owner == owner && Fits(pages_[*current_], bytes)) {
    page = &pages_[*current_];
  } else {
    const auto it = std::find_if(pages_.begin(), pages_.end(),
                                 [&](const Page& p) { return p.Owner == owner && Fits(p, bytes); });
    if (it != pages_.end()) {
      page = &*it;
      current_ = static_cast<std::size_t>(it - pages_.begin());
    } else if (pages_.size() < kMaxPages) {
      pages_.push_back({owner, 0});
      current_ = pages_.size() - 1;
      page = &pages_.back();
    }
  }
  if (!page) return false;
  page->Used += bytes;
  allocated_ += bytes;
  return true;
}

void ObjectHeap::Free(std::uint16_t owner) {
  if (owner == kBaseMapOwner || owner == 0) return;
  for (const Page& p : pages_) {
    if (p.Owner == owner) allocated_ -= p.Used;
  }
  std::erase_if(pages_, [&](const Page& p) { return p.Owner == owner; });
  current_.reset();
}

std::size_t ObjectHeap::PagesOf(std::uint16_t owner) const {
  return static_cast<std::size_t>(std::count_if(pages_.begin(), pages_.end(), [&](const Page& p) { return p.Owner == owner; }));
}

std::size_t ObjectHeap::FreeBytes() const { return kMaxPages * kPageSize - allocated_; }

}  // namespace quelmar::data

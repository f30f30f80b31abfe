#pragma once
// ObjectHeap: the object memory of the loaded drawings. Objects are packed
// into pages of 20,480 bytes, each owned by one loaded drawing (its owner
// tag), so a drawing is unloaded by freeing its pages. The heap keeps the
// accounting only (which page holds how many bytes of whom); the objects
// themselves live in each drawing's store, which asks the heap before every
// append so that memory limits and the free-byte count behave as the
// fixed-size heap does.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quelmar::data {

class ObjectHeap {
 public:
  static constexpr std::size_t kPageSize = 20480;
  static constexpr std::size_t kMaxPages = 1500;
  static constexpr std::size_t kLargestRequest = 20378;  // requests of 20,379 bytes or more fail
  static constexpr std::uint16_t kBaseMapOwner = 1;        // its pages are never freed
  static constexpr std::uint16_t kLastOwner = 32000;

  // A new owner tag: 1 for the first drawing, then 2, 3, ... 32000, after
  // which the counter wraps to 2; tags still owning pages are skipped.
  std::uint16_t NewOwner();

  // Takes `bytes` for `owner`: in the current page when it has room, else in
  // the first page of the owner with room, else in a new page. False (and
  // nothing taken) when the request is too large or no page slot is left.
  bool Allocate(std::uint16_t owner, std::size_t bytes);

  // Frees every page of `owner` (never the base map's) and compacts the
  // page table, keeping the order of the pages left.
  void Free(std::uint16_t owner);

  std::size_t PagesInUse() const { return pages_.size(); }
  std::size_t PagesOf(std::uint16_t owner) const;
  // Bytes not yet handed out: all pages' bytes less every allocation.
  std::size_t FreeBytes() const;

 private:
  struct Page {
    std::uint16_t Owner = 0;
    std::size_t Used = 0;
  };
  bool Fits(const Page& page, std::size_t bytes) const { return page.Used + bytes < kLargestRequest + 1; }

  std::vector<Page> pages_;
  std::optional<std::size_t> current_;
  std::uint16_t counter_ = 0;
  std::size_t allocated_ = 0;
};

}  // namespace quelmar::data

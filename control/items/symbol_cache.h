#pragma once
// The symbol caches of one control: host bitmaps by handle and bitmap files
// by path, each converted once and shared by every item that shows it. Each
// holds at most kMaxCachedSymbols entries; when full, the entries no item
// uses make room first.
//
// File entries are keyed by the whole absolute path, letter case kept, so two
// files never share an entry; host entries by handle and the bitmap behind
// it, so a handle that no longer names the bitmap it was cached for is
// converted again rather than showing the old picture.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "control/items/symbol.h"
#include "platform/gdi/bitmap_handles.h"

namespace quelmar::items {

inline constexpr std::size_t kMaxCachedSymbols = 200;

class HostBitmapCache {
 public:
  // The symbol of a host bitmap; nullptr when the cache is full of symbols
  // in use. ArgumentError when the handle names no bitmap.
  std::shared_ptr<const Symbol> Get(gdi::HBITMAP handle);
  std::size_t Size() const { return entries_.size(); }

 private:
  struct Entry {
    const gdi::Bitmap* source = nullptr;
    std::shared_ptr<const Symbol> symbol;
  };
  std::map<gdi::HBITMAP, Entry> entries_;
};

class FileBitmapCache {
 public:
  // The symbol of a bitmap file; nullptr when the cache is full of symbols in
  // use. IoError or DataError when the file cannot be read (no entry is kept).
  std::shared_ptr<const Symbol> Get(const std::string& path);
  // Forgets every file symbol no item uses.
  void DropUnused();
  void Clear() { entries_.clear(); }
  std::size_t Size() const { return entries_.size(); }

  // The key of a path: absolute, "\" read as "/", letter case kept.
  static std::string KeyOf(const std::string& path);

 private:
  std::map<std::string, std::shared_ptr<const Symbol>> entries_;
};

}  // namespace quelmar::items

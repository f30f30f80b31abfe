#include "control/items/symbol_cache.h"

#include <algorithm>
#include <filesystem>

#include "control/core/errors.h"
#include "control/items/symbol_file.h"

namespace quelmar::items {
namespace {

// An entry is in use while an item holds its symbol besides the cache.
template <typename Map, typename SymbolOf>
void DropUnusedOf(Map& entries, SymbolOf symbolOf) {
  std::erase_if(entries, [&](const auto& entry) { return symbolOf(entry.second).use_count() <= 1; });
}

}  // namespace

std::shared_ptr<const Symbol> HostBitmapCache::Get(gdi::HBITMAP handle) {
  const gdi::Bitmap* bitmap = gdi::BitmapFromHandle(handle);
  if (!bitmap) {
    entries_.erase(handle);
    throw ArgumentError("Bitmap handle " + std::to_string(handle) + " names no bitmap");
  }
  auto at = entries_.find(handle);
  if (at != entries_.end() && at->second.source == bitmap) return at->second.symbol;
  if (at != entries_.end()) entries_.erase(at);
  if (entries_.size() >= kMaxCachedSymbols) {
    DropUnusedOf(entries_, [](const Entry& e) -> const std::shared_ptr<const Symbol>& { return e.symbol; });
    if (entries_.size() >= kMaxCachedSymbols) return nullptr;
  }
  std::shared_ptr<const Symbol> symbol = Symbol::FromBitmap(*bitmap);
  entries_[handle] = Entry{bitmap, symbol};
  return symbol;
}

std::string FileBitmapCache::KeyOf(const std::string& path) {
  std::string slashed = path;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(slashed, error);
  if (error) absolute = slashed;
  return absolute.lexically_normal().string();
}

std::shared_ptr<const Symbol> FileBitmapCache::Get(const std::string& path) {
  const std::string key = KeyOf(path);
  if (auto at = entries_.find(key); at != entries_.end()) return at->second;
  if (entries_.size() >= kMaxCachedSymbols) {
    DropUnused();
    if (entries_.size() >= kMaxCachedSymbols) return nullptr;
  }
  std::shared_ptr<const Symbol> symbol = LoadSymbolFile(key);
  entries_.emplace(key, symbol);
  return symbol;
}

void FileBitmapCache::DropUnused() {
  DropUnusedOf(entries_, [](const std::shared_ptr<const Symbol>& s) -> const std::shared_ptr<const Symbol>& { return s; });
}

}  // namespace quelmar::items

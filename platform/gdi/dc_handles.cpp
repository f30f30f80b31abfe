#include "platform/gdi/dc_handles.h"

#include <limits>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

namespace quelmar::gdi {
namespace {

// Handles start well away from small numbers that look like counts or ids.
constexpr HDC kFirstHandle = 0x1000;

struct DcTable {
  std::mutex mutex;
  std::unordered_map<HDC, Canvas*> canvases;
  HDC next = kFirstHandle;
};

DcTable& Table() {
  static DcTable table;
  return table;
}

}  // namespace

HDC RegisterDc(Canvas* canvas) {
  if (canvas == nullptr) return 0;
  DcTable& table = Table();
  std::lock_guard lock(table.mutex);
  if (table.next == std::numeric_limits<HDC>::max()) throw std::overflow_error("device-context handles exhausted");
  const HDC handle = table.next++;
  table.canvases.emplace(handle, canvas);
  return handle;
}

Canvas* DcFromHandle(HDC handle) {
  DcTable& table = Table();
  std::lock_guard lock(table.mutex);
  const auto it = table.canvases.find(handle);
  return it == table.canvases.end() ? nullptr : it->second;
}

void ReleaseDc(HDC handle) {
  DcTable& table = Table();
  std::lock_guard lock(table.mutex);
  table.canvases.erase(handle);
}

}  // namespace quelmar::gdi

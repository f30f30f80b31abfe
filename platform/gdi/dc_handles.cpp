#include "platform/gdi/dc_handles.h"

#include "platform/kernel/handle_table.h"

namespace quelmar::gdi {
namespace {

// Handles start well away from small numbers that look like counts or ids.
kernel::HandleTable<Canvas>& Table() {
  static kernel::HandleTable<Canvas> table(0x1000);
  return table;
}

}  // namespace

HDC RegisterDc(Canvas* canvas) { return canvas == nullptr ? 0 : Table().Add(canvas); }

Canvas* DcFromHandle(HDC handle) { return Table().Find(handle); }

void ReleaseDc(HDC handle) { Table().Remove(handle); }

}  // namespace quelmar::gdi

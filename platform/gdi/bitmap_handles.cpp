#include "platform/gdi/bitmap_handles.h"

#include "platform/kernel/handle_table.h"

namespace quelmar::gdi {
namespace {

kernel::HandleTable<Bitmap>& Table() {
  static kernel::HandleTable<Bitmap> table(0x40000000);
  return table;
}

}  // namespace

HBITMAP RegisterBitmap(Bitmap* bitmap) { return bitmap == nullptr ? 0 : Table().Add(bitmap); }

Bitmap* BitmapFromHandle(HBITMAP handle) { return Table().Find(handle); }

void ReleaseBitmap(HBITMAP handle) { Table().Remove(handle); }

}  // namespace quelmar::gdi

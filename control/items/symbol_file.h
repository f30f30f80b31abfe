#pragma once
// Symbols from bitmap files: uncompressed 8-bit (with a colour table) or
// 24-bit Windows bitmaps, bottom row first, 1 to kMaxSymbolSide pixels a side.
#include <memory>
#include <string>

#include "control/items/symbol.h"
#include "control/render/underlay_bytes.h"

namespace quelmar::items {

// DataError naming what is wrong when the bytes are not such a bitmap or end
// before its last row; nothing is kept of a bitmap that does not read whole.
std::shared_ptr<Symbol> ReadSymbolBitmap(render::UnderlayBytes& bytes);

// The same from a file; IoError when it cannot be opened.
std::shared_ptr<Symbol> LoadSymbolFile(const std::string& path);

}  // namespace quelmar::items

#pragma once
// Which installed font family a requested face resolves to through fontconfig
// (for instance "Arial" to "Liberation Sans", a metric-compatible substitute).
#include <string>

#include "platform/gdi/gdi_types.h"

namespace quelmar::gdi {

std::string ResolveFontFamily(const Font& font);

}  // namespace quelmar::gdi

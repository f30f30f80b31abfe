#pragma once
// The about box: product name, the version of this library, its date and file name.
#include <string>

#include "platform/ui/dialog_model.h"

namespace quelmar::automation {

// "Ver: 5.00.00.14": major, then minor, release and build as two digits each.
std::string VersionText(int major, int minor, int release, int build);

// The dialog as it opens, with the library's own version.
ui::DialogModel MakeAboutBox();

// Shows the about box modally through the desktop's dialog runner.
void ShowAboutBox();

}  // namespace quelmar::automation

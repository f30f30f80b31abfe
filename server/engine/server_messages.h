#pragma once
// The server's message boxes: an information text with one OK button,
// shown modally through the desktop's dialog runner (ui::RunModal).
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/ui/dialog_model.h"

namespace quelmar::server {

inline constexpr const char* kMessageCaption = "TarvoServer";
inline constexpr const char* kMessageText = "Message";
inline constexpr const char* kMessageOk = "OK";

ui::DialogModel MakeInformationBox(const std::string& text);
void ShowInformation(const std::string& text);

// The text that says a settings file could not be written, and why.
std::string SaveFailedText(const std::filesystem::path& file, const std::error_code& error);

}  // namespace quelmar::server

#include "server/engine/server_messages.h"

namespace quelmar::server {

ui::DialogModel MakeInformationBox(const std::string& text) {
  ui::DialogModel box(kMessageCaption);
  box.Add(kMessageText, ui::FieldKind::Label, {}, text);
  box.Add(kMessageOk, ui::FieldKind::Button, {}, kMessageOk);
  return box;
}

void ShowInformation(const std::string& text) {
  ui::DialogModel box = MakeInformationBox(text);
  ui::RunModal(box);
}

std::string SaveFailedText(const std::filesystem::path& file, const std::error_code& error) {
  return "TarvoServer could not save its settings in " + file.string() + ": " + error.message() + ".";
}

}  // namespace quelmar::server

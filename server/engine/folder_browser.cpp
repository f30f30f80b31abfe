#include "server/engine/folder_browser.h"

#include <filesystem>
#include <system_error>

namespace quelmar::server {

ui::DialogModel MakeFolderBrowser(const FolderRequest& request) {
  ui::DialogModel browser(kBrowseCaption);
  browser.Add(kBrowsePrompt, ui::FieldKind::Label, {}, request.Title);
  browser.Add(kBrowseFolder, ui::FieldKind::Edit, {}, request.StartFolder);
  browser.Add(kBrowseOk, ui::FieldKind::Button, {}, kBrowseOk);
  browser.Add(kBrowseCancel, ui::FieldKind::Button, {}, kBrowseCancel);
  return browser;
}

std::string FolderBrowserResult(const ui::DialogModel& browser) {
  if (browser.Pressed() != kBrowseOk) return "";
  const std::string& folder = browser.Field(kBrowseFolder).text;
  std::error_code error;
  return !folder.empty() && std::filesystem::is_directory(folder, error) ? folder : "";
}

std::string BrowseForFolder(const FolderRequest& request) {
  ui::DialogModel browser = MakeFolderBrowser(request);
  ui::RunModal(browser);
  return FolderBrowserResult(browser);
}

}  // namespace quelmar::server

#include "control/core/underlay_settings.h"

#include <algorithm>

namespace quelmar::core {

void UnderlaySettings::SetUnderlayFile(std::string text) {
  if (text.size() > kMaxFileText) text.resize(kMaxFileText);
  file_ = std::move(text);
}

std::vector<std::string> UnderlaySettings::ImageFiles() const {
  std::vector<std::string> files;
  std::size_t start = 0;
  while (start <= file_.size()) {
    const std::size_t end = std::min(file_.find(';', start), file_.size());
    if (end > start) files.push_back(file_.substr(start, end - start));
    start = end + 1;
  }
  return files;
}

void UnderlaySettings::SetUnderlayShadow(std::int16_t value) {
  if (value != shadowProperty_) relief_ = value;
  shadowProperty_ = value;
}

}  // namespace quelmar::core

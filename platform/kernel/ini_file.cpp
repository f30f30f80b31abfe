#include "platform/kernel/ini_file.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/kernel/ascii.h"
#include "platform/kernel/atomic_file.h"

namespace quelmar::kernel {
namespace {

// Spaces and tabs around names and values.
std::string_view TrimSpaces(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The name as sections and keys are matched: letters in lower case.
std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = AsciiLower(c);
  return folded;
}

}  // namespace

bool IniFile::Load(const std::filesystem::path& path, std::error_code* error) {
  Clear();
  line_ending_ = LineEnding::Lf;
  std::string text;
  std::error_code ec;
  if (!ReadWholeFile(path, &text, &ec)) {
    if (ec == std::errc::no_such_file_or_directory) return true;
    if (error) *error = ec;
    return false;
  }
  Parse(text);
  return true;
}

bool IniFile::Save(const std::filesystem::path& path, std::error_code* error) const {
  return WriteFileAtomically(path, Serialize(), error);
}

void IniFile::Parse(std::string_view text) {
  Clear();
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());

  const size_t firstNewline = text.find('\n');
  line_ending_ = (firstNewline != std::string_view::npos && firstNewline > 0 &&
                  text[firstNewline - 1] == '\r')
                     ? LineEnding::CrLf
                     : LineEnding::Lf;

  // Sections and keys are found through hash maps while parsing, so that a
  // file of many sections or keys parses in linear time. Index rather than
  // pointer: adding a section may move the others.
  std::unordered_map<std::string, size_t> sectionOf;  // folded name -> index
  std::unordered_set<std::string> keysSeen;             // section index, a line end, folded key
  auto sectionIndex = [&](std::string_view name) {
    const auto [it, added] = sectionOf.try_emplace(Folded(name), sections_.size());
    if (added) sections_.push_back({std::string(name), {}});
    return it->second;
  };
  std::optional<size_t> current;  // keys before any header go to section ""
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = TrimSpaces(line);
    if (line.empty() || line.front() == ';') continue;

    if (line.front() == '[') {
      const size_t close = line.rfind(']');
      if (close == std::string_view::npos) continue;  // not a header: skipped
      current = sectionIndex(TrimSpaces(line.substr(1, close - 1)));
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = TrimSpaces(line.substr(0, equals));
    if (key.empty()) continue;
    const size_t index = current ? *current : sectionIndex("");
    // The first of a repeated key counts.
    if (keysSeen.insert(std::to_string(index) + '\n' + Folded(key)).second) {
      sections_[index].entries.push_back({std::string(key), std::string(TrimSpaces(line.substr(equals + 1)))});
    }
  }
}

std::string IniFile::Serialize() const {
  const std::string_view newline = line_ending_ == LineEnding::CrLf ? "\r\n" : "\n";
  std::string out;
  // The unnamed section comes first whatever its position in the model, since
  // its keys only belong to it while no header precedes them.
  auto write = [&](const Section& section) {
    if (!section.name.empty()) {
      if (!out.empty()) out += newline;
      out += '[';
      out += section.name;
      out += ']';
      out += newline;
    }
    for (const Entry& e : section.entries) {
      out += e.key;
      out += '=';
      out += e.value;
      out += newline;
    }
  };
  if (const Section* unnamed = FindSection("")) write(*unnamed);
  for (const Section& section : sections_) {
    if (!section.name.empty()) write(section);
  }
  return out;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  for (const Entry& e : s->entries) {
    if (EqualsIgnoreCase(e.key, key)) return e.value;
  }
  return std::nullopt;
}

std::string IniFile::GetOr(std::string_view section, std::string_view key,
                           std::string_view fallback) const {
  std::optional<std::string> value = Get(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  Section& s = SectionFor(section);
  for (Entry& e : s.entries) {
    if (EqualsIgnoreCase(e.key, key)) {
      e.value = value;
      return;
    }
  }
  s.entries.push_back({std::string(key), std::string(value)});
}

bool IniFile::Remove(std::string_view section, std::string_view key) {
  Section* s = FindSection(section);
  if (!s) return false;
  return std::erase_if(s->entries, [&](const Entry& e) { return EqualsIgnoreCase(e.key, key); }) > 0;
}

bool IniFile::RemoveSection(std::string_view section) {
  return std::erase_if(sections_, [&](const Section& s) { return EqualsIgnoreCase(s.name, section); }) > 0;
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const Section* s = FindSection(section)) {
    for (const Entry& e : s->entries) names.push_back(e.key);
  }
  return names;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& s : sections_) {
    if (EqualsIgnoreCase(s.name, name)) return &s;
  }
  return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

size_t IniFile::SectionIndex(std::string_view name) {
  for (size_t i = 0; i < sections_.size(); ++i) {
    if (EqualsIgnoreCase(sections_[i].name, name)) return i;
  }
  sections_.push_back({std::string(name), {}});
  return sections_.size() - 1;
}

IniFile::Section& IniFile::SectionFor(std::string_view name) { return sections_[SectionIndex(name)]; }

}  // namespace quelmar::kernel

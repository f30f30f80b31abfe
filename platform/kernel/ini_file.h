#pragma once
// IniFile: a sectioned "key=value" text file held in memory.
//
// Sections and keys keep the order in which they were read or added and the
// spelling they were first given; lookups ignore letter case (ASCII only).
// Reading is forgiving: CR LF or LF line ends, blank lines, whole-line ';'
// comments, a UTF-8 byte order mark and lines without '=' are accepted and
// dropped. A ';' after a value is part of the value. Keys before the first
// header belong to the unnamed section "", written first without a header.
// When a section or key appears twice, the first one wins (later keys of a
// repeated section are merged into the first).
//
// Text is taken byte for byte: the file's encoding is the caller's business.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quelmar::kernel {

class IniFile {
 public:
  enum class LineEnding { Lf, CrLf };

  // Replaces the contents with the file's. A missing file gives an empty model
  // and true; false only when the file exists but cannot be read.
  bool Load(const std::filesystem::path& path, std::error_code* error = nullptr);
  // Writes a temporary file beside `path` and renames it into place, so that
  // a failed save leaves the old file as it was. A symbolic link is followed
  // and its target replaced. The folder must exist.
  bool Save(const std::filesystem::path& path, std::error_code* error = nullptr) const;

  void Parse(std::string_view text);
  std::string Serialize() const;

  // Load records the line ending the file used; new models write LF.
  LineEnding line_ending() const { return line_ending_; }
  void SetLineEnding(LineEnding ending) { line_ending_ = ending; }

  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string GetOr(std::string_view section, std::string_view key,
                    std::string_view fallback) const;
  // Adds the section and key at the end when missing; otherwise replaces the
  // value and keeps the key's spelling. Names and values must not contain line
  // breaks, nor section names ']' and keys '=' (they would not read back).
  void Set(std::string_view section, std::string_view key, std::string_view value);
  bool Remove(std::string_view section, std::string_view key);
  bool RemoveSection(std::string_view section);
  bool HasSection(std::string_view section) const;
  void Clear() { sections_.clear(); }

  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  std::vector<Section> sections_;
  LineEnding line_ending_ = LineEnding::Lf;

  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  size_t SectionIndex(std::string_view name);  // adds the section when missing
  Section& SectionFor(std::string_view name);
};

}  // namespace quelmar::kernel

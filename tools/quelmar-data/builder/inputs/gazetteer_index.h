#pragma once
// Finds gazetteer places by the names other sources use: "Chicago, IL",
// "Ventura, CA", "Nashville, TN", "Wareham, MA" (a New England town, found
// among the county subdivisions).
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tools/quelmar-data/builder/inputs/gazetteer.h"

namespace quelmar::builder {

class GazetteerIndex {
 public:
  explicit GazetteerIndex(std::vector<GazetteerEntry> entries);
  // The maps point into the entries: moving keeps them valid, copying would not.
  GazetteerIndex(GazetteerIndex&&) = default;
  GazetteerIndex& operator=(GazetteerIndex&&) = default;
  GazetteerIndex(const GazetteerIndex&) = delete;
  GazetteerIndex& operator=(const GazetteerIndex&) = delete;

  // The entries a name may mean in a state, in file order: the entry of an
  // alias (PlaceAliases) alone; otherwise the places whose common name
  // matches (NameKey); when there is none, the town-like county subdivisions
  // that match. Empty when nothing does.
  std::vector<const GazetteerEntry*> Find(std::string_view stateCode, std::string_view name) const;

  // The name to show for an entry: its alias ("Nashville"), else its first
  // common name ("Chicago").
  std::string DisplayName(const GazetteerEntry& entry) const;

  const std::vector<GazetteerEntry>& Entries() const { return entries_; }

 private:
  using Bucket = std::vector<const GazetteerEntry*>;
  static std::string Key(std::string_view stateCode, std::string_view name);

  std::vector<GazetteerEntry> entries_;
  std::unordered_map<std::string, Bucket> places_;
  std::unordered_map<std::string, Bucket> subdivisions_;
  std::unordered_map<std::string, const GazetteerEntry*> aliases_;
  std::unordered_map<const GazetteerEntry*, std::string> aliasNames_;
};

}  // namespace quelmar::builder

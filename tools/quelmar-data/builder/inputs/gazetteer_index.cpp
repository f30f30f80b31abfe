#include "tools/quelmar-data/builder/inputs/gazetteer_index.h"

#include <algorithm>

#include "tools/quelmar-data/builder/inputs/place_names.h"

namespace quelmar::builder {

GazetteerIndex::GazetteerIndex(std::vector<GazetteerEntry> entries) : entries_(std::move(entries)) {
  for (const GazetteerEntry& entry : entries_) {
    if (entry.Kind == GazetteerKind::County) continue;
    auto& buckets = entry.Kind == GazetteerKind::Place ? places_ : subdivisions_;
    for (const std::string& name : CommonNames(entry)) {
      Bucket& bucket = buckets[Key(entry.StateCode, name)];
      if (std::find(bucket.begin(), bucket.end(), &entry) == bucket.end()) bucket.push_back(&entry);
    }
  }
  for (const PlaceAlias& alias : PlaceAliases()) {
    // The aliased entry: a place of that exact name, else a county subdivision.
    const GazetteerEntry* target = nullptr;
    for (const GazetteerEntry& entry : entries_) {
      if (entry.Kind == GazetteerKind::County || entry.StateCode != alias.StateCode ||
          entry.Name != alias.GazetteerName) {
        continue;
      }
      if (target == nullptr || (target->Kind != GazetteerKind::Place && entry.Kind == GazetteerKind::Place))
        target = &entry;
    }
    if (target == nullptr) continue;
    aliases_.emplace(Key(alias.StateCode, alias.CommonName), target);
    aliasNames_.emplace(target, std::string(alias.CommonName));  // the first alias of an entry is kept
  }
}

std::string GazetteerIndex::Key(std::string_view stateCode, std::string_view name) {
  return std::string(stateCode) + '|' + NameKey(name);
}

std::vector<const GazetteerEntry*> GazetteerIndex::Find(std::string_view stateCode, std::string_view name) const {
  const std::string key = Key(stateCode, name);
  if (const auto alias = aliases_.find(key); alias != aliases_.end()) return {alias->second};
  if (const auto places = places_.find(key); places != places_.end()) return places->second;
  if (const auto towns = subdivisions_.find(key); towns != subdivisions_.end()) return towns->second;
  return {};
}

std::string GazetteerIndex::DisplayName(const GazetteerEntry& entry) const {
  if (const auto alias = aliasNames_.find(&entry); alias != aliasNames_.end()) return alias->second;
  const std::vector<std::string> names = CommonNames(entry);
  return names.empty() ? entry.Name : names.front();
}

}  // namespace quelmar::builder

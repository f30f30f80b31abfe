#include "control/core/registries.h"

#include <stdexcept>

namespace quelmar::core {

template <typename Handler>
typename NamedRegistry<Handler>::Entry* NamedRegistry<Handler>::FindMutable(std::string_view name) {
  for (Entry& e : entries_) {
    if (e.Name == name) return &e;
  }
  return nullptr;
}

template <typename Handler>
void NamedRegistry<Handler>::Register(std::string name, std::string subsystem, Handler handler) {
  if (Entry* e = FindMutable(name)) {
    if (e->Run) throw std::logic_error("\"" + name + "\" is registered twice");
    e->Subsystem = std::move(subsystem);
    e->Run = std::move(handler);
    return;
  }
  entries_.push_back({std::move(name), std::move(subsystem), std::move(handler)});
}

template <typename Handler>
void NamedRegistry<Handler>::Reserve(std::string name, std::string subsystem) {
  if (FindMutable(name)) throw std::logic_error("\"" + name + "\" is reserved twice");
  entries_.push_back({std::move(name), std::move(subsystem), Handler{}});
}

template <typename Handler>
const typename NamedRegistry<Handler>::Entry* NamedRegistry<Handler>::Find(std::string_view name) const {
  for (const Entry& e : entries_) {
    if (e.Name == name) return &e;
  }
  return nullptr;
}

template class NamedRegistry<std::function<void()>>;

void OptionRegistry::Register(std::int32_t first, std::int32_t last, std::string subsystem, Handler handler) {
  for (Entry& e : entries_) {
    if (e.First == first && e.Last == last && !e.Run) {
      e.Subsystem = std::move(subsystem);
      e.Run = std::move(handler);
      return;
    }
  }
  Reserve(first, last, std::move(subsystem));
  entries_.back().Run = std::move(handler);
}

void OptionRegistry::Reserve(std::int32_t first, std::int32_t last, std::string subsystem) {
  if (first > last) throw std::logic_error("option range " + std::to_string(first) + ".." + std::to_string(last));
  for (const Entry& e : entries_) {
    if (first <= e.Last && e.First <= last) {
      throw std::logic_error("options " + std::to_string(first) + ".." + std::to_string(last) + " overlap " +
                             std::to_string(e.First) + ".." + std::to_string(e.Last) + " of " + e.Subsystem);
    }
  }
  entries_.push_back({first, last, std::move(subsystem), Handler{}});
}

const OptionRegistry::Entry* OptionRegistry::Find(std::int32_t number) const {
  for (const Entry& e : entries_) {
    if (number >= e.First && number <= e.Last) return &e;
  }
  return nullptr;
}

OptionResult RunOption(const OptionRegistry& options, std::int32_t n, std::int32_t v) {
  const OptionAccess access = n == 0 ? OptionAccess::Read : OptionAccess::Write;
  const std::int32_t number = n == 0 ? v : n;
  const OptionRegistry::Entry* entry = options.Find(number);
  if (!entry) return {0, {}};
  if (!entry->Run) return {std::nullopt, entry->Subsystem};
  return {entry->Run(access, number, access == OptionAccess::Read ? 0 : v), {}};
}

}  // namespace quelmar::core

#pragma once
// The registries of one control: the command words of ExecMethod, the
// option numbers of SetOption and the dialogs, each answered by the handler
// a subsystem registered when it attached. An entry the control knows but no
// subsystem answers yet is reserved: it names the subsystem that is missing,
// and the automation layer reports it as not available.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar::core {

// A registry of named entries (command words, dialog names), matched exactly.
template <typename Handler>
class NamedRegistry {
 public:
  struct Entry {
    std::string Name;
    std::string Subsystem;  // who answers, or who is missing while Handler is empty
    Handler Run;
  };

  // Registers `name`, replacing a reservation; registering a name twice is a
  // programming error (std::logic_error).
  void Register(std::string name, std::string subsystem, Handler handler);
  // Reserves `name` for `subsystem`, which is not attached yet.
  void Reserve(std::string name, std::string subsystem);
  // The entry of `name`; nullptr for a name nobody knows.
  const Entry* Find(std::string_view name) const;
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  Entry* FindMutable(std::string_view name);
  std::vector<Entry> entries_;
};

// ExecMethod words: each runs its command.
using CommandRegistry = NamedRegistry<std::function<void()>>;
// Dialogs by name: each runs its dialog modally with the control's settings.
using DialogRegistry = NamedRegistry<std::function<void()>>;

// SetOption: n = 0 reads option v, any other n writes v into option n.
enum class OptionAccess { Read, Write };

// SetOption numbers, registered by ranges that never overlap.
class OptionRegistry {
 public:
  // Returns the option's result (0 for every write).
  using Handler = std::function<std::int32_t(OptionAccess access, std::int32_t number, std::int32_t value)>;
  struct Entry {
    std::int32_t First = 0, Last = 0;
    std::string Subsystem;
    Handler Run;  // empty while reserved
  };

  // Registers options first..last (a reservation of exactly that range is
  // replaced); an overlap with another range is a programming error
  // (std::logic_error).
  void Register(std::int32_t first, std::int32_t last, std::string subsystem, Handler handler);
  void Reserve(std::int32_t first, std::int32_t last, std::string subsystem);
  // The range holding `number`; nullptr when no range does.
  const Entry* Find(std::int32_t number) const;

 private:
  std::vector<Entry> entries_;
};

// What a SetOption call came to.
struct OptionResult {
  std::optional<std::int32_t> Value;  // nullopt: the option's subsystem is not attached
  std::string MissingSubsystem;
};

// SetOption(n, v) through the registry: options outside every range do
// nothing and give 0.
OptionResult RunOption(const OptionRegistry& options, std::int32_t n, std::int32_t v);

struct Registries {
  CommandRegistry Commands;
  OptionRegistry Options;
  DialogRegistry Dialogs;
};

}  // namespace quelmar::core

#pragma once
// SettingsStore: the one home of a control's settings. Readers take the
// section they need; writers change a section through Change, which tells
// every listener which section changed (the panel draws the map again, the
// trace log follows its switch, a configuration file marks itself unsaved).
//
//   store.Change(&ControlSettings::Labels, [](LabelSettings& l) { l.TextSize = 12; });
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

#include "control/core/control_settings.h"

namespace quelmar::core {

class SettingsStore {
 public:
  using Listener = std::function<void(SettingSection)>;

  SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  const ControlSettings& Get() const { return settings_; }
  const PanelOptions& Panel() const { return settings_.Panel; }
  const LayerOptions& Layers() const { return settings_.Layers; }
  const Appearance& Look() const { return settings_.Look; }
  const OptionValues& Options() const { return settings_.Options; }
  const StartupSettings& Startup() const { return settings_.Startup; }
  const LabelSettings& Labels() const { return settings_.Labels; }
  const UnderlaySettings& Underlay() const { return settings_.Underlay; }
  const RoadOptions& Roads() const { return settings_.Roads; }
  const SearchSettings& Search() const { return settings_.Search; }
  const RouteSettings& Route() const { return settings_.Route; }
  const PrintSettings& Print() const { return settings_.Print; }

  // Runs `edit` on one section, then notifies the listeners. A listener that
  // changes settings itself is notified again for that change.
  template <typename Section, typename Edit>
    requires std::is_invocable_v<Edit, Section&>
  void Change(Section ControlSettings::*section, Edit&& edit) {
    std::forward<Edit>(edit)(settings_.*section);
    Notify(SectionOf<Section>());
  }

  // Takes every section of `settings` (a copy a dialog edited, a
  // configuration file read) and notifies each section that differs.
  void Replace(const ControlSettings& settings) {
    const ControlSettings before = std::exchange(settings_, settings);
    NotifyChanged(before, &ControlSettings::Panel);
    NotifyChanged(before, &ControlSettings::Layers);
    NotifyChanged(before, &ControlSettings::Look);
    NotifyChanged(before, &ControlSettings::Options);
    NotifyChanged(before, &ControlSettings::Startup);
    NotifyChanged(before, &ControlSettings::Labels);
    NotifyChanged(before, &ControlSettings::Underlay);
    NotifyChanged(before, &ControlSettings::Roads);
    NotifyChanged(before, &ControlSettings::Search);
    NotifyChanged(before, &ControlSettings::Route);
    NotifyChanged(before, &ControlSettings::Print);
  }

  // Adds a listener, called after every change in the order listeners were
  // added, until Unlisten with the returned id. Listeners are added and
  // removed outside of notifications.
  int Listen(Listener listener) {
    listeners_.push_back({++lastId_, std::move(listener)});
    return lastId_;
  }
  void Unlisten(int id) { std::erase_if(listeners_, [id](const auto& l) { return l.first == id; }); }

 private:
  template <typename Section>
  static constexpr SettingSection SectionOf() {
    if constexpr (std::is_same_v<Section, PanelOptions>) return SettingSection::Panel;
    else if constexpr (std::is_same_v<Section, LayerOptions>) return SettingSection::Layers;
    else if constexpr (std::is_same_v<Section, Appearance>) return SettingSection::Look;
    else if constexpr (std::is_same_v<Section, OptionValues>) return SettingSection::Options;
    else if constexpr (std::is_same_v<Section, StartupSettings>) return SettingSection::Startup;
    else if constexpr (std::is_same_v<Section, LabelSettings>) return SettingSection::Labels;
    else if constexpr (std::is_same_v<Section, UnderlaySettings>) return SettingSection::Underlay;
    else if constexpr (std::is_same_v<Section, RoadOptions>) return SettingSection::Roads;
    else if constexpr (std::is_same_v<Section, SearchSettings>) return SettingSection::Search;
    else if constexpr (std::is_same_v<Section, RouteSettings>) return SettingSection::Route;
    else {
      static_assert(std::is_same_v<Section, PrintSettings>, "not a section of ControlSettings");
      return SettingSection::Print;
    }
  }
  template <typename Section>
  void NotifyChanged(const ControlSettings& before, Section ControlSettings::*section) const {
    if (!(before.*section == settings_.*section)) Notify(SectionOf<Section>());
  }
  void Notify(SettingSection section) const {
    for (const auto& [id, listener] : listeners_) listener(section);
  }

  ControlSettings settings_;
  std::vector<std::pair<int, Listener>> listeners_;
  int lastId_ = 0;
};

}  // namespace quelmar::core

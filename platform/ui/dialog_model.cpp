#include "platform/ui/dialog_model.h"

#include <mutex>
#include <stdexcept>

namespace quelmar::ui {

DialogField& DialogModel::Add(DialogField field) {
  fields_.push_back(std::move(field));
  return fields_.back();
}

DialogField& DialogModel::Add(std::string name, FieldKind kind, std::string group, std::string text) {
  DialogField field;
  field.name = std::move(name);
  field.kind = kind;
  field.group = std::move(group);
  field.text = std::move(text);
  return Add(std::move(field));
}

DialogField* DialogModel::Find(const std::string& name) {
  for (DialogField& f : fields_) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

const DialogField* DialogModel::Find(const std::string& name) const {
  return const_cast<DialogModel*>(this)->Find(name);
}

DialogField& DialogModel::Field(const std::string& name) {
  if (DialogField* f = Find(name)) return *f;
  throw std::out_of_range("The dialog \"" + caption_ + "\" has no field \"" + name + "\"");
}

const DialogField& DialogModel::Field(const std::string& name) const {
  return const_cast<DialogModel*>(this)->Field(name);
}

void DialogModel::Choose(const std::string& radioName) {
  DialogField& chosen = Field(radioName);
  for (DialogField& f : fields_) {
    if (f.kind == FieldKind::Radio && f.group == chosen.group) f.checked = false;
  }
  chosen.checked = true;
}

void DialogModel::Press(const std::string& buttonName) {
  DialogField& b = Field(buttonName);
  if (b.kind != FieldKind::Button) throw std::invalid_argument("\"" + buttonName + "\" is not a button");
  if (const auto action = pressActions_.find(buttonName); action != pressActions_.end() && action->second) {
    const std::function<void()> run = action->second;  // the action may replace itself
    run();
    return;
  }
  pressed_ = buttonName;
}

void DialogModel::OnPress(const std::string& buttonName, std::function<void()> action) {
  if (action) {
    pressActions_[buttonName] = std::move(action);
  } else {
    pressActions_.erase(buttonName);
  }
}

void DialogModel::Change(const std::string& fieldName, const std::string& text) {
  Field(fieldName).text = text;
  if (const auto action = changeActions_.find(fieldName); action != changeActions_.end()) {
    const std::function<void()> run = action->second;
    run();
  }
}

void DialogModel::OnChange(const std::string& fieldName, std::function<void()> action) {
  changeActions_[fieldName] = std::move(action);
}

namespace {

// The runner is a desktop service, like the system's own dialog manager.
struct RunnerSlot {
  std::mutex mutex;
  DialogRunner runner;
};

RunnerSlot& Slot() {
  static RunnerSlot slot;
  return slot;
}

}  // namespace

void SetDialogRunner(DialogRunner runner) {
  std::lock_guard lock(Slot().mutex);
  Slot().runner = std::move(runner);
}

void RunModal(DialogModel& dialog) {
  DialogRunner runner;
  {
    std::lock_guard lock(Slot().mutex);
    runner = Slot().runner;
  }
  if (runner) {
    runner(dialog);
    return;
  }
  for (const DialogField& f : dialog.Fields()) {
    if (f.kind == FieldKind::Button && !dialog.IsAction(f.name)) {
      dialog.Press(f.name);
      return;
    }
  }
}

}  // namespace quelmar::ui

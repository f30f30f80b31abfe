#pragma once
// Dialogs as models: named fields (labels, edits, check boxes, radio buttons,
// lists, buttons) that code and tests set, press and read. Showing a dialog
// goes through the desktop's dialog runner, which a host or a test replaces.
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quelmar::ui {

enum class FieldKind { Label, Edit, Check, Radio, List, Button, Group };

struct DialogField {
  std::string name;  // the field's caption or identifier, unique within its dialog
  FieldKind kind = FieldKind::Label;
  std::string text;                // label/edit text, selected list item
  bool checked = false;            // check boxes and radio buttons
  std::vector<std::string> items;  // list entries
  std::string group;               // radio group or group box the field belongs to
  bool enabled = true;             // a disabled field cannot be changed
};

class DialogModel {
 public:
  explicit DialogModel(std::string caption) : caption_(std::move(caption)) {}

  const std::string& Caption() const { return caption_; }
  DialogField& Add(DialogField field);
  // Adds a field of `kind` named `name` in `group`, showing `text`.
  DialogField& Add(std::string name, FieldKind kind, std::string group = {}, std::string text = {});
  DialogField* Find(const std::string& name);
  const DialogField* Find(const std::string& name) const;
  // Throws std::out_of_range naming the field when it does not exist.
  DialogField& Field(const std::string& name);
  const DialogField& Field(const std::string& name) const;
  const std::vector<DialogField>& Fields() const { return fields_; }

  // Selects one radio button of its group.
  void Choose(const std::string& radioName);
  // The button that closed the dialog ("" while it is open).
  const std::string& Pressed() const { return pressed_; }
  // Presses a button: an action button runs its action (the dialog stays
  // open unless the action presses a closing button), any other closes it.
  void Press(const std::string& buttonName);
  // Closes the dialog as `buttonName` would, without running its action
  // (an action that decides to close the dialog calls this).
  void Close(const std::string& buttonName) { pressed_ = Field(buttonName).name; }
  // Makes a dialog that is kept between openings ready to be shown again
  // under `caption`: open, with its fields as they were left.
  void Reopen(std::string caption) {
    caption_ = std::move(caption);
    pressed_.clear();
  }
  // Makes `buttonName` an action button (an empty action makes it a closing one again).
  void OnPress(const std::string& buttonName, std::function<void()> action);
  bool IsAction(const std::string& buttonName) const { return pressActions_.contains(buttonName); }

  // Sets an edit's text or a list's selected item, as the user does, and
  // runs the field's change action if it has one.
  void Change(const std::string& fieldName, const std::string& text);
  void OnChange(const std::string& fieldName, std::function<void()> action);

 private:
  std::string caption_;
  std::vector<DialogField> fields_;
  std::string pressed_;
  std::map<std::string, std::function<void()>> pressActions_;
  std::map<std::string, std::function<void()>> changeActions_;
};

// Shows a dialog modally and returns when a button closed it.
using DialogRunner = std::function<void(DialogModel&)>;

// The desktop's runner. Without one, a dialog closes at once by its first
// button that is not an action.
void SetDialogRunner(DialogRunner runner);
void RunModal(DialogModel& dialog);

}  // namespace quelmar::ui

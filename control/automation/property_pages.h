#pragma once
// The control's four property pages, "Screen", "Directories", "Overlays" and
// "&Underlay", as dialog models. A page reads the control's properties by
// name through late binding when it opens and writes them back by name when
// applied, exactly as a designer's property sheet does.
#include <memory>
#include <string>
#include <vector>

#include "platform/com/unknown.h"
#include "platform/ui/dialog_model.h"

namespace quelmar::automation {

// How one dialog field maps to one property.
struct PageBinding {
  std::string field;
  std::string property;
  int radioValue = 0;  // for radio buttons: the value the button stands for
};

class PropertyPage {
 public:
  PropertyPage(std::string title, ui::DialogModel dialog, std::vector<PageBinding> bindings);
  virtual ~PropertyPage() = default;

  const std::string& Title() const { return title_; }
  ui::DialogModel& Dialog() { return dialog_; }

  // Fills the fields from the control. A property the control cannot give
  // leaves its field disabled, and it is not written back.
  void Open(com::IDispatch* control);
  // Writes the enabled fields back; then saves the configuration when the
  // control's AutoConfig is on. Returns the first failure, else S_OK.
  com::HRESULT Apply(com::IDispatch* control);

  // A button of the page was pressed (browse buttons, drive choice, About...).
  virtual void Press(const std::string& button) { (void)button; }

 protected:
  std::string title_;
  ui::DialogModel dialog_;
  std::vector<PageBinding> bindings_;
};

// The pages in the order the control announces them.
std::vector<std::unique_ptr<PropertyPage>> DefinePropertyPages();

// Steps the underlay page's shadow contrast by `delta`, kept within 0..100.
void StepShadowContrast(ui::DialogModel& page, int delta);

}  // namespace quelmar::automation

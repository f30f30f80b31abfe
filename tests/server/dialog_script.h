#pragma once
// A scripted desktop for the settings and control panel tests: every
// message box is recorded and closed by OK, a dialog with a handler for its
// caption is handed to it, any other dialog fails the test. The folder
// chooser records each request and gives the next queued answer ("" when
// the queue is empty, as a cancelled browse does).
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ui/dialog_model.h"
#include "server/engine/folder_browser.h"
#include "server/engine/server_messages.h"

namespace quelmar::server::testing {

class DialogScript {
 public:
  DialogScript() {
    ui::SetDialogRunner([this](ui::DialogModel& d) { Run(d); });
  }
  ~DialogScript() { ui::SetDialogRunner({}); }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // What to do with the dialog of `caption` when it is shown.
  void On(const std::string& caption, std::function<void(ui::DialogModel&)> handler) {
    handlers_[caption] = std::move(handler);
  }
  const std::vector<std::string>& Messages() const { return messages_; }

  // The chooser the code under test is given.
  FolderChooser Chooser() {
    return [this](const FolderRequest& request) {
      requests.push_back(request);
      if (answers.empty()) return std::string();
      std::string answer = answers.front();
      answers.pop_front();
      return answer;
    };
  }
  std::vector<FolderRequest> requests;
  std::deque<std::string> answers;

 private:
  void Run(ui::DialogModel& d) {
    if (d.Caption() == kMessageCaption) {
      messages_.push_back(d.Field(kMessageText).text);
      d.Press(kMessageOk);
      return;
    }
    if (const auto h = handlers_.find(d.Caption()); h != handlers_.end()) {
      h->second(d);
      return;
    }
    ADD_FAILURE() << "an unexpected dialog: " << d.Caption();
  }

  std::map<std::string, std::function<void(ui::DialogModel&)>> handlers_;
  std::vector<std::string> messages_;
};

}  // namespace quelmar::server::testing

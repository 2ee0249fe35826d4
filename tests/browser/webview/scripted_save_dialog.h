// A save dialog that answers as the test says and remembers what it was offered.
#pragma once

#include <string>
#include <vector>

#include "browser/webview/save_dialog.h"

namespace testing_support {

class ScriptedSaveDialog : public browser::SaveDialog {
 public:
  explicit ScriptedSaveDialog(std::string answer, std::vector<std::string>* offered)
      : answer_(std::move(answer)), offered_(offered) {}

  void Ask(Gtk::Widget&, const std::string& suggested_name, Answer answer) override {
    offered_->push_back(suggested_name);
    answer(answer_);
  }

 private:
  std::string answer_;
  std::vector<std::string>* offered_;
};

}  // namespace testing_support

// A browser window over a scripted web view, and ways to reach inside its controls
// the way a user would: the address box's text field and its list.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <gtkmm/combobox.h>

#include <memory>

#include "browser/frmBrowser.h"
#include "support/ui.h"
#include "tests/browser/scripted_web_view.h"

namespace testing_support {

class BrowserWindowTest : public testing::Test {
 protected:
  BrowserWindowTest() {
    auto view = std::make_unique<ScriptedWebView>();
    web = view.get();
    form = std::make_unique<browser::frmBrowser>(std::move(view));
  }

  // Loads the window and waits until it is laid out at its own size.
  void LoadAndShow() {
    form->Load();
    ASSERT_TRUE(PumpUntil([this] { return form->brwWebBrowser.AsWidget().get_width() > 0; }));
  }

  // What the user's pick of an entry in the drop-down list does.
  void PickFromList(int index) {
    auto* combo = dynamic_cast<Gtk::ComboBox*>(form->cboAddress.get_first_child());
    ASSERT_NE(combo, nullptr);
    combo->set_active(index);
  }

  // What Enter in the address box's text does.
  void PressEnter() { g_signal_emit_by_name(form->cboAddress.FocusTarget().gobj(), "activate"); }

  // What a click on a button does, at once (GTK's own activation waits a moment).
  static void Click(Gtk::Widget& button) { g_signal_emit_by_name(button.gobj(), "clicked"); }

  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < form->cboAddress.ListCount(); ++i)
      entries.push_back(form->cboAddress.List(i));
    return entries;
  }

  std::string Title() const { return form->get_title(); }

  ScriptedWebView* web = nullptr;
  std::unique_ptr<browser::frmBrowser> form;
};

}  // namespace testing_support

// Form1's keys on its lists, pressed for real through the X server: each runs the
// handler of its button, browses, or types ahead.
#include <filesystem>
#include <functional>

#include "form1_fixture.h"
#include "support/x_keys.h"

namespace {

using testing_support::Form1Test;
using testing_support::PumpFor;
using testing_support::PumpUntil;

class Form1KeysTest : public Form1Test {
 protected:
  // Gives list the focus and presses keys (xdotool's names) on the window.
  void Press(Gtk::Widget& list, const std::string& keys) {
    dynamic_cast<Gtk::ScrolledWindow&>(list).get_child()->grab_focus();
    ASSERT_TRUE(testing_support::PressKeys(*form, keys)) << keys;
  }

  // The row the folder list has selected, as its path.
  std::string FolderSelected() {
    auto selection = std::dynamic_pointer_cast<Gtk::SingleSelection>(FolderView().get_model());
    return form->Dir1.RowPath(selection->get_selected());
  }

  std::string LastTitle() { return messages.shown.empty() ? "" : messages.shown.back().title; }
};

TEST_F(Form1KeysTest, KeysOnTheListsRunTheButtonsHandlersBrowseAndTypeAhead) {
  folder.Write("apple.txt", "");
  folder.Write("avocado.txt", "");
  folder.Write("banana.txt", "");
  const std::string sub = folder.Folder("sub");
  const std::string parent = std::filesystem::path(folder.Path()).parent_path();
  MakeScriptedForm();
  Open(folder.Path());

  struct Step {
    const char* keys;
    bool folders;                   // pressed on the folder list, else on the file list
    std::function<void()> before;   // what changes outside first
    std::function<bool()> reached;  // what the keys did
  };
  const Step steps[] = {
      {"a", false, {}, [&] { return form->File1.FileName() == "apple.txt"; }},
      {"a", false, {}, [&] { return form->File1.FileName() == "avocado.txt"; }},
      {"b", false, {}, [&] { return PathBox() == folder.Path("banana.txt"); }},
      {"ctrl+c",
       false,
       {},
       [&] { return LastTitle() == "Copy" && form->ClipboardPath() == folder.Path("banana.txt"); }},
      {"ctrl+x", false, {}, [&] { return LastTitle() == "Cut" && form->IsCut(); }},
      {"Delete", false, {}, [&] { return LastTitle() == "Confirm Delete"; }},
      {"ctrl+v", false, {}, [&] { return LastTitle() == "Success" && !Fso().calls.empty(); }},
      {"a v", false, {}, [&] { return form->File1.FileName() == "avocado.txt"; }},
      {"Left Down Up", false, {}, [&] { return form->File1.FileName() == "avocado.txt"; }},
      {"F5", false, [&] { folder.Write("cherry.txt", ""); },
       [&] { return form->File1.ListCount() == 4 && form->File1.FileName() == "avocado.txt"; }},
      {"F5", false, [&] { std::filesystem::remove(folder.Path("avocado.txt")); },
       [&] { return form->File1.ListCount() == 3 && PathBox().empty(); }},
      {"s", true, {}, [&] { return FolderSelected() == sub; }},
      {"BackSpace", false, {}, [&] { return form->Dir1.Path() == parent; }},
      {"alt+Left", true, {}, [&] { return form->Dir1.Path() == folder.Path(); }},
      {"alt+Right", false, {}, [&] { return form->Dir1.Path() == parent; }},
      {"alt+Up", true, {}, [&] { return form->Dir1.Path() == "/"; }},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.keys);
    // A pause ends the type-ahead of the step before.
    PumpFor(std::chrono::milliseconds(1100));
    if (step.before) step.before();
    Press(step.folders ? static_cast<Gtk::Widget&>(form->Dir1) : form->File1, step.keys);
    EXPECT_TRUE(PumpUntil(step.reached, std::chrono::seconds(3)));
  }
  EXPECT_EQ(Fso().calls, (std::vector<testing_support::FsoCall>{
                             {"MoveFile", folder.Path("banana.txt"), folder.Path("banana.txt")}}));
}

}  // namespace

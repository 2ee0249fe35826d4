// What the tests of Form1 share: a file-system object the test scripts, a window on
// screen over a temporary folder, and helpers that open folders and select files
// through the lists as the user does.
#pragma once

#include <gtest/gtest.h>
#include <gtkmm/gridview.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/errors.h"
#include "filemanager/Form1.h"
#include "support/temporary_folder.h"
#include "support/ui.h"

namespace testing_support {

struct FsoCall {
  std::string operation;
  std::string first;
  std::string second;
  bool operator==(const FsoCall&) const = default;
};

inline void PrintTo(const FsoCall& call, std::ostream* out) {
  *out << call.operation << "(" << call.first << ", " << call.second << ")";
}

inline void PrintTo(const ShownMessage& message, std::ostream* out) {
  *out << "{\"" << message.prompt << "\", " << message.style << ", \"" << message.title << "\"}";
}

class ScriptedFileSystemObject : public filemanager::FileSystemObject {
 public:
  std::vector<FsoCall> calls;
  // The description the next operation fails with, if any.
  std::optional<std::string> failure;

  std::string GetFileName(const std::string& path) override {
    return path.substr(path.rfind('/') + 1);
  }
  void CopyFile(const std::string& source, const std::string& destination) override {
    Record({"CopyFile", source, destination});
  }
  void MoveFile(const std::string& source, const std::string& destination) override {
    Record({"MoveFile", source, destination});
  }
  void DeleteFile(const std::string& path, bool force) override {
    Record({"DeleteFile", path, force ? "force" : "no force"});
  }

 private:
  void Record(FsoCall call) {
    calls.push_back(std::move(call));
    if (failure) {
      const std::string description = *failure;
      failure.reset();
      throw common::Error(description);
    }
  }
};

class Form1Test : public testing::Test {
 protected:
  void TearDown() override {
    if (form) form->hide();
  }

  void MakeForm(filemanager::FileSystemObjectFactory factory) {
    form = std::make_unique<filemanager::Form1>(messages, std::move(factory));
    form->present();
    // The lists show their rows after the window's first frame.
    ASSERT_TRUE(PumpUntil(
        [&] { return form->get_mapped() && FileView().get_model() && FolderView().get_model(); }));
  }

  void MakeScriptedForm() {
    MakeForm([this](Gtk::Window& owner) {
      ++fso_made;
      fso_owner = &owner;
      return std::make_unique<ScriptedFileSystemObject>();
    });
  }

  ScriptedFileSystemObject& Fso() { return dynamic_cast<ScriptedFileSystemObject&>(form->Fso()); }

  // Opens path in the folder list, as a double-click does, and waits for the files.
  void Open(const std::string& path) {
    form->Dir1.Path(path);
    ASSERT_TRUE(PumpUntil([&] { return form->File1.Complete(); }));
  }

  Gtk::GridView& FileView() { return filemanager::ViewOf(form->File1); }
  Gtk::GridView& FolderView() { return filemanager::ViewOf(form->Dir1); }

  // The names the file list shows, in its order.
  std::vector<std::string> Listed() {
    PumpUntil([&] { return form->File1.Complete(); });
    GListModel* model = G_LIST_MODEL(FileView().get_model()->gobj());
    std::vector<std::string> names;
    for (guint i = 0; i < g_list_model_get_n_items(model); ++i) {
      auto* row = static_cast<GtkStringObject*>(g_list_model_get_item(model, i));
      names.push_back(gtk_string_object_get_string(row));
      g_object_unref(row);
    }
    return names;
  }

  // Selects the row that shows name, as a click on it does.
  void Select(const std::string& shown_name) {
    const std::vector<std::string> names = Listed();
    for (guint i = 0; i < names.size(); ++i) {
      if (names[i] == shown_name) {
        FileView().get_model()->select_item(i, true);
        return;
      }
    }
    FAIL() << shown_name << " is not listed";
  }

  // A click on button. (Activating it by key would click only after a delay.)
  void Click(Gtk::Button& button) { g_signal_emit_by_name(button.gobj(), "clicked"); }

  std::string PathBox() { return form->txtFilePath.get_text(); }

  ScriptedMessageBox messages;
  TemporaryFolder folder;
  std::unique_ptr<filemanager::Form1> form;
  int fso_made = 0;
  Gtk::Window* fso_owner = nullptr;
};

}  // namespace testing_support

// Form1, the one window of tavvel: drive, folder and file lists, the path of the
// selected file, and the buttons that cut, copy, paste and delete one file through an
// internal clipboard. Browsing is in Form1.cpp, the file commands in
// Form1_file_commands.cpp, Rename and New Folder in Form1_names.cpp, the lists' context
// menus in Form1_menus.cpp.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/client_area.h"
#include "common/message_box.h"
#include "filemanager/context_menu.h"
#include "filemanager/cool_bar.h"
#include "filemanager/file_system_object.h"
#include "filemanager/folder_history.h"
#include "filemanager/lists/dir_list_box.h"
#include "filemanager/lists/drive_list_box.h"
#include "filemanager/lists/file_list_box.h"
#include "filemanager/tab_order.h"

namespace filemanager {

// Creates the window's file-system object; owner is the window it works for.
using FileSystemObjectFactory = std::function<std::unique_ptr<FileSystemObject>(Gtk::Window&)>;

class Form1 : public Gtk::Window {
 public:
  // Form_Load runs before the constructor returns; the window is not shown yet.
  Form1(common::MessageBox& messages, FileSystemObjectFactory create_fso);
  ~Form1() override;

  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // What the tests observe of the window's private state.
  const std::string& ClipboardPath() const { return clipboardPath; }
  bool IsCut() const { return isCut; }
  FileSystemObject& Fso() const { return *fso; }

  // The controls. A control that another one contains is declared before it, so the
  // container lets go of it before it goes.
  DriveListBox Drive1;
  FileListBox File1;
  DirListBox Dir1;
  common::Control<Gtk::Box> StatusBar1;
  common::Control<Gtk::Entry> txtFilePath;
  CoolBar z;
  common::Control<Gtk::Button> cmdCut;
  common::Control<Gtk::Button> cmdCopy;
  common::Control<Gtk::Button> cmdPaste;
  common::Control<Gtk::Button> cmdDelete;
  common::Control<Gtk::Button> Command4;
  common::Control<Gtk::Button> Command5;

 private:
  void Place();
  void connect_signals();

  // Browsing.
  void Form_Load();
  void Drive1_Change();
  void Dir1_Change();
  void Dir1_OpenFailed(const std::string& description);
  void File1_Click();
  std::string GetSelectedFilePath();
  void ShowFilePath(const std::string& path);
  void File1_Unselected();
  void File1_DblClick();

  // The keys of the lists (Form1_keys.cpp).
  void connect_keys();
  bool File1_KeyPressed(guint keyval, guint keycode, Gdk::ModifierType state);
  bool Dir1_KeyPressed(guint keyval, guint keycode, Gdk::ModifierType state);
  bool BrowseKey(guint keyval, Gdk::ModifierType state);
  void RefreshLists();
  void OpenParent();
  bool CommandKey(guint keyval, Gdk::ModifierType modifiers, bool files);

  // Rename and New Folder, and the folder list following what changes in its folder
  // (Form1_names.cpp).
  void File1_Rename();
  void Dir1_NewFolder();
  void File1_FolderChanged();
  void File1_Listed();
  void SelectFile(const std::string& name);
  std::string NewFolderName();

  // The lists' context menus (Form1_menus.cpp).
  void connect_menus();
  void File1_RightClick(int presses, double x, double y);
  void Dir1_RightClick(int presses, double x, double y);
  void File1_ContextMenu(std::optional<Gdk::Rectangle> where);
  void Dir1_ContextMenu(std::optional<Gdk::Rectangle> where);
  void Dir1_Open();

  // Back and Forward through the folders Dir1 has had open.
  void Command4_Click();
  void Command5_Click();
  struct HistoryStep {
    bool back;  // else forward
    std::string folder;
  };
  void OpenFromHistory(HistoryStep step);
  bool StepThroughHistory();
  void DropFromHistory();

  // The internal clipboard and the file commands.
  void cmdCopy_Click();
  void cmdCut_Click();
  void cmdPaste_Click();
  void cmdDelete_Click();
  void PutOnClipboard(bool cut);

  common::MessageBox& messages_;
  FileSystemObjectFactory create_fso_;
  Gtk::Frame panel1_;  // StatusBar1's one panel, always empty
  TabOrder tab_order_;
  FolderHistory history_;
  std::optional<HistoryStep> history_step_;  // asked for, not yet open
  std::string renamed_;  // the path of a file to select once the file list is complete
  ContextMenu file_menu_;
  ContextMenu folder_menu_;

  std::unique_ptr<FileSystemObject> fso;
  std::string clipboardPath;
  bool isCut = false;

  // Declared last, so it goes first and lets go of the controls while they live.
  common::ClientArea client_;
};

}  // namespace filemanager

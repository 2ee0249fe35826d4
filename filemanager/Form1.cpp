// Form1's layout, start-up and browsing: the lists, the path box, and Back and
// Forward through the folders the folder list has had open.
#include "filemanager/Form1.h"

#include <glibmm/convert.h>

#include <utility>

#include "common/accessible.h"
#include "common/errors.h"
#include "filemanager/lists/folder_path.h"

namespace filemanager {

Form1::Form1(common::MessageBox& messages, FileSystemObjectFactory create_fso)
    : File1(FirstRows::kAfterFirstFrame),
      Dir1(FirstRows::kAfterFirstFrame),
      z(6855, 1665, {{675, 2880, false}, {360, 1440, true}, {510, 1440, true}}),
      cmdCut("_Cut", true),
      cmdCopy("_Copy", true),
      cmdPaste("_Paste", true),
      cmdDelete("_Delete", true),
      Command4("_Back", true),
      Command5("_Forward", true),
      messages_(messages),
      create_fso_(std::move(create_fso)),
      // The status bar and the cool bar take no focus; the path box, though inside
      // the cool bar, comes last.
      tab_order_(*this, {&Drive1, &File1, &Dir1, &cmdCut, &cmdCopy, &cmdPaste, &cmdDelete,
                         &Command4, &Command5, &txtFilePath}),
      client_(14625, 8685) {
  set_title("File Manager");
  Place();
  history_.Visit(Dir1.Path());
  connect_signals();
  Form_Load();
}

Form1::~Form1() = default;

void Form1::Place() {
  StatusBar1.append(panel1_);
  panel1_.set_hexpand(true);
  common::SetAccessibleName(StatusBar1, "Status bar");
  common::SetAccessibleName(z, "Cool bar");
  common::SetAccessibleName(txtFilePath, "File path");
  common::SetAccessibleName(cmdCut, "Cut");
  common::SetAccessibleName(cmdCopy, "Copy");
  common::SetAccessibleName(cmdPaste, "Paste");
  common::SetAccessibleName(cmdDelete, "Delete");
  common::SetAccessibleName(Command4, "Back");
  common::SetAccessibleName(Command5, "Forward");

  client_.Add(Drive1, {0, 120, 7575, 315});
  client_.Add(File1, {0, 4200, 7575, 4185});
  client_.Add(Dir1, {0, 480, 7575, 3690});
  client_.Add(StatusBar1, {0, 8430, 14625, 255});
  client_.Add(z, {7680, 120, 6855, 1665});
  z.Add(txtFilePath, {120, 1200, 6615, 375});
  client_.Add(cmdCut, {7680, 2280, 735, 735});
  client_.Add(cmdCopy, {7680, 3240, 735, 735});
  client_.Add(cmdPaste, {7680, 4200, 735, 735});
  client_.Add(cmdDelete, {7680, 5160, 735, 735});
  client_.Add(Command4, {7680, 6120, 735, 735});
  client_.Add(Command5, {7680, 7080, 735, 735});
  set_child(client_);
}

void Form1::connect_signals() {
  Drive1.signal_change().connect(sigc::mem_fun(*this, &Form1::Drive1_Change));
  Dir1.signal_change().connect(sigc::mem_fun(*this, &Form1::Dir1_Change));
  Dir1.signal_open_failed().connect(sigc::mem_fun(*this, &Form1::Dir1_OpenFailed));
  File1.signal_click().connect(sigc::mem_fun(*this, &Form1::File1_Click));
  cmdCut.signal_clicked().connect(sigc::mem_fun(*this, &Form1::cmdCut_Click));
  cmdCopy.signal_clicked().connect(sigc::mem_fun(*this, &Form1::cmdCopy_Click));
  cmdPaste.signal_clicked().connect(sigc::mem_fun(*this, &Form1::cmdPaste_Click));
  cmdDelete.signal_clicked().connect(sigc::mem_fun(*this, &Form1::cmdDelete_Click));
  Command4.signal_clicked().connect(sigc::mem_fun(*this, &Form1::Command4_Click));
  Command5.signal_clicked().connect(sigc::mem_fun(*this, &Form1::Command5_Click));
  File1.signal_dbl_click().connect(sigc::mem_fun(*this, &Form1::File1_DblClick));
  File1.signal_unselected().connect(sigc::mem_fun(*this, &Form1::File1_Unselected));
  File1.signal_folder_changed().connect(sigc::mem_fun(*this, &Form1::File1_FolderChanged));
  File1.signal_listed().connect(sigc::mem_fun(*this, &Form1::File1_Listed));
  connect_keys();
  connect_menus();
}

// No trap: a file-system object that cannot be made leaves the window unloaded.
void Form1::Form_Load() {
  fso = create_fso_(*this);
  File1.Pattern("*.*");
  txtFilePath.set_text("");
}

void Form1::Drive1_Change() {
  common::TrapFailure(
      [this] {
        Dir1.Path(Drive1.Drive());
        txtFilePath.set_text("");
      },
      [this](const std::string&) {
        messages_.Show("Drive not available or not ready.", common::kCritical, "Drive Error");
      });
}

void Form1::Dir1_Change() {
  File1.Path(Dir1.Path());
  txtFilePath.set_text("");
  if (!StepThroughHistory()) history_.Visit(Dir1.Path());
}

// The folder list stays where it was; the user learns why the folder did not open.
void Form1::Dir1_OpenFailed(const std::string& description) {
  DropFromHistory();
  messages_.Show(description, common::kCritical, "Folder Error");
}

void Form1::File1_Click() { ShowFilePath(GetSelectedFilePath()); }

// The selected file went from its folder.
void Form1::File1_Unselected() { txtFilePath.set_text(""); }

std::string Form1::GetSelectedFilePath() {
  const std::string name = File1.FileName();
  if (name.empty()) return "";
  const std::string folder = File1.Path();
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// Paths are bytes and need not be valid UTF-8; the box shows them readably, on one line.
void Form1::ShowFilePath(const std::string& path) {
  txtFilePath.set_text(DisplayName(path.c_str()));
}

void Form1::Command4_Click() {
  if (const auto previous = history_.Previous()) OpenFromHistory({true, *previous});
}

void Form1::Command5_Click() {
  if (const auto next = history_.Next()) OpenFromHistory({false, *next});
}

// The history steps when the folder opens, which for a slow folder is after this
// returns. A folder of the history that has gone since is reported like any folder
// that does not open, and the lists stay where they are.
void Form1::OpenFromHistory(HistoryStep step) {
  const std::string folder = step.folder;
  history_step_ = std::move(step);
  common::TrapFailure([&] { Dir1.Path(folder); },
                      [this](const std::string& description) { Dir1_OpenFailed(description); });
  // A folder open already raises no Change.
  if (history_step_ && !Dir1.Opening() && Dir1.Path() == folder) StepThroughHistory();
}

// Dir1 opened a folder: true when it is the one Back or Forward asked for, and the
// history has stepped to it; any other folder ends what they asked for.
bool Form1::StepThroughHistory() {
  const auto step = std::exchange(history_step_, std::nullopt);
  if (!step || step->folder != Dir1.Path()) return false;
  if (step->back)
    history_.StepBack();
  else
    history_.StepForward();
  return true;
}

// A folder failed to open: when it is the one Back or Forward asked for it leaves the
// history, so the next Back or Forward goes on to the one beyond it. Any failure ends
// what they asked for, as a newer folder cancels the loading of an older one.
void Form1::DropFromHistory() {
  const auto step = std::exchange(history_step_, std::nullopt);
  if (!step || step->folder != Dir1.Failed()) return;
  if (step->back)
    history_.DropPrevious();
  else
    history_.DropNext();
}

}  // namespace filemanager

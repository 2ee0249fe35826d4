// Form1 over the program's real file-system object and real files in temporary
// folders: what the user sees and what happens on disk.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "filemanager/progress_file_system_object.h"
#include "form1_fixture.h"
#include "slow_transfer.h"

namespace {

using testing_support::ShownMessage;
using Messages = std::vector<ShownMessage>;
namespace fs = std::filesystem;

const ShownMessage kCopied{"File copied to internal clipboard.", 64, "Copy"};
const ShownMessage kCut{"File cut to internal clipboard.", 64, "Cut"};
const ShownMessage kPasted{"File pasted successfully.", 64, "Success"};

struct Form1RealFilesTest : testing_support::Form1Test {
  std::string source, first, second;
  void SetUp() override {
    source = folder.Folder("source");
    first = folder.Folder("first");
    second = folder.Folder("second");
    folder.Write("source/song.ogg", "la la la");
    MakeForm([](Gtk::Window& owner) {
      return std::make_unique<filemanager::ProgressFileSystemObject>(owner);
    });
    Open(source);
  }
  bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  }
};

TEST_F(Form1RealFilesTest, CopyThenPasteInTwoFoldersMakesTwoCopiesAndEmptiesThePathBox) {
  Select("song.ogg");
  Click(form->cmdCopy);
  Open(first);
  Click(form->cmdPaste);
  EXPECT_TRUE(Contains(Listed(), "song.ogg"));
  EXPECT_EQ(PathBox(), "");
  Open(second);
  Click(form->cmdPaste);
  EXPECT_EQ(messages.shown.back(), kPasted);
  EXPECT_EQ(folder.Read("first/song.ogg"), "la la la");
  EXPECT_EQ(folder.Read("second/song.ogg"), "la la la");
  EXPECT_EQ(folder.Read("source/song.ogg"), "la la la");
  EXPECT_EQ(form->ClipboardPath(), source + "/song.ogg");
}

TEST_F(Form1RealFilesTest, PasteIntoTheSourceFolderIsRefusedAndChangesNothing) {
  Select("song.ogg");
  Click(form->cmdCopy);
  Click(form->cmdPaste);
  EXPECT_EQ(messages.shown,
            (Messages{kCopied,
                      {"Error pasting file: Source and destination are the same file", 16,
                       "Paste Error"}}));
  EXPECT_EQ(folder.Read("source/song.ogg"), "la la la");
  EXPECT_EQ(Listed(), std::vector<std::string>{"song.ogg"});
  EXPECT_EQ(form->ClipboardPath(), source + "/song.ogg");
  EXPECT_FALSE(form->IsCut());
}

TEST_F(Form1RealFilesTest, CutThenPasteMovesTheFileAndASecondPasteFindsTheClipboardEmpty) {
  Select("song.ogg");
  Click(form->cmdCut);
  EXPECT_TRUE(fs::exists(source + "/song.ogg"));  // nothing happens before Paste
  Open(first);
  Click(form->cmdPaste);
  Click(form->cmdPaste);
  EXPECT_EQ(
      messages.shown,
      (Messages{kCut, kPasted, {"Clipboard is empty. Copy or Cut a file first.", 48, "Paste"}}));
  EXPECT_FALSE(fs::exists(source + "/song.ogg"));
  EXPECT_EQ(folder.Read("first/song.ogg"), "la la la");
  EXPECT_EQ(Listed(), std::vector<std::string>{"song.ogg"});
}

TEST_F(Form1RealFilesTest, AMoveOntoAnExistingFileIsRefusedAndTheCutStaysOnTheClipboard) {
  folder.Write("first/song.ogg", "another song");
  Select("song.ogg");
  Click(form->cmdCut);
  Open(first);
  Click(form->cmdPaste);
  EXPECT_EQ(messages.shown.back(),
            (ShownMessage{"Error pasting file: File already exists", 16, "Paste Error"}));
  EXPECT_EQ(folder.Read("first/song.ogg"), "another song");
  EXPECT_EQ(folder.Read("source/song.ogg"), "la la la");
  EXPECT_EQ(form->ClipboardPath(), source + "/song.ogg");
  EXPECT_TRUE(form->IsCut());
}

TEST_F(Form1RealFilesTest, AFileGoneFromTheClipboardIsReportedWhenPasted) {
  Select("song.ogg");
  Click(form->cmdCopy);
  fs::remove(source + "/song.ogg");
  Open(first);
  Click(form->cmdPaste);
  EXPECT_EQ(messages.shown.back(),
            (ShownMessage{"Error pasting file: The file does not exist", 16, "Paste Error"}));
  EXPECT_FALSE(fs::exists(first + "/song.ogg"));
  EXPECT_EQ(form->ClipboardPath(), source + "/song.ogg");
}

TEST_F(Form1RealFilesTest, DeleteRemovesTheFileAndTheListAndPathBoxFollow) {
  folder.Write("source/keep.txt", "keep");
  form->File1.Refresh();
  Select("song.ogg");
  messages.answers = {common::kYes};
  Click(form->cmdDelete);
  EXPECT_EQ(
      messages.shown,
      (Messages{{"Are you sure you want to permanently delete song.ogg?", 36, "Confirm Delete"},
                {"File deleted.", 64, "Deleted"}}));
  EXPECT_FALSE(fs::exists(source + "/song.ogg"));
  EXPECT_EQ(Listed(), std::vector<std::string>{"keep.txt"});
  EXPECT_EQ(PathBox(), "");
}

// File names are bytes: the window shows them readably but acts on the exact file.
TEST_F(Form1RealFilesTest, ANameThatIsNotUtf8IsShownReadablyAndCopiedAndDeletedExactly) {
  const std::string odd = "caf\xe9.txt";  // Latin-1, not UTF-8
  folder.Write("source/" + odd, "odd");
  folder.Write("source/caf\xef\xbf\xbd.txt", "a look-alike that must stay");
  form->File1.Refresh();
  const std::vector<std::string> listed = Listed();
  ASSERT_EQ(std::count(listed.begin(), listed.end(), "caf\xef\xbf\xbd.txt"), 2);
  for (guint i = 0; i < listed.size(); ++i) {
    FileView().get_model()->select_item(i, true);
    if (form->File1.FileName() == odd) break;
  }
  ASSERT_EQ(form->File1.FileName(), odd);
  EXPECT_EQ(PathBox(), source + "/caf\xef\xbf\xbd.txt");

  Click(form->cmdCopy);
  EXPECT_EQ(form->ClipboardPath(), source + "/" + odd);
  Open(first);
  Click(form->cmdPaste);
  EXPECT_EQ(messages.shown.back(), kPasted);
  EXPECT_EQ(folder.Read("first/" + odd), "odd");

  Open(source);
  for (guint i = 0; i < listed.size(); ++i) {
    FileView().get_model()->select_item(i, true);
    if (form->File1.FileName() == odd) break;
  }
  messages.answers = {common::kYes};
  Click(form->cmdDelete);
  EXPECT_EQ(messages.shown[messages.shown.size() - 2].prompt,
            "Are you sure you want to permanently delete caf\xef\xbf\xbd.txt?");
  EXPECT_FALSE(fs::exists(source + "/" + odd));
  EXPECT_EQ(folder.Read("source/caf\xef\xbf\xbd.txt"), "a look-alike that must stay");
}

// A line break in a name shows as "?" in the path box and in the question, so the
// name never passes for two.
TEST_F(Form1RealFilesTest, ALineBreakInANameShowsOnOneLine) {
  const std::string name = "two\nlines.txt";
  folder.Write("source/" + name, "x");
  form->File1.Refresh();
  const std::vector<std::string> listed = Listed();
  for (guint i = 0; i < listed.size(); ++i) {
    FileView().get_model()->select_item(i, true);
    if (form->File1.FileName() == name) break;
  }
  ASSERT_EQ(form->File1.FileName(), name);
  EXPECT_EQ(PathBox(), source + "/two?lines.txt");
  messages.answers = {common::kNo};
  Click(form->cmdDelete);
  EXPECT_EQ(messages.shown.back().prompt,
            "Are you sure you want to permanently delete two?lines.txt?");
  EXPECT_TRUE(fs::exists(source + "/" + name));
}

// A long paste shows the progress window over Form1; Cancel ends it like any failure.
TEST_F(Form1RealFilesTest, CancellingALongPasteReportsItAndKeepsTheClipboard) {
  form = nullptr;
  MakeForm([](Gtk::Window& owner) {
    return std::make_unique<filemanager::ProgressFileSystemObject>(
        owner, testing_support::SlowOperations(std::chrono::seconds(60)),
        std::chrono::milliseconds(0));
  });
  auto* fso = dynamic_cast<filemanager::ProgressFileSystemObject*>(&form->Fso());
  ASSERT_NE(fso, nullptr);
  Open(source);
  Select("song.ogg");
  Click(form->cmdCut);

  bool over_form = false;
  auto cancel = Glib::signal_timeout().connect(
      [&] {
        filemanager::ProgressWindow* progress = fso->CurrentProgress();
        if (!progress) return true;
        over_form = progress->get_transient_for() == form.get() && progress->get_modal();
        progress->CancelButton().activate();
        return false;
      },
      20);
  Open(first);
  Click(form->cmdPaste);
  cancel.disconnect();
  EXPECT_TRUE(over_form);
  EXPECT_EQ(messages.shown.back(),
            (ShownMessage{"Error pasting file: Operation cancelled", 16, "Paste Error"}));
  EXPECT_EQ(form->ClipboardPath(), source + "/song.ogg");
  EXPECT_TRUE(form->IsCut());
  EXPECT_EQ(folder.Read("source/song.ogg"), "la la la");
}

}  // namespace

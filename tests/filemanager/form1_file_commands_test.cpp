// Form1's clipboard and file commands over a scripted file-system object: every
// message exactly as shown, the clipboard's states, what each command asks the object.
#include "form1_fixture.h"

namespace {

using testing_support::Form1Test;
using testing_support::FsoCall;
using testing_support::ShownMessage;
using Messages = std::vector<ShownMessage>;
using Calls = std::vector<FsoCall>;

const ShownMessage kCopied{"File copied to internal clipboard.", 64, "Copy"};
const ShownMessage kCut{"File cut to internal clipboard.", 64, "Cut"};
const ShownMessage kPasted{"File pasted successfully.", 64, "Success"};
const ShownMessage kEmpty{"Clipboard is empty. Copy or Cut a file first.", 48, "Paste"};

struct Form1CommandsTest : Form1Test {
  std::string source_folder, other_folder;
  void SetUp() override {
    source_folder = folder.Folder("source");
    other_folder = folder.Folder("other");
    folder.Write("source/report.txt", "");
    folder.Write("source/notes.txt", "");
    MakeScriptedForm();
    Open(source_folder);
  }
};

TEST_F(Form1CommandsTest, CopyCutAndDeleteWithNothingSelectedOnlyWarn) {
  Click(form->cmdCopy);
  Click(form->cmdCut);
  Click(form->cmdDelete);
  EXPECT_EQ(messages.shown, (Messages{{"Please select a file first.", 48, "No Selection"},
                                      {"Please select a file first.", 48, "No Selection"},
                                      {"Please select a file to delete.", 48, "No Selection"}}));
  EXPECT_EQ(form->ClipboardPath(), "");
  EXPECT_FALSE(form->IsCut());
  EXPECT_TRUE(Fso().calls.empty());
}

TEST_F(Form1CommandsTest, PasteWithAnEmptyClipboardOnlyWarns) {
  Click(form->cmdPaste);
  EXPECT_EQ(messages.shown, (Messages{kEmpty}));
  EXPECT_TRUE(Fso().calls.empty());
}

TEST_F(Form1CommandsTest, CopyThenPasteTwiceCopiesEachTimeAndKeepsTheClipboard) {
  Select("report.txt");
  Click(form->cmdCopy);
  EXPECT_EQ(form->ClipboardPath(), source_folder + "/report.txt");
  EXPECT_FALSE(form->IsCut());
  // The file is not touched before Paste.
  EXPECT_TRUE(Fso().calls.empty());

  Open(other_folder);
  Click(form->cmdPaste);
  Open(folder.Path());
  Click(form->cmdPaste);
  EXPECT_EQ(Fso().calls,
            (Calls{{"CopyFile", source_folder + "/report.txt", other_folder + "/report.txt"},
                   {"CopyFile", source_folder + "/report.txt", folder.Path("report.txt")}}));
  EXPECT_EQ(messages.shown, (Messages{kCopied, kPasted, kPasted}));
  EXPECT_EQ(form->ClipboardPath(), source_folder + "/report.txt");
  EXPECT_FALSE(form->IsCut());
}

TEST_F(Form1CommandsTest, PasteInTheSourceFolderPassesTheSamePathAndAFailureKeepsTheClipboard) {
  Select("report.txt");
  Click(form->cmdCopy);
  Fso().failure = "Source and destination are the same file";
  Click(form->cmdPaste);
  const std::string path = source_folder + "/report.txt";
  EXPECT_EQ(Fso().calls, (Calls{{"CopyFile", path, path}}));
  EXPECT_EQ(messages.shown.back(),
            (ShownMessage{"Error pasting file: Source and destination are the same file", 16,
                          "Paste Error"}));
  EXPECT_EQ(form->ClipboardPath(), path);
  EXPECT_FALSE(form->IsCut());
}

TEST_F(Form1CommandsTest, CutThenPasteMovesOnceAndEmptiesTheClipboardButKeepsIsCut) {
  Select("notes.txt");
  Click(form->cmdCut);
  EXPECT_EQ(form->ClipboardPath(), source_folder + "/notes.txt");
  EXPECT_TRUE(form->IsCut());
  Open(other_folder);
  Click(form->cmdPaste);
  Click(form->cmdPaste);
  EXPECT_EQ(Fso().calls,
            (Calls{{"MoveFile", source_folder + "/notes.txt", other_folder + "/notes.txt"}}));
  EXPECT_EQ(messages.shown, (Messages{kCut, kPasted, kEmpty}));
  EXPECT_EQ(form->ClipboardPath(), "");
  EXPECT_TRUE(form->IsCut());
}

TEST_F(Form1CommandsTest, ARefusedMoveKeepsTheCutOnTheClipboardForAnotherTry) {
  Select("notes.txt");
  Click(form->cmdCut);
  Open(other_folder);
  Fso().failure = "File already exists";
  Click(form->cmdPaste);
  EXPECT_EQ(messages.shown.back(),
            (ShownMessage{"Error pasting file: File already exists", 16, "Paste Error"}));
  EXPECT_EQ(form->ClipboardPath(), source_folder + "/notes.txt");
  EXPECT_TRUE(form->IsCut());
  Click(form->cmdPaste);
  EXPECT_EQ(messages.shown.back(), kPasted);
  EXPECT_EQ(Fso().calls.size(), 2u);
}

TEST_F(Form1CommandsTest, CopyAndCutReplaceEachOtherWithTheNewSelection) {
  Select("notes.txt");
  Click(form->cmdCut);
  Select("report.txt");
  Click(form->cmdCopy);
  EXPECT_EQ(form->ClipboardPath(), source_folder + "/report.txt");
  EXPECT_FALSE(form->IsCut());
  Select("notes.txt");
  Click(form->cmdCut);
  EXPECT_EQ(form->ClipboardPath(), source_folder + "/notes.txt");
  EXPECT_TRUE(form->IsCut());
  EXPECT_EQ(messages.shown, (Messages{kCut, kCopied, kCut}));
}

TEST_F(Form1CommandsTest, PasteIntoTheRootFolderAddsNoSecondSeparator) {
  Select("report.txt");
  Click(form->cmdCopy);
  Open("/");
  Click(form->cmdPaste);
  EXPECT_EQ(Fso().calls, (Calls{{"CopyFile", source_folder + "/report.txt", "/report.txt"}}));
}

TEST_F(Form1CommandsTest, DeleteAnsweredNoAsksAboutTheNameOnlyAndDoesNothingMore) {
  Select("report.txt");
  messages.answers = {common::kNo};
  Click(form->cmdDelete);
  EXPECT_EQ(messages.shown, (Messages{{"Are you sure you want to permanently delete report.txt?",
                                       36, "Confirm Delete"}}));
  EXPECT_TRUE(Fso().calls.empty());
  EXPECT_EQ(PathBox(), source_folder + "/report.txt");
}

TEST_F(Form1CommandsTest, DeleteAnsweredYesDeletesWithForceAndLeavesTheClipboard) {
  Select("report.txt");
  Click(form->cmdCopy);
  messages.answers = {common::kYes};
  Click(form->cmdDelete);
  EXPECT_EQ(Fso().calls, (Calls{{"DeleteFile", source_folder + "/report.txt", "force"}}));
  EXPECT_EQ(messages.shown.back(), (ShownMessage{"File deleted.", 64, "Deleted"}));
  EXPECT_EQ(PathBox(), "");
  EXPECT_EQ(form->File1.FileName(), "");
  EXPECT_EQ(form->ClipboardPath(), source_folder + "/report.txt");
}

TEST_F(Form1CommandsTest, AFailedDeleteShowsTheDescriptionAndKeepsThePathBox) {
  Select("report.txt");
  messages.answers = {common::kYes};
  Fso().failure = "Permission denied";
  Click(form->cmdDelete);
  EXPECT_EQ(messages.shown.back(),
            (ShownMessage{"Error deleting file: Permission denied", 16, "Delete Error"}));
  EXPECT_EQ(PathBox(), source_folder + "/report.txt");
  EXPECT_EQ(messages.shown.size(), 2u);
}

}  // namespace

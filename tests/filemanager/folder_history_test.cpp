#include "filemanager/folder_history.h"

#include <gtest/gtest.h>

namespace {

using filemanager::FolderHistory;

TEST(FolderHistory, BackReturnsToEarlierFoldersAndForwardUndoesBack) {
  FolderHistory history;
  EXPECT_EQ(history.Previous(), std::nullopt);
  history.Visit("/a");
  EXPECT_EQ(history.Previous(), std::nullopt);
  history.Visit("/a/b");
  history.Visit("/c");
  EXPECT_EQ(history.Previous(), "/a/b");
  EXPECT_EQ(history.Next(), std::nullopt);

  history.StepBack();
  EXPECT_EQ(history.Previous(), "/a");
  EXPECT_EQ(history.Next(), "/c");
  history.StepBack();
  EXPECT_EQ(history.Previous(), std::nullopt);
  history.StepBack();  // nothing further back: stays put
  EXPECT_EQ(history.Next(), "/a/b");

  history.StepForward();
  history.StepForward();
  EXPECT_EQ(history.Previous(), "/a/b");
  EXPECT_EQ(history.Next(), std::nullopt);
}

TEST(FolderHistory, OpeningAnotherFolderAfterBackDropsTheForwardEntries) {
  FolderHistory history;
  history.Visit("/a");
  history.Visit("/b");
  history.Visit("/c");
  history.StepBack();
  history.StepBack();
  history.Visit("/d");
  EXPECT_EQ(history.Next(), std::nullopt);
  EXPECT_EQ(history.Previous(), "/a");
}

TEST(FolderHistory, OpeningTheCurrentFolderAgainAddsNothingAndKeepsForward) {
  FolderHistory history;
  history.Visit("/a");
  history.Visit("/b");
  history.StepBack();
  history.Visit("/a");
  EXPECT_EQ(history.Next(), "/b");
  history.StepForward();
  history.Visit("/b");
  EXPECT_EQ(history.Previous(), "/a");
  history.StepBack();
  EXPECT_EQ(history.Previous(), std::nullopt);
}

TEST(FolderHistory, AFolderThatCouldNotBeOpenedIsDroppedSoTheNextMoveGoesBeyondIt) {
  FolderHistory history;
  history.Visit("/a");
  history.Visit("/gone");
  history.Visit("/c");
  history.DropPrevious();
  EXPECT_EQ(history.Previous(), "/a");
  history.StepBack();
  EXPECT_EQ(history.Next(), "/c");

  history.Visit("/a");  // no change: still at /a
  history.StepForward();
  history.StepBack();
  history.DropNext();
  EXPECT_EQ(history.Next(), std::nullopt);
  EXPECT_EQ(history.Previous(), std::nullopt);
}

}  // namespace

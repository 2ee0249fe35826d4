// Folder path spelling: the forms a folder path is kept in, by table.
#include "filemanager/lists/folder_path.h"

#include <gtest/gtest.h>

#include <utility>

namespace filemanager {
namespace {

struct NormalizeCase {
  const char* path;
  const char* base;
  const char* expected;
};

class NormalizeFolderPathTest : public testing::TestWithParam<NormalizeCase> {};

TEST_P(NormalizeFolderPathTest, GivesOneSpellingPerFolder) {
  EXPECT_EQ(NormalizeFolderPath(GetParam().path, GetParam().base), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, NormalizeFolderPathTest,
                         testing::Values(NormalizeCase{"/", "/x", "/"},
                                         NormalizeCase{"/usr/share/", "/x", "/usr/share"},
                                         NormalizeCase{"//usr///share//", "/x", "/usr/share"},
                                         NormalizeCase{"docs", "/home/ann", "/home/ann/docs"},
                                         NormalizeCase{"./docs/../music", "/home", "/home/music"},
                                         NormalizeCase{"/a/../..", "/x", "/"},
                                         NormalizeCase{"..", "/", "/"},
                                         NormalizeCase{"/a/b/.", "/x", "/a/b"},
                                         NormalizeCase{"/a\xff/b", "/x", "/a\xff/b"}));

TEST(FolderAncestry, RunsFromTheRootDownToTheFolderItself) {
  EXPECT_EQ(FolderAncestry("/"), (std::vector<std::string>{"/"}));
  EXPECT_EQ(FolderAncestry("/usr"), (std::vector<std::string>{"/", "/usr"}));
  EXPECT_EQ(FolderAncestry("/usr/share/doc"),
            (std::vector<std::string>{"/", "/usr", "/usr/share", "/usr/share/doc"}));
}

TEST(JoinPath, PutsExactlyOneSeparatorBetweenFolderAndName) {
  EXPECT_EQ(JoinPath("/", "etc"), "/etc");
  EXPECT_EQ(JoinPath("/usr", "bin"), "/usr/bin");
  EXPECT_EQ(LastComponent("/usr/share"), "share");
  EXPECT_EQ(LastComponent("/"), "/");
}

TEST(DisplayName, ShowsInvalidBytesAsReplacementCharacters) {
  EXPECT_EQ(DisplayName("caf\xc3\xa9.txt"), "caf\xc3\xa9.txt");
  const std::string shown = DisplayName("bad\xff\xfe.txt");
  EXPECT_NE(shown.find("\xef\xbf\xbd"), std::string::npos);  // U+FFFD
  EXPECT_TRUE(shown.starts_with("bad"));
  EXPECT_TRUE(shown.ends_with(".txt"));
}

TEST(DisplayName, ShowsControlCharactersAsQuestionMarksOnOneLine) {
  const std::pair<const char*, const char*> rows[] = {
      {"two\nlines.txt", "two?lines.txt"},
      {"tab\tand\rreturn", "tab?and?return"},
      {"\x1b[31mred\x7f", "?[31mred?"},
      {"next\xc2\x85line \xc2\xa0kept", "next?line \xc2\xa0kept"},
      {"bad\xff\n", "bad\xef\xbf\xbd?"},
  };
  for (const auto& [name, shown] : rows) EXPECT_EQ(DisplayName(name), shown) << name;
}

}  // namespace
}  // namespace filemanager

// The file list's Pattern, by table: which names each pattern lets through.
#include "filemanager/lists/name_pattern.h"

#include <gtest/gtest.h>

namespace filemanager {
namespace {

struct PatternCase {
  const char* pattern;
  const char* name;
  bool matches;
};

class NamePatternTest : public testing::TestWithParam<PatternCase> {};

TEST_P(NamePatternTest, MatchesAsAShellWildcardWithStarDotStarForEverything) {
  EXPECT_EQ(NamePattern(GetParam().pattern).Matches(GetParam().name), GetParam().matches)
      << GetParam().pattern << " against " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NamePatternTest,
    testing::Values(
        PatternCase{"*.*", "README", true}, PatternCase{"*.*", ".profile", true},
        PatternCase{"*", ".profile", true}, PatternCase{"", "anything", true},
        PatternCase{"*.txt", "notes.txt", true}, PatternCase{"*.txt", "notes.txt.bak", false},
        PatternCase{"*.txt", "notes.TXT", false}, PatternCase{"*.txt", ".hidden.txt", true},
        PatternCase{"*.txt", "bad\xff.txt", true}, PatternCase{"report?.doc", "report7.doc", true},
        PatternCase{"report?.doc", "report17.doc", false}, PatternCase{"*.c;*.h", "main.h", true},
        PatternCase{" *.c ; *.h ", "main.c", true}, PatternCase{"*.c;*.h", "main.cpp", false},
        PatternCase{"*.md;*.*", "x", true}));

TEST(NamePattern, KnowsWhenItLetsEverythingThrough) {
  EXPECT_TRUE(NamePattern("*.*").MatchesEverything());
  EXPECT_TRUE(NamePattern(" ; ").MatchesEverything());
  EXPECT_FALSE(NamePattern("*.txt").MatchesEverything());
}

}  // namespace
}  // namespace filemanager

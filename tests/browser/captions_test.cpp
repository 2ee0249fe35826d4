// Captions with "&" access keys as GTK shows them and as a reader hears them.
#include "browser/captions.h"

#include <gtest/gtest.h>

namespace {

struct Caption {
  const char* designed;
  const char* mnemonic;
  const char* plain;
};

class CaptionTest : public testing::TestWithParam<Caption> {};

TEST_P(CaptionTest, Converts) {
  EXPECT_EQ(browser::MnemonicCaption(GetParam().designed), GetParam().mnemonic);
  EXPECT_EQ(browser::PlainCaption(GetParam().designed), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(Table, CaptionTest,
                         testing::Values(Caption{"&File", "_File", "File"},
                                         Caption{"&Address:", "_Address:", "Address:"},
                                         Caption{"Save &As", "Save _As", "Save As"},
                                         Caption{"R&&D", "R&D", "R&D"},
                                         Caption{"&&&Edit", "&_Edit", "&Edit"},
                                         Caption{"snake_case", "snake__case", "snake_case"},
                                         Caption{"end&", "end", "end"}, Caption{"", "", ""}));

}  // namespace

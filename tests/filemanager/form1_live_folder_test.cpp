// Form1 over a folder that other programs change while it is shown: the file list
// follows within a second, keeping the user's selection and scroll position.
#include <algorithm>
#include <filesystem>
#include <functional>

#include "form1_fixture.h"

namespace {

using testing_support::Form1Test;
using testing_support::PumpUntil;
namespace fs = std::filesystem;

bool Has(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST_F(Form1Test, TheFileListFollowsFilesCreatedDeletedAndRenamedFromOutside) {
  for (int i = 100; i < 400; ++i) folder.Write("f" + std::to_string(i), "");
  MakeScriptedForm();
  Open(folder.Path());
  Select("f250");
  auto scroll = form->File1.get_vadjustment();
  ASSERT_TRUE(PumpUntil([&] { return scroll->get_upper() > 2000; }));
  scroll->set_value(1000);

  struct Change {
    const char* what;
    std::function<void()> make;
    std::function<bool(const std::vector<std::string>&)> shown;
    std::string selected;
  };
  const Change changes[] = {
      {"created", [&] { folder.Write("new", ""); },
       [](const auto& names) { return Has(names, "new"); }, "f250"},
      {"renamed", [&] { fs::rename(folder.Path("f110"), folder.Path("g110")); },
       [](const auto& names) { return Has(names, "g110") && !Has(names, "f110"); }, "f250"},
      {"deleted", [&] { fs::remove(folder.Path("f399")); },
       [](const auto& names) { return !Has(names, "f399"); }, "f250"},
      {"selected deleted", [&] { fs::remove(folder.Path("f250")); },
       [](const auto& names) { return !Has(names, "f250"); }, ""},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    change.make();
    EXPECT_TRUE(PumpUntil([&] { return change.shown(Listed()); }, std::chrono::seconds(1)));
    EXPECT_EQ(form->File1.FileName(), change.selected);
    EXPECT_EQ(PathBox(), change.selected.empty() ? "" : folder.Path(change.selected));
    EXPECT_EQ(scroll->get_value(), 1000);
  }
}

}  // namespace

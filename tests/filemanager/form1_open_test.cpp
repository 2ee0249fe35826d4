// Opening a file from the file list: a double-click or Enter starts the user's default
// application for its type, here a test handler chosen in a private XDG setup; a file
// of a type with none is reported.
#include <giomm/file.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "form1_fixture.h"

namespace {

using testing_support::Form1Test;
using testing_support::PumpUntil;
using testing_support::ShownMessage;

// The user's data and configuration live in a private folder, set before GLib first
// reads where they are.
const std::string kHome = [] {
  std::string pattern = std::filesystem::temp_directory_path().string() + "/tavvel-home-XXXXXX";
  const std::string home = mkdtemp(pattern.data()) ? pattern : std::string("/nonexistent");
  setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  return home;
}();

// The private folder goes when the program ends.
const struct RemoveHome {
  ~RemoveHome() { std::filesystem::remove_all(kHome); }
} remove_home;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Installs a handler for type that writes the path it was given into marker.
void InstallHandler(const std::string& type, const std::string& marker) {
  std::filesystem::create_directories(kHome + "/data/applications");
  std::filesystem::create_directories(kHome + "/config");
  const std::string script = kHome + "/handler";
  std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << marker << "'\n";
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  std::ofstream(kHome + "/data/applications/tavvel-test-handler.desktop")
      << "[Desktop Entry]\nType=Application\nName=Test Handler\nExec=" << script
      << " %f\nMimeType=" << type << ";\nNoDisplay=true\n";
  std::ofstream(kHome + "/config/mimeapps.list") << "[Default Applications]\n"
                                                 << type << "=tavvel-test-handler.desktop\n";
}

class Form1OpenTest : public Form1Test {
 protected:
  // Opens the file as Enter or a double-click on its row does.
  void Activate(const std::string& name) {
    const std::vector<std::string> names = Listed();
    const auto row = std::find(names.begin(), names.end(), name);
    ASSERT_NE(row, names.end()) << name;
    g_signal_emit_by_name(FileView().gobj(), "activate", static_cast<guint>(row - names.begin()));
  }
};

TEST_F(Form1OpenTest, AFileOpensWithTheDefaultApplicationOrTheUserLearnsThereIsNone) {
  folder.Write("notes.txt", "plain words\n");
  folder.Write("blob.tavvelnone", std::string("\x00\x01\x02\xff", 4));
  const auto info = Gio::File::create_for_path(folder.Path("notes.txt"))
                        ->query_info(G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE);
  const std::string marker = kHome + "/opened";
  InstallHandler(info->get_content_type(), marker);
  MakeScriptedForm();
  Open(folder.Path());

  Activate("notes.txt");
  EXPECT_TRUE(PumpUntil([&] { return ReadAll(marker) == folder.Path("notes.txt"); }));
  EXPECT_EQ(PathBox(), folder.Path("notes.txt"));
  EXPECT_TRUE(messages.shown.empty());

  Activate("blob.tavvelnone");
  EXPECT_EQ(
      messages.shown,
      (std::vector<ShownMessage>{{"No application is set to open blob.tavvelnone.", 48, "Open"}}));
}

}  // namespace

// How the user learns the end of a download: where a saved file went, from a desktop
// notification; why a download failed, from a message box.
#include <giomm/application.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "browser/webview/notification_service.h"
#include "browser/webview/scripted_save_dialog.h"
#include "browser/webview/webkit_view_fixture.h"
#include "support/temporary_folder.h"

namespace testing_support {
namespace {

using namespace std::chrono_literals;
using testing::HasSubstr;
using testing::StartsWith;

struct DownloadEnd {
  const char* name;
  // The path chosen in the save dialog, in the test's folder; empty cancels.
  const char* answer;
  bool announced;
  // The reason the message box gives, or null for no message box.
  const char* reason;
};

void PrintTo(const DownloadEnd& end, std::ostream* out) { *out << end.name; }

// The folder comes first: the save dialog's answer lies in it.
struct DownloadFolder {
  TemporaryFolder folder{std::filesystem::temp_directory_path().string(), "korvo-test"};
};

class DownloadEndTest : public DownloadFolder,
                        public WebKitViewTest,
                        public testing::WithParamInterface<DownloadEnd> {
 protected:
  DownloadEndTest() : WebKitViewTest(std::make_unique<ScriptedSaveDialog>(Answer(), &offered_)) {
    // A regular file, which no one can create a file in, not even root, whom a
    // folder's read-only mode does not stop.
    folder.Write("file", "");
    HttpResponse file;
    file.content_type = "application/octet-stream";
    file.body = "binary\x01 content";
    file.headers = {{"Content-Disposition", "attachment; filename=\"data.bin\""}};
    server_.Serve("/data.bin", file);
    // The program's application, registered on the test's bus, sends the notifications.
    application_->register_application();
  }

  std::string Answer() const {
    return *GetParam().answer ? folder.Path(GetParam().answer) : std::string();
  }

  NotificationService notifications_;
  // A plain GApplication: glibmm's own type overrides the D-Bus hooks, and GLib warns
  // when such an application goes without having run.
  Glib::RefPtr<Gio::Application> application_ =
      Glib::wrap(g_application_new("org.korvo.test.Downloads", G_APPLICATION_NON_UNIQUE));
  std::vector<std::string> offered_;
};

TEST_P(DownloadEndTest, TheUserIsToldWhereTheFileWentOrWhyItFailed) {
  const DownloadEnd& end = GetParam();
  ASSERT_TRUE(PumpUntil([&] { return notifications_.Ready(); }));
  view_.Navigate(server_.Url("/data.bin"));
  ASSERT_TRUE(PumpUntil([&] { return !view_.Busy() && !offered_.empty(); }));
  const std::size_t told = (end.announced ? 1 : 0) + (end.reason ? 1 : 0);
  PumpUntil([&] { return notifications_.shown.size() + messages_->shown.size() >= told; });
  // Nothing more arrives.
  PumpFor(300ms);

  ASSERT_EQ(notifications_.shown.size(), end.announced ? 1u : 0u);
  if (end.announced) {
    EXPECT_EQ(notifications_.shown[0].summary, "Download finished");
    EXPECT_EQ(notifications_.shown[0].body, "data.bin was saved in " + folder.Path() + ".");
    EXPECT_EQ(folder.Read("data.bin"), "binary\x01 content");
  }
  ASSERT_EQ(messages_->shown.size(), end.reason ? 1u : 0u);
  if (end.reason) {
    EXPECT_THAT(messages_->shown[0].prompt,
                StartsWith("The download data.bin could not be saved: "));
    EXPECT_THAT(messages_->shown[0].prompt, HasSubstr(end.reason));
    EXPECT_EQ(messages_->shown[0].style, common::kCritical);
    // Without a title of its own the box shows the application title.
    EXPECT_EQ(messages_->shown[0].title, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Downloads, DownloadEndTest,
                         testing::Values(DownloadEnd{"Saved", "data.bin", true, nullptr},
                                         DownloadEnd{"IntoAFolderNoOneCanWrite", "file/data.bin",
                                                     false, "Not a directory"},
                                         DownloadEnd{"Cancelled", "", false, nullptr}),
                         [](const testing::TestParamInfo<DownloadEnd>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace testing_support

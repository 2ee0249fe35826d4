// What real pages do to the WebKit view: new windows, a crashed web process and
// responses to save rather than show.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "browser/webview/scripted_save_dialog.h"
#include "browser/webview/webkit_view_fixture.h"

namespace testing_support {
namespace {

using namespace std::chrono_literals;

TEST_F(WebKitViewTest, ALinkForANewWindowOpensInThisView) {
  server_.Serve("/a", HtmlPage("Page A", "<a id=\"out\" href=\"/b\" target=\"_blank\">out</a>"));
  server_.Serve("/b", HtmlPage("Page B"));
  view_.Navigate(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));

  RunScript("document.getElementById('out').click()");
  ASSERT_TRUE(ShowsPage("Page B"));
  EXPECT_EQ(view_.LocationURL(), server_.Url("/b"));
}

TEST_F(WebKitViewTest, APageCannotOpenLocalFilesOrBlankWindowsInThisView) {
  server_.Serve("/a", HtmlPage("Page A"));
  view_.Navigate(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));

  RunScript("window.open('file:///etc/hosts'); window.open(''); window.open('about:blank');");
  PumpFor(500ms);
  EXPECT_EQ(view_.LocationURL(), server_.Url("/a"));
  EXPECT_EQ(view_.LocationName(), "Page A");
}

TEST_F(WebKitViewTest, AfterTheWebProcessEndsTheViewShowsAnErrorAndBrowsesOn) {
  server_.Serve("/a", HtmlPage("Page A"));
  server_.Serve("/b", HtmlPage("Page B"));
  view_.Navigate(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));

  webkit_web_view_terminate_web_process(view_.Engine());
  ASSERT_TRUE(ShowsPage("The page stopped working"));

  view_.Navigate(server_.Url("/b"));
  ASSERT_TRUE(ShowsPage("Page B"));
}

TEST_F(WebKitViewTest, AnUntrustedCertificateShowsTheErrorPageAndEndsBusy) {
  HttpServer secure(HttpServer::Scheme::kHttpsUntrusted);
  secure.Serve("/", HtmlPage("Secret"));
  view_.Navigate(secure.Url("/"));
  ASSERT_TRUE(Idle());
  EXPECT_NE(view_.LocationName(), "Secret");
  EXPECT_EQ(view_.LocationURL(), secure.Url("/"));
  ASSERT_FALSE(names_at_download_complete_.empty());
  EXPECT_EQ(names_at_download_complete_.back(), view_.LocationName());
}

// The view's own pixels, as the window would draw them.
std::vector<guint8> DrawnPixels(Gtk::Widget& widget, int& width, int& height) {
  width = widget.get_width();
  height = widget.get_height();
  GdkPaintable* paintable = gtk_widget_paintable_new(widget.gobj());
  GtkSnapshot* snapshot = gtk_snapshot_new();
  gdk_paintable_snapshot(paintable, GDK_SNAPSHOT(snapshot), width, height);
  GskRenderNode* node = gtk_snapshot_free_to_node(snapshot);
  std::vector<guint8> pixels(static_cast<std::size_t>(width) * height * 4);
  if (node) {
    GskRenderer* renderer = gtk_native_get_renderer(widget.get_native()->gobj());
    const graphene_rect_t bounds =
        GRAPHENE_RECT_INIT(0, 0, static_cast<float>(width), static_cast<float>(height));
    GdkTexture* texture = gsk_renderer_render_texture(renderer, node, &bounds);
    gdk_texture_download(texture, pixels.data(), static_cast<gsize>(width) * 4);
    g_object_unref(texture);
    gsk_render_node_unref(node);
  }
  g_object_unref(paintable);
  return pixels;
}

TEST_F(WebKitViewTest, TheViewDrawsThePage) {
  server_.Serve("/red", HtmlPage("Red", "<style>html { background: #ff0000 }</style>"));
  view_.Navigate(server_.Url("/red"));
  ASSERT_TRUE(ShowsPage("Red"));
  // The page's pixels arrive a frame or two after the load.
  int width = 0, height = 0;
  auto center_is_red = [&] {
    const auto pixels = DrawnPixels(view_.widget(), width, height);
    const std::size_t at = (static_cast<std::size_t>(height / 2) * width + width / 2) * 4;
    // Memory order of the download is B, G, R, A.
    return width > 0 && pixels[at + 2] > 200 && pixels[at + 1] < 50 && pixels[at] < 50;
  };
  EXPECT_TRUE(PumpUntil(center_is_red, 5s));
}

class DownloadTest : public WebKitViewTest {
 protected:
  explicit DownloadTest(const std::string& answer)
      : WebKitViewTest(std::make_unique<ScriptedSaveDialog>(answer, &offered_)) {}

  static std::filesystem::path TempFolder() {
    auto folder =
        std::filesystem::temp_directory_path() / ("korvo-download-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    return folder;
  }

  void ServeFile() {
    HttpResponse file;
    file.content_type = "application/octet-stream";
    file.body = "binary\x01 content";
    file.headers = {{"Content-Disposition", "attachment; filename=\"data.bin\""}};
    server_.Serve("/data.bin", file);
    server_.Serve("/a", HtmlPage("Page A"));
  }

  std::vector<std::string> offered_;
};

class SavedDownloadTest : public DownloadTest {
 protected:
  SavedDownloadTest() : DownloadTest((TempFolder() / "saved.bin").string()) {}
  ~SavedDownloadTest() override { std::filesystem::remove_all(TempFolder()); }
};

TEST_F(SavedDownloadTest, AResponseTheViewCannotShowIsSavedWhereTheUserSays) {
  ServeFile();
  view_.Navigate(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));
  const auto announced = names_at_download_complete_.size();

  view_.Navigate(server_.Url("/data.bin"));
  ASSERT_TRUE(PumpUntil([&] { return !view_.Busy() && !offered_.empty(); }));
  EXPECT_EQ(offered_, std::vector<std::string>{"data.bin"});
  std::ifstream saved(TempFolder() / "saved.bin", std::ios::binary);
  std::stringstream content;
  content << saved.rdbuf();
  EXPECT_EQ(content.str(), "binary\x01 content");
  // The page shown stays, and the end of the download is announced.
  EXPECT_EQ(view_.LocationName(), "Page A");
  EXPECT_GT(names_at_download_complete_.size(), announced);
}

class CancelledDownloadTest : public DownloadTest {
 protected:
  CancelledDownloadTest() : DownloadTest("") {}
};

TEST_F(CancelledDownloadTest, CancellingTheDialogSavesNothingAndEndsBusy) {
  ServeFile();
  view_.Navigate(server_.Url("/data.bin"));
  ASSERT_TRUE(PumpUntil([&] { return !view_.Busy() && !offered_.empty(); }));
  PumpFor(200ms);
  EXPECT_FALSE(view_.Busy());
}

}  // namespace
}  // namespace testing_support

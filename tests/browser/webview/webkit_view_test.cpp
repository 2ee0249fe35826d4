// The WebKit view's commands and notifications, against pages of a loopback server.
#include <gtest/gtest.h>

#include "browser/webview/webkit_view_fixture.h"
#include "common/errors.h"

namespace testing_support {
namespace {

using namespace std::chrono_literals;

TEST_F(WebKitViewTest, NavigateShowsThePageNameAndAnnouncesIt) {
  EXPECT_EQ(view_.LocationName(), "");
  EXPECT_EQ(view_.LocationURL(), "");
  EXPECT_FALSE(view_.Busy());
  server_.Serve("/a", HtmlPage("Page A"));

  // A bare host:port gets http:// in front.
  view_.Navigate("127.0.0.1:" + std::to_string(server_.Port()) + "/a");
  EXPECT_TRUE(view_.Busy());
  ASSERT_TRUE(ShowsPage("Page A"));

  EXPECT_EQ(view_.LocationURL(), server_.Url("/a"));
  // The last announcement carries the real name, even when the name came after the load.
  ASSERT_FALSE(names_at_download_complete_.empty());
  EXPECT_EQ(names_at_download_complete_.back(), "Page A");
  EXPECT_EQ(addresses_at_location_changed_, std::vector<std::string>{server_.Url("/a")});
}

TEST_F(WebKitViewTest, AnUntitledPageIsNamedByItsAddress) {
  HttpResponse plain;
  plain.body = "<p>no title</p>";
  server_.Serve("/plain", plain);
  view_.Navigate(server_.Url("/plain"));
  ASSERT_TRUE(ShowsPage(server_.Url("/plain")));
}

TEST_F(WebKitViewTest, EmptyTextAndScriptsAreRefusedAndLoadNothing) {
  EXPECT_THROW(view_.Navigate(""), common::Error);
  EXPECT_THROW(view_.Navigate("javascript:document.title='x'"), common::Error);
  EXPECT_FALSE(view_.Busy());
  PumpFor(200ms);
  EXPECT_EQ(view_.LocationURL(), "");
  EXPECT_TRUE(names_at_download_complete_.empty());
}

TEST_F(WebKitViewTest, BackAndForwardWalkTheHistoryAndRefuseAtItsEnds) {
  EXPECT_THROW(view_.GoBack(), common::Error);
  EXPECT_THROW(view_.GoForward(), common::Error);
  server_.Serve("/a", HtmlPage("Page A"));
  server_.Serve("/b", HtmlPage("Page B"));
  view_.Navigate(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));
  EXPECT_THROW(view_.GoBack(), common::Error);
  view_.Navigate(server_.Url("/b"));
  ASSERT_TRUE(ShowsPage("Page B"));

  view_.GoBack();
  ASSERT_TRUE(ShowsPage("Page A"));
  EXPECT_EQ(view_.LocationURL(), server_.Url("/a"));
  view_.GoForward();
  ASSERT_TRUE(ShowsPage("Page B"));
  EXPECT_THROW(view_.GoForward(), common::Error);
  EXPECT_EQ(addresses_at_location_changed_.back(), server_.Url("/b"));
}

TEST_F(WebKitViewTest, RefreshAsksTheServerAgain) {
  server_.Serve("/a", HtmlPage("Page A"));
  view_.Navigate(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));
  ASSERT_EQ(server_.RequestCount("/a"), 1);
  const auto announced = names_at_download_complete_.size();

  view_.Refresh();
  ASSERT_TRUE(PumpUntil([&] { return server_.RequestCount("/a") == 2; }));
  ASSERT_TRUE(ShowsPage("Page A"));
  EXPECT_GT(names_at_download_complete_.size(), announced);
}

TEST_F(WebKitViewTest, StopEndsALoadThatNeverFinishes) {
  HttpResponse endless = HtmlPage("Endless", "<p>first part");
  endless.never_finishes = true;
  server_.Serve("/endless", endless);
  view_.Navigate(server_.Url("/endless"));
  ASSERT_TRUE(PumpUntil([&] { return server_.RequestCount("/endless") >= 1; }))
      << server_.RequestCount("/endless");
  PumpFor(300ms);
  ASSERT_TRUE(view_.Busy());

  view_.Stop();
  EXPECT_TRUE(PumpUntil([&] { return !view_.Busy(); }, 2s));
  EXPECT_FALSE(names_at_download_complete_.empty());
}

TEST_F(WebKitViewTest, AnUnreachablePortEndsBusyNamedByItsAddress) {
  const std::string address = "http://127.0.0.1:" + std::to_string(HttpServer::ClosedPort()) + "/";
  view_.Navigate(address);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(view_.LocationURL(), address);
  EXPECT_EQ(view_.LocationName(), address);
  ASSERT_FALSE(names_at_download_complete_.empty());
  EXPECT_EQ(names_at_download_complete_.back(), address);
}

TEST_F(WebKitViewTest, LocationChangedFollowsALinkAndAFragment) {
  server_.Serve("/a", HtmlPage("Page A", "<a id=\"next\" href=\"/b\">next</a>"));
  server_.Serve("/b", HtmlPage("Page B", "<a id=\"down\" href=\"#part\">down</a><p id=part>"));
  view_.Navigate(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));

  RunScript("document.getElementById('next').click()");
  ASSERT_TRUE(ShowsPage("Page B"));
  EXPECT_EQ(addresses_at_location_changed_.back(), server_.Url("/b"));

  RunScript("document.getElementById('down').click()");
  ASSERT_TRUE(PumpUntil([&] { return addresses_at_location_changed_.size() == 3; }));
  EXPECT_EQ(addresses_at_location_changed_.back(), server_.Url("/b#part"));
  EXPECT_EQ(view_.LocationURL(), server_.Url("/b#part"));
  EXPECT_EQ(server_.RequestCount("/b"), 1);
}

TEST_F(WebKitViewTest, HomeAndSearchOpenTheBuiltInPages) {
  view_.GoHome();
  ASSERT_TRUE(ShowsPage("Korvo Home"));
  EXPECT_EQ(view_.LocationURL(), "korvo://home");
  view_.GoSearch();
  ASSERT_TRUE(ShowsPage("Korvo Search"));
  EXPECT_EQ(view_.LocationURL(), "korvo://search");
  // The search form sends its query to a web search engine.
  RunScript("document.title = document.forms[0].action");
  ASSERT_TRUE(ShowsPage("https://duckduckgo.com/html/"));
  view_.GoBack();
  ASSERT_TRUE(ShowsPage("Korvo Home"));
}

}  // namespace
}  // namespace testing_support

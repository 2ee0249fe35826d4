// frmBrowser over the real WebKit view, against pages of a loopback server the test
// starts itself: the address box, the toolbar and links in the page as a user drives
// them, with the window title, the address list and the busy poll as the user sees them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <gtkmm/combobox.h>
#include <gtkmm/entry.h>
#include <webkit/webkit.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "browser/frmBrowser.h"
#include "browser/webview/webkit_view.h"
#include "support/http_server.h"
#include "support/ui.h"

namespace {

using namespace std::chrono_literals;
using testing::Contains;
using testing::ElementsAre;
using testing_support::HtmlPage;
using testing_support::HttpResponse;
using testing_support::HttpServer;
using testing_support::PumpFor;
using testing_support::PumpUntil;

class BrowserWebKitTest : public testing::Test {
 protected:
  BrowserWebKitTest() {
    auto view = std::make_unique<browser::WebKitView>();
    engine_ = view->Engine();
    form_ = std::make_unique<browser::frmBrowser>(std::move(view));
    form_->property_title().signal_changed().connect(
        sigc::track_object([this] { titles_.push_back(Title()); }, *form_));
  }

  // Loads the window and waits until it is laid out at its own size.
  void LoadAndShow() {
    form_->Load();
    ASSERT_TRUE(PumpUntil([this] { return form_->brwWebBrowser.AsWidget().get_width() > 0; }));
  }

  // Types text into the address box and presses Enter, which activates the text field.
  void TypeAndEnter(const std::string& text) {
    form_->cboAddress.Text(text);
    g_signal_emit_by_name(form_->cboAddress.FocusTarget().gobj(), "activate");
  }

  // Clicks the toolbar button with this key, at once (GTK's own activation waits a moment).
  void Click(const std::string& key) {
    g_signal_emit_by_name(form_->tbToolBar.Buttons(key).gobj(), "clicked");
  }

  // What the user's pick of an entry in the drop-down list does.
  void PickFromList(int index) {
    auto* combo = dynamic_cast<Gtk::ComboBox*>(form_->cboAddress.get_first_child());
    ASSERT_NE(combo, nullptr);
    combo->set_active(index);
  }

  // Types text into the address box, which has the focus, as key presses there
  // would: in place of the selected text, else at the cursor.
  void Type(const std::string& text) {
    GtkEditable* editable = GTK_EDITABLE(form_->cboAddress.FocusTarget().gobj());
    gtk_editable_delete_selection(editable);
    int position = gtk_editable_get_position(editable);
    gtk_editable_insert_text(editable, text.c_str(), -1, &position);
    gtk_editable_set_position(editable, position);
  }

  // Runs script in the page, as the user's action there would.
  void RunScript(const std::string& script) {
    webkit_web_view_evaluate_javascript(engine_, script.c_str(), -1, nullptr, nullptr, nullptr,
                                        nullptr, nullptr);
  }

  // Waits until the poll has stopped and the window title is the page name title.
  testing::AssertionResult ShowsPage(const std::string& title) {
    if (PumpUntil([&] { return !form_->timTimer.Enabled() && Title() == title; }))
      return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "poll " << (form_->timTimer.Enabled() ? "on" : "off") << ", title \"" << Title()
           << "\", address box \"" << form_->cboAddress.Text() << "\", view busy "
           << form_->brwWebBrowser->Busy() << " at " << form_->brwWebBrowser->LocationURL();
  }

  std::string Title() const { return form_->get_title(); }

  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < form_->cboAddress.ListCount(); ++i)
      entries.push_back(form_->cboAddress.List(i));
    return entries;
  }

  HttpServer server_;
  std::vector<std::string> titles_;
  WebKitWebView* engine_ = nullptr;
  std::unique_ptr<browser::frmBrowser> form_;
};

TEST_F(BrowserWebKitTest, AnAddressTypedWithEnterShowsWorkingThenThePageTitle) {
  server_.Serve("/a", HtmlPage("Page A"));
  LoadAndShow();
  EXPECT_EQ(Title(), "- Korvo");

  // Typed without a scheme, as users do.
  TypeAndEnter("127.0.0.1:" + std::to_string(server_.Port()) + "/a");
  EXPECT_TRUE(form_->timTimer.Enabled());
  ASSERT_TRUE(ShowsPage("Page A"));

  EXPECT_THAT(titles_, Contains("Working..."));
  EXPECT_EQ(server_.RequestCount("/a"), 1);
  // The address box shows where the user is, and its list holds that address.
  EXPECT_EQ(form_->cboAddress.Text(), server_.Url("/a"));
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/a")));
}

TEST_F(BrowserWebKitTest, TheStartingAddressLoadsWhenTheWindowLoads) {
  server_.Serve("/start", HtmlPage("Start Page"));
  form_->StartingAddress = server_.Url("/start");
  LoadAndShow();
  ASSERT_TRUE(ShowsPage("Start Page"));
  // The page's address is the one already listed, so it stays a single entry.
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/start")));
  EXPECT_EQ(form_->cboAddress.Text(), server_.Url("/start"));
}

TEST_F(BrowserWebKitTest, BackAndForwardWalkBetweenTwoPagesAndStopAtTheEnds) {
  server_.Serve("/a", HtmlPage("Page A"));
  server_.Serve("/b", HtmlPage("Page B"));
  LoadAndShow();
  TypeAndEnter(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));
  TypeAndEnter(server_.Url("/b"));
  ASSERT_TRUE(ShowsPage("Page B"));
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/b"), server_.Url("/a")));

  Click("Back");
  ASSERT_TRUE(ShowsPage("Page A"));
  EXPECT_EQ(form_->cboAddress.Text(), server_.Url("/a"));
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/a"), server_.Url("/b")));

  // Nothing lies before the first page: the window stays on it and the poll stops.
  Click("Back");
  EXPECT_TRUE(form_->timTimer.Enabled());
  ASSERT_TRUE(ShowsPage("Page A"));

  Click("Forward");
  ASSERT_TRUE(ShowsPage("Page B"));
  EXPECT_EQ(form_->cboAddress.Text(), server_.Url("/b"));
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/b"), server_.Url("/a")));

  Click("Forward");
  ASSERT_TRUE(ShowsPage("Page B"));
  EXPECT_EQ(form_->brwWebBrowser->LocationURL(), server_.Url("/b"));
}

TEST_F(BrowserWebKitTest, APickFromTheAddressListLoadsThatPage) {
  server_.Serve("/a", HtmlPage("Page A"));
  server_.Serve("/b", HtmlPage("Page B"));
  LoadAndShow();
  TypeAndEnter(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));
  TypeAndEnter(server_.Url("/b"));
  ASSERT_TRUE(ShowsPage("Page B"));

  PickFromList(1);
  EXPECT_TRUE(form_->timTimer.Enabled());
  ASSERT_TRUE(ShowsPage("Page A"));
  EXPECT_EQ(server_.RequestCount("/a"), 2);
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/a"), server_.Url("/b")));
}

TEST_F(BrowserWebKitTest, ReloadAsksTheServerAgainAndShowsWhatItSends) {
  server_.Serve("/a", HtmlPage("Page A"));
  LoadAndShow();
  TypeAndEnter(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));
  ASSERT_EQ(server_.RequestCount("/a"), 1);

  server_.Serve("/a", HtmlPage("Page A, later"));
  Click("Refresh");
  EXPECT_TRUE(form_->timTimer.Enabled());
  ASSERT_TRUE(ShowsPage("Page A, later"));
  EXPECT_EQ(server_.RequestCount("/a"), 2);
  // The same address again adds no second entry.
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/a")));
}

// A page whose server sends a first part and then never ends the response. With
// text enough for the engine to start showing it, the page is shown and named.
HttpResponse Endless(const std::string& first_part) {
  HttpResponse endless = HtmlPage("Endless", "<p>" + first_part);
  endless.never_finishes = true;
  return endless;
}

TEST_F(BrowserWebKitTest, StopEndsALoadThatTheServerNeverFinishes) {
  server_.Serve("/endless", Endless(std::string(4096, 'x')));
  server_.Serve("/a", HtmlPage("Page A"));
  LoadAndShow();
  TypeAndEnter(server_.Url("/endless"));
  ASSERT_TRUE(PumpUntil([this] { return form_->cboAddress.ListCount() == 1; }));
  PumpFor(300ms);
  ASSERT_TRUE(form_->timTimer.Enabled());
  EXPECT_EQ(Title(), "Working...");

  Click("Stop");
  EXPECT_FALSE(form_->timTimer.Enabled());
  EXPECT_EQ(Title(), "Endless");
  ASSERT_TRUE(PumpUntil([this] { return !form_->brwWebBrowser->Busy(); }, 2s));
  PumpFor(100ms);
  EXPECT_FALSE(form_->timTimer.Enabled());
  EXPECT_EQ(Title(), "Endless");
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/endless")));

  // The window goes on to the next address.
  TypeAndEnter(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));
}

TEST_F(BrowserWebKitTest, StopBeforeANewPageArrivesKeepsThePageShown) {
  server_.Serve("/a", HtmlPage("Page A"));
  server_.Serve("/endless", Endless("too short to show"));
  LoadAndShow();
  TypeAndEnter(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));
  TypeAndEnter(server_.Url("/endless"));
  ASSERT_TRUE(PumpUntil([this] { return server_.RequestCount("/endless") == 1; }));
  PumpFor(300ms);
  ASSERT_EQ(Title(), "Working...");

  Click("Stop");
  ASSERT_TRUE(PumpUntil([this] { return !form_->brwWebBrowser->Busy(); }, 2s));
  ASSERT_TRUE(ShowsPage("Page A"));
  EXPECT_EQ(form_->brwWebBrowser->LocationURL(), server_.Url("/a"));
  // The typed address stays in the box for another try; the list holds only pages shown.
  EXPECT_EQ(form_->cboAddress.Text(), server_.Url("/endless"));
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/a")));
}

// Every load of the page, typed or a link's, shows its progress in the address box
// until it finishes or is stopped; the title stays the busy poll's.
TEST_F(BrowserWebKitTest, TheAddressBoxShowsTheProgressOfEachLoadUntilItEnds) {
  server_.Serve("/a", HtmlPage("Page A", "<a id=\"next\" href=\"/endless\">next</a>"));
  server_.Serve("/endless", Endless("too short to show"));
  std::vector<double> shown;
  auto& address = dynamic_cast<Gtk::Entry&>(form_->cboAddress.FocusTarget());
  address.property_progress_fraction().signal_changed().connect(
      [&] { shown.push_back(address.get_progress_fraction()); });
  LoadAndShow();
  TypeAndEnter(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));
  ASSERT_FALSE(shown.empty());
  EXPECT_GT(*std::max_element(shown.begin(), shown.end()), 0);
  EXPECT_EQ(address.get_progress_fraction(), 0);

  shown.clear();
  RunScript("document.getElementById('next').click()");
  ASSERT_TRUE(PumpUntil([&] { return address.get_progress_fraction() > 0; }));
  EXPECT_FALSE(form_->timTimer.Enabled());
  Click("Stop");
  ASSERT_TRUE(PumpUntil([&] { return address.get_progress_fraction() == 0; }));
  ASSERT_TRUE(ShowsPage("Page A"));
}

TEST_F(BrowserWebKitTest, AnUnreachablePortEndsBusyWithTheAddressAsThePageName) {
  const std::string address = "http://127.0.0.1:" + std::to_string(HttpServer::ClosedPort()) + "/";
  LoadAndShow();
  TypeAndEnter(address);
  ASSERT_TRUE(ShowsPage(address));
  EXPECT_FALSE(form_->brwWebBrowser->Busy());
  EXPECT_EQ(form_->cboAddress.Text(), address);
  EXPECT_THAT(Entries(), ElementsAre(address));
}

TEST_F(BrowserWebKitTest, ARestrictedPortShowsWhyAndKeepsTheTypedAddress) {
  // The engine refuses port 25 (mail) before it connects anywhere.
  const std::string address = "http://127.0.0.1:25/";
  LoadAndShow();
  TypeAndEnter(address);
  ASSERT_TRUE(ShowsPage("This address is not allowed"));
  EXPECT_EQ(form_->cboAddress.Text(), address);
  EXPECT_THAT(Entries(), ElementsAre(address));
  // The page says why; its text becomes its name, which the title shows.
  RunScript("document.title = document.body.innerText");
  EXPECT_TRUE(PumpUntil([this] {
    return Title().find("asks for port 25, which is kept for services other than web pages") !=
           std::string::npos;
  })) << Title();
}

TEST_F(BrowserWebKitTest, TheAddressBoxFollowsALinkAndAFragmentClickedInThePage) {
  server_.Serve("/a", HtmlPage("Page A", "<a id=\"next\" href=\"/b\">next</a>"));
  server_.Serve("/b", HtmlPage("Page B",
                               "<a id=\"down\" href=\"#part\">down</a><p id=part>"
                               "<a id=\"end\" href=\"#end\">end</a><p id=end>"));
  LoadAndShow();
  TypeAndEnter(server_.Url("/a"));
  ASSERT_TRUE(ShowsPage("Page A"));

  // A link starts no command of the window: its name arrives with the page.
  RunScript("document.getElementById('next').click()");
  ASSERT_TRUE(ShowsPage("Page B"));
  EXPECT_EQ(form_->cboAddress.Text(), server_.Url("/b"));
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/b"), server_.Url("/a")));

  RunScript("document.getElementById('down').click()");
  ASSERT_TRUE(PumpUntil([this] { return form_->cboAddress.Text() == server_.Url("/b#part"); }));
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/b#part"), server_.Url("/b"), server_.Url("/a")));
  // Each fragment followed is a navigation of its own, listed like any other.
  RunScript("document.getElementById('end').click()");
  ASSERT_TRUE(PumpUntil([this] { return form_->cboAddress.Text() == server_.Url("/b#end"); }));
  EXPECT_THAT(Entries(), ElementsAre(server_.Url("/b#end"), server_.Url("/b#part"),
                                     server_.Url("/b"), server_.Url("/a")));
  EXPECT_EQ(Title(), "Page B");
  EXPECT_EQ(server_.RequestCount("/b"), 1);
}

TEST_F(BrowserWebKitTest, HomeAndSearchOpenTheBuiltInPages) {
  LoadAndShow();
  Click("Home");
  ASSERT_TRUE(ShowsPage("Korvo Home"));
  EXPECT_EQ(form_->cboAddress.Text(), "korvo://home");
  Click("Search");
  ASSERT_TRUE(ShowsPage("Korvo Search"));
  EXPECT_THAT(Entries(), ElementsAre("korvo://search", "korvo://home"));
}

// While the user types an address, the page's address changes under them: a page on
// its way commits, or a page rewrites its address by script on a timer. The box keeps
// what the user types, Enter goes there, and the rewrites add one entry at most.
struct AddressChangeWhileTyping {
  const char* name;
  const char* page;  // where the view is on its way to, or is, when the typing starts
  // Whether it is still loading; when it is not, it rewrites its own address.
  bool loading;
  // What the list holds below the typed address in the end.
  std::vector<std::string> listed;
};

class BrowserTypingTest : public BrowserWebKitTest,
                          public testing::WithParamInterface<AddressChangeWhileTyping> {};

TEST_P(BrowserTypingTest, TheAddressBoxKeepsWhatTheUserTypesAndEnterGoesThere) {
  const AddressChangeWhileTyping& change = GetParam();
  server_.Serve("/slow", HtmlPage("Slow Page"));
  server_.Serve("/pushing", HtmlPage("Pushing Page",
                                     "<script>let step = 0; setInterval(() => history.pushState("
                                     "null, '', '/pushing?step=' + ++step), 150);</script>"));
  server_.Serve("/b", HtmlPage("Page B"));
  LoadAndShow();
  const std::string page = server_.Url(change.page);
  TypeAndEnter(page);
  if (!change.loading) {
    ASSERT_TRUE(ShowsPage("Pushing Page"));
  }

  // The user puts the focus in the box, which selects its text, and types over it.
  // Nothing ran the loop since Enter, so a load on its way commits only once the
  // typing has begun.
  const std::string typed = server_.Url("/b");
  form_->cboAddress.FocusTarget().grab_focus();
  Type(typed.substr(0, 12));
  // The load commits, which lists its address, or the page rewrites it a few times.
  ASSERT_TRUE(PumpUntil([&] {
    return change.loading ? form_->cboAddress.ListCount() == 1
                          : form_->brwWebBrowser->LocationURL() == page + "?step=5";
  }));
  Type(typed.substr(12));
  ASSERT_EQ(form_->cboAddress.Text(), typed);

  g_signal_emit_by_name(form_->cboAddress.FocusTarget().gobj(), "activate");
  ASSERT_TRUE(ShowsPage("Page B"));
  EXPECT_EQ(form_->cboAddress.Text(), typed);
  std::vector<std::string> listed{typed};
  for (const std::string& path : change.listed) listed.push_back(server_.Url(path));
  EXPECT_EQ(Entries(), listed);
}

INSTANTIATE_TEST_SUITE_P(
    AddressChanges, BrowserTypingTest,
    testing::Values(AddressChangeWhileTyping{"SlowPageCommits", "/slow", true, {"/slow"}},
                    AddressChangeWhileTyping{"PageRewritesItsAddressOnATimer",
                                             "/pushing",
                                             false,
                                             {"/pushing?step=1", "/pushing"}}),
    [](const testing::TestParamInfo<AddressChangeWhileTyping>& info) { return info.param.name; });

}  // namespace

// What Navigate loads for a typed text, one row per kind of text, and which texts it
// refuses.
#include "browser/webview/address.h"

#include <gtest/gtest.h>

#include "common/errors.h"

namespace {

struct Row {
  const char* typed;
  const char* loaded;
};

class AddressTest : public testing::TestWithParam<Row> {};

TEST_P(AddressTest, LoadsTheInterpretedAddress) {
  EXPECT_EQ(browser::InterpretAddress(GetParam().typed), GetParam().loaded);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AddressTest,
    testing::Values(
        // An address with a scheme is loaded as it is.
        Row{"http://example.com/a?b#c", "http://example.com/a?b#c"},
        Row{"https://example.com", "https://example.com"},
        Row{"HTTPS://Example.com/Path", "HTTPS://Example.com/Path"},
        Row{"file:///etc/hosts", "file:///etc/hosts"}, Row{"about:blank", "about:blank"},
        Row{"korvo://home", "korvo://home"},
        Row{"data:text/html,<p>hi</p>", "data:text/html,<p>hi</p>"},
        Row{"mailto:someone@example.com", "mailto:someone@example.com"},
        // An absolute path becomes a file address, escaped where it needs it.
        Row{"/etc/hosts", "file:///etc/hosts"},
        Row{"/tmp/a b#c.html", "file:///tmp/a%20b%23c.html"}, Row{"/", "file:///"},
        // A bare host, host:port or host with a path gets http://.
        Row{"example.com", "http://example.com"}, Row{"localhost", "http://localhost"},
        Row{"localhost:8080", "http://localhost:8080"},
        Row{"127.0.0.1:8080/x", "http://127.0.0.1:8080/x"},
        Row{"example.com:80?q=1", "http://example.com:80?q=1"},
        Row{"example.com/a b", "http://example.com/a b"}, Row{"[::1]:8080/", "http://[::1]:8080/"},
        Row{"www.example.com/path#frag", "http://www.example.com/path#frag"},
        // Spaces and controls around the text go, tabs and line breaks inside it too.
        Row{"  example.com \n", "http://example.com"},
        Row{"exam\tple.com/x\r\ny", "http://example.com/xy"},
        Row{"\x01 https://example.com", "https://example.com"},
        // Words are a search, sent as the search page's form sends them.
        Row{"korvo browser", "https://duckduckgo.com/html/?q=korvo+browser"},
        Row{" what is a&b?  ", "https://duckduckgo.com/html/?q=what+is+a%26b%3F"},
        Row{"c++ 20/x", "https://duckduckgo.com/html/?q=c%2B%2B+20%2Fx"}));

class RefusedAddressTest : public testing::TestWithParam<const char*> {};

TEST_P(RefusedAddressTest, ThrowsWithADescription) {
  try {
    browser::InterpretAddress(GetParam());
    FAIL() << "accepted \"" << GetParam() << "\"";
  } catch (const common::Error& error) {
    EXPECT_STRNE(error.what(), "");
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusedAddressTest,
                         testing::Values(
                             // Nothing to load.
                             "", "   ", "\t\n",
                             // A typed script would run in the page shown, whatever its case
                             // or however it is split.
                             "javascript:alert(1)", "JavaScript:alert(1)", " javascript:void 0",
                             "java\nscript:alert(1)", "javascript:",
                             // No host to ask.
                             "?q=1", "#top", "exa<mple.com"));

}  // namespace

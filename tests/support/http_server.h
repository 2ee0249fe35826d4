// A small HTTP server on the loopback interface that a test starts itself, so tests
// that load pages need no outside network. It answers from its own thread; the test
// says what each path returns and reads how often each was asked for.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct HttpResponse {
  int status = 200;
  std::string content_type = "text/html; charset=utf-8";
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
  // Sends the headers and the body, then keeps the connection open without ever
  // ending the response: a load that never finishes.
  bool never_finishes = false;
};

// A page with the given title and body markup.
HttpResponse HtmlPage(const std::string& title, const std::string& body = "");

class HttpServer {
 public:
  // Plain HTTP, or HTTPS with a self-signed certificate that no client trusts.
  enum class Scheme { kHttp, kHttpsUntrusted };

  // Listens on 127.0.0.1 at a free port; answers 404 for a path nobody set.
  explicit HttpServer(Scheme scheme = Scheme::kHttp);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  void Serve(const std::string& path, HttpResponse response);
  // http://127.0.0.1:port (https:// for HTTPS) plus path, which starts with "/".
  std::string Url(const std::string& path) const;
  std::uint16_t Port() const { return port_; }
  // How many requests for path (without its query) arrived so far.
  int RequestCount(const std::string& path) const;

  // A loopback port where nothing listens, so a connection there is refused.
  static std::uint16_t ClosedPort();

 private:
  struct Loop;
  friend struct Loop;

  HttpResponse Answer(const std::string& path);

  mutable std::mutex mutex_;
  std::map<std::string, HttpResponse> responses_;
  std::map<std::string, int> counts_;
  std::string scheme_;
  std::uint16_t port_ = 0;
  std::unique_ptr<Loop> loop_;
};

}  // namespace testing_support

"""A tiny web server on the loopback interface for the browser's journeys. It counts
the requests for each path, answers a little late so that the browser is seen busy,
holds /hang.html open until released, so that there is a load to stop, and sets a
cookie with /cookie.html, noting the cookies each request for it brought.

Each page is one link that covers the whole page, so a click anywhere on the page
follows it: the page's content is not on the accessibility bus, so the journey clicks
the screen where the page is.
"""

import http.server
import threading
import time

_PAGE = """<!DOCTYPE html>
<html><head><title>{title}</title><style>
  html, body {{ margin: 0; height: 100%; }}
  a {{ display: block; height: 100%; font-size: 24px; }}
</style></head>
<body><a href="{link}">{title}: go to {link}</a></body></html>
"""

PAGES = {
    "/first.html": ("First Page", "second.html"),
    "/second.html": ("Second Page", "first.html"),
    "/hang.html": ("Hanging Page", "first.html"),
    "/cookie.html": ("Cookie Page", "first.html"),
}
COOKIE = "korvo-visit=1"


class PageServer:
    def __init__(self, delay=0.8):
        self.delay = delay
        self._counts = {}
        self._log = []
        self._cookies = []
        self._started = time.monotonic()
        self._lock = threading.Lock()
        self._release = threading.Event()
        self._stopping = threading.Event()
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                server._count(self.path)
                if self.path not in PAGES:
                    self.send_error(404)
                    return
                if self.path == "/hang.html":
                    server._release.wait(60)
                else:
                    server._stopping.wait(server.delay)
                if self.path == "/cookie.html":
                    server._note_cookie(self.headers.get("Cookie"))
                title, link = PAGES[self.path]
                body = _PAGE.format(title=title, link=link).encode()
                try:
                    self.send_response(200)
                    self.send_header("Content-Type", "text/html; charset=utf-8")
                    self.send_header("Content-Length", str(len(body)))
                    self.send_header("Cache-Control", "no-store")
                    # Kept for an hour: one without an expiry ends with the session.
                    if self.path == "/cookie.html":
                        self.send_header("Set-Cookie", COOKIE + "; Max-Age=3600; Path=/")
                    self.end_headers()
                    self.wfile.write(body)
                except (BrokenPipeError, ConnectionResetError):
                    pass  # the browser stopped waiting

            def log_message(self, *args):
                pass

        self._httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self._httpd.daemon_threads = True
        self._thread = threading.Thread(target=self._httpd.serve_forever, daemon=True)

    def start(self):
        self._thread.start()
        return self

    def stop(self):
        self._release.set()
        self._stopping.set()
        self._httpd.shutdown()
        self._httpd.server_close()
        self._thread.join(10)

    def url(self, path):
        return f"http://127.0.0.1:{self._httpd.server_address[1]}{path}"

    def count(self, path):
        with self._lock:
            return self._counts.get(path, 0)

    def requests(self):
        """Every request so far, as "path at seconds since the server started"."""
        with self._lock:
            return [f"{path} at {at:.2f} s" for at, path in self._log]

    def cookies(self):
        """The Cookie header of each request for /cookie.html so far (None without)."""
        with self._lock:
            return list(self._cookies)

    def _note_cookie(self, header):
        with self._lock:
            self._cookies.append(header)

    def release_hanging(self):
        self._release.set()

    def _count(self, path):
        with self._lock:
            self._counts[path] = self._counts.get(path, 0) + 1
            self._log.append((time.monotonic() - self._started, path))

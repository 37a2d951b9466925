"""The built site served on 127.0.0.1 as a static web host serves it: the
right types (application/wasm above all), text and the module compressed
with gzip for browsers that take it, and every answer to be checked again
with the host (Cache-Control: no-cache, answered 304 when unchanged), so
that a new version is seen at once; the service worker makes visits after
the first fast. Used by the tests, the benchmark and scripts/serve."""

import email.utils
import functools
import gzip
import http.server
import io
import os
import sys
import threading

COMPRESSED = {".html", ".css", ".js", ".wasm", ".webmanifest", ".json"}


class HostHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}
    quiet = True

    def log_request(self, code="-", size="-"):
        self.server.answers.append((self.path, int(code)))
        super().log_request(code, size)

    def log_message(self, *args):
        if not self.quiet:
            super().log_message(*args)

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        self.send_header("Vary", "Accept-Encoding")
        super().end_headers()

    def send_head(self):
        held = self.server.held.get(self.path.split("?")[0])
        if held is not None:
            held.wait(60)
        path = self.translate_path(self.path)
        if os.path.isdir(path) and self.path.split("?")[0].endswith("/"):
            path = os.path.join(path, "index.html")
        if ("gzip" not in self.headers.get("Accept-Encoding", "")
                or os.path.splitext(path)[1] not in COMPRESSED or not os.path.isfile(path)):
            return super().send_head()
        modified = int(os.stat(path).st_mtime)
        try:
            since = email.utils.parsedate_to_datetime(self.headers.get("If-Modified-Since"))
            unchanged = modified <= since.timestamp()
        except (TypeError, ValueError, OverflowError):
            unchanged = False
        if unchanged:
            self.send_response(304)
            self.end_headers()
            return None
        with open(path, "rb") as f:
            body = gzip.compress(f.read(), compresslevel=9, mtime=0)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Last-Modified", self.date_time_string(modified))
        self.end_headers()
        return io.BytesIO(body)


class SiteServer:
    """The site folder on 127.0.0.1 (a free port unless given), until stopped."""

    def __init__(self, folder, port=0, quiet=True):
        handler = functools.partial(type("Handler", (HostHandler,), {"quiet": quiet}),
                                    directory=folder)
        self._server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
        self._server.answers = []  # (path, status) of every request, in order
        self._server.held = {}  # path: the event that lets its answer go
        self.url = f"http://127.0.0.1:{self._server.server_address[1]}/"
        self._thread = threading.Thread(target=self._server.serve_forever, daemon=True)
        self._thread.start()

    def hold(self, path):
        """Holds the answers for `path` (such as "/rongxi.js") until the
        returned event is set, as a slow network would."""
        self._server.held[path] = threading.Event()
        return self._server.held[path]

    @property
    def answers(self):
        return list(self._server.answers)

    def stop(self):
        for held in self._server.held.values():
            held.set()
        if self._thread.is_alive():
            self._server.shutdown()
            self._server.server_close()


if __name__ == "__main__":
    # python3 -m support.site_server FOLDER PORT: serves until interrupted.
    server = SiteServer(sys.argv[1], int(sys.argv[2]), quiet=False)
    print(f"榕汐: {server.url}", flush=True)
    try:
        threading.Event().wait()
    except KeyboardInterrupt:
        server.stop()

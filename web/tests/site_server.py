"""A static HTTP server for a site folder, on 127.0.0.1 and a free port, in a thread of its own.
It remembers which files were asked for."""

import functools
import gzip
import http.server
import os
import threading
import urllib.parse


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def log_message(self, *_):
        pass

    def end_headers(self):
        # Every load must reach the server, so that what the page loads can be counted.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def log_request(self, code="-", size="-"):
        self.server.requests.append((self.path.split("?")[0], int(code)))


class SiteServer:
    def __init__(self, folder, port=0):
        self.folder, self.port = folder, port  # port 0: a free one

    def __enter__(self):
        handler = functools.partial(Handler, directory=self.folder)
        http.server.ThreadingHTTPServer.allow_reuse_address = True
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", self.port), handler)
        self.httpd.daemon_threads = True
        self.httpd.requests = []
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()
        return self

    def __exit__(self, *_):
        self.httpd.shutdown()
        self.httpd.server_close()

    @property
    def requests(self):
        """(path, status) of every request so far."""
        return list(self.httpd.requests)

    def clear(self):
        self.httpd.requests.clear()

    def url(self, path="index.html"):
        return f"http://127.0.0.1:{self.httpd.server_address[1]}/{path}"


def page_weight(folder, requests):
    """(path, raw bytes, gzip bytes) of every file served with status 200, each counted once."""
    rows = []
    for path in sorted({path for path, status in requests if status == 200}):
        name = os.path.join(folder, urllib.parse.unquote(path).lstrip("/") or "index.html")
        if os.path.isdir(name):
            name = os.path.join(name, "index.html")
        with open(name, "rb") as f:
            data = f.read()
        rows.append((path, len(data), len(gzip.compress(data, 9))))
    return rows

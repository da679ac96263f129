#!/usr/bin/env python3
"""A small static server for the page, on this machine only: the right type
for .wasm, gzip for what compresses (as a real host would send it), and no
caching, so a rebuilt page is what the browser gets.

usage: serve.py SITE_DIR [PORT]   (PORT 0 picks a free one)
Prints "Serving Skyward Run at http://127.0.0.1:PORT/" once it listens.
"""
import gzip
import http.server
import os
import sys

TYPES = {".wasm": "application/wasm", ".js": "text/javascript", ".json": "application/json",
         ".data": "application/octet-stream", ".mp3": "audio/mpeg", ".woff": "font/woff",
         ".html": "text/html; charset=utf-8", ".css": "text/css", ".txt": "text/plain; charset=utf-8"}
# Already compressed: gzip would only cost time.
STORED = {".mp3", ".woff", ".zip"}
# Compressed once per file version, as a host's own cache would.
packed = {}


class Handler(http.server.SimpleHTTPRequestHandler):
    def end_headers(self):
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def guess_type(self, path):
        return TYPES.get(os.path.splitext(path)[1], "application/octet-stream")

    def do_GET(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        ext = os.path.splitext(path)[1]
        if (not os.path.isfile(path) or ext in STORED
                or "gzip" not in self.headers.get("Accept-Encoding", "")):
            return super().do_GET()
        key = (path, os.stat(path).st_mtime_ns)
        if key not in packed:
            with open(path, "rb") as f:
                packed[key] = gzip.compress(f.read(), 6)
        body = packed[key]
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, fmt, *args):
        if os.environ.get("SKYWARD_SERVE_LOG"):
            super().log_message(fmt, *args)


def main():
    site = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8080
    os.chdir(site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler)
    print(f"Serving Skyward Run at http://127.0.0.1:{server.server_address[1]}/ "
          "(Ctrl+C stops it)", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()

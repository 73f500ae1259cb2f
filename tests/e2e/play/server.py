#!/usr/bin/env python3
"""Pages for the player e2e scripts, on 127.0.0.1 only.

Usage: server.py PORT_FILE  -- serves pages/ and writes the chosen port to
PORT_FILE once it listens. Besides the files:
  /slow?secs=N&title=T  the head and a visible line at once, then one byte a
                        second for N seconds, then <title>T</title>
  /count                a page whose title counts the requests made for it
"""
import http.server
import os
import socketserver
import sys
import threading
import time
import urllib.parse

PAGES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pages")
HITS = {"count": 0}
LOCK = threading.Lock()


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=PAGES, **kwargs)

    def log_message(self, *args):
        pass

    def end_headers(self):
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path == "/slow":
            return self.slow(int(query.get("secs", ["20"])[0]), query.get("title", ["慢页面"])[0])
        if url.path == "/count":
            with LOCK:
                HITS["count"] += 1
                n = HITS["count"]
            return self.html(f"<title>count {n}</title><p>count {n}</p>")
        return super().do_GET()

    def html(self, body):
        data = ("<!DOCTYPE html><html><head><meta charset='utf-8'>" + body + "</html>").encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def slow(self, secs, title):
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.end_headers()
        try:
            self.wfile.write(b"<!DOCTYPE html><html><head><meta charset='utf-8'>" + b" " * 1024)
            self.wfile.flush()
            for _ in range(secs):
                time.sleep(1)
                self.wfile.write(b" ")
                self.wfile.flush()
            self.wfile.write(f"<title>{title}</title></head><body>done</body></html>".encode())
        except (BrokenPipeError, ConnectionResetError):
            pass


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    server = Server(("127.0.0.1", 0), Handler)
    with open(sys.argv[1] + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(sys.argv[1] + ".tmp", sys.argv[1])
    server.serve_forever()


if __name__ == "__main__":
    main()

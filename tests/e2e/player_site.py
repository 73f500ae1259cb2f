#!/usr/bin/env python3
"""A small web site on 127.0.0.1 for the e2e scripts: the pages in site/
and a few addresses that answer like real servers do.

    player_site.py --port-file FILE     (port 0: a free one)

    /file/<name>?cd=<name>   "contents of <name>" as an attachment whose
                             Content-Disposition file name is <cd> (raw, may be hostile)
    /slow/<name>             4 MiB as an attachment, sent over about 13 s
    /drop/<name>             announces 4 MiB, sends 1 MiB, then hangs up
    /plain/<name>            a text file shown inline (for the download attribute)
    /cookie/set              sets a cookie for a day ("keep") and one for the session ("sess")
    /cookie/show             a page whose title lists the cookies received, or "none"
"""
import argparse
import http.server
import os
import socketserver
import sys
import time
import urllib.parse

SITE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "site")
BIG = 4 * 1024 * 1024


class Handler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=SITE, **kwargs)

    def log_message(self, fmt, *args):
        pass

    def answer(self, body, headers=(), status=200, length=None):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.end_headers()
        return body

    def attachment(self, name):
        quoted = name.replace("\\", "\\\\").replace('"', '\\"')
        return ("Content-Disposition", 'attachment; filename="%s"' % quoted)

    def page(self, title, headers=()):
        body = ("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title></head>"
                "<body>%s</body></html>" % (title, title)).encode("utf-8")
        self.wfile.write(self.answer(body, [("Content-Type", "text/html; charset=utf-8")] + list(headers)))

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        path = urllib.parse.unquote(url.path)
        query = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        if path.startswith("/file/"):
            name = path[len("/file/"):]
            cd = urllib.parse.unquote_to_bytes(url.query.split("cd=", 1)[1]) if "cd=" in url.query else name.encode()
            body = ("contents of %s\n" % name).encode("utf-8")
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(len(body)))
            # Raw bytes, as a careless or hostile server sends them.
            self._headers_buffer.append(b'Content-Disposition: attachment; filename="' + cd + b'"\r\n')
            self.end_headers()
            self.wfile.write(body)
            return
        if path.startswith("/slow/"):
            return self.send_slowly(path[len("/slow/"):])
        if path.startswith("/drop/"):
            return self.send_dropped(path[len("/drop/"):])
        if path.startswith("/plain/"):
            body = ("plain %s\n" % path[len("/plain/"):]).encode("utf-8")
            self.wfile.write(self.answer(body, [("Content-Type", "text/plain; charset=utf-8")]))
            return
        if path == "/cookie/set":
            return self.page("set", [("Set-Cookie", "keep=1; Max-Age=86400; Path=/"),
                                     ("Set-Cookie", "sess=1; Path=/")])
        if path == "/cookie/show":
            cookies = sorted(c.strip() for c in (self.headers.get("Cookie") or "").split(";") if c.strip())
            return self.page(",".join(cookies) if cookies else "none", [("Cache-Control", "no-store")])
        return super().do_GET()

    def send_slowly(self, name):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header(*self.attachment(name))
        self.send_header("Content-Length", str(BIG))
        self.end_headers()
        chunk = b"x" * (32 * 1024)
        try:
            for _ in range(BIG // len(chunk)):
                self.wfile.write(chunk)
                self.wfile.flush()
                time.sleep(0.1)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def send_dropped(self, name):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header(*self.attachment(name))
        self.send_header("Content-Length", str(BIG))
        self.end_headers()
        self.wfile.write(b"y" * (1024 * 1024))
        self.wfile.flush()
        time.sleep(0.5)
        self.close_connection = True
        self.connection.shutdown(2)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()
    server = Server(("127.0.0.1", args.port), Handler)
    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(args.port_file + ".tmp", args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())

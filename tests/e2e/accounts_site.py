#!/usr/bin/env python3
"""A site with logins on 127.0.0.1 for the second-account e2e script.

    accounts_site.py --port-file FILE

    /login?user=X   sets the login cookie "user" for a day and stores X in the
                    page's local storage; the title says "login X" once both are done
    /whoami         a page whose title is "user:<cookie or none> ls:<storage or none>"
"""
import argparse
import html
import http.server
import os
import socketserver
import urllib.parse
from http.cookies import SimpleCookie


def page(script):
    return ("<!DOCTYPE html><html><head><meta charset='utf-8'><title>wait</title></head>"
            "<body><p>accounts</p><script>" + script +
            "document.querySelector('p').textContent = document.title;</script></body></html>").encode()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_page(self, body, cookie=None):
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        if cookie:
            self.send_header("Set-Cookie", cookie)
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path == "/login":
            user = "".join(c for c in query.get("user", ["?"])[0] if c.isalnum())[:20] or "?"
            script = ("localStorage.setItem('user', %r); document.title = 'login ' + %r;" % (user, user))
            self.send_page(page(script), "user=%s; Max-Age=86400; Path=/" % user)
        elif url.path == "/whoami":
            jar = SimpleCookie()
            try:
                jar.load(self.headers.get("Cookie", ""))
            except Exception:
                pass
            user = jar["user"].value if "user" in jar else "none"
            script = ("document.title = 'user:' + %r + ' ls:' + (localStorage.getItem('user') || 'none');"
                      % html.escape(user))
            self.send_page(page(script))
        else:
            self.send_error(404)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()
    server = Server(("127.0.0.1", 0), Handler)
    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(args.port_file + ".tmp", args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()

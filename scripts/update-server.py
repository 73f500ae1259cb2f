#!/usr/bin/env python3
"""A local update server for trying the program and for its tests.

Serves a folder (resources/server/ by default) over HTTP on 127.0.0.1:
    scripts/update-server.py [--root DIR] [--port N] [--port-file FILE]
Port 0 picks a free port; --port-file receives the port once it listens.
A few addresses misbehave on purpose, for the tests:
    /slow/<path>     sends <path> one byte every 0.2 s
    /pace/<ms>/<path> sends <path> in ten pieces spread over <ms> milliseconds
    /endless...      a body that never ends
    /stall...        headers, then nothing, with the connection held open
    /drop...         half a body, then the connection is closed
    /redirect/<path> answers 302 pointing at <path>
Every request is logged on stdout as "GET <path> <User-Agent> | <Accept>".
"""
import argparse
import http.server
import os
import sys
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        pass

    def do_GET(self):
        # One write per line: print() writes the line and its end apart, and
        # requests answered side by side would share a line in the log.
        sys.stdout.write("GET %s %s | %s | %s\n" % (self.path, self.headers.get("User-Agent"),
                                                    self.headers.get("Accept"), self.headers.get("Cookie")))
        sys.stdout.flush()
        if self.path.startswith("/slow/"):
            return self.send_slowly(self.path[len("/slow"):])
        if self.path.startswith("/pace/"):
            ms, _, rest = self.path[len("/pace/"):].partition("/")
            return self.send_paced("/" + rest, int(ms) / 1000.0)
        if self.path.startswith("/endless"):
            return self.send_endless()
        if self.path.startswith("/stall"):
            return self.send_stall()
        if self.path.startswith("/drop"):
            return self.send_drop()
        if self.path.startswith("/redirect/"):
            self.send_response(302)
            self.send_header("Location", self.path[len("/redirect"):])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if self.path == "/cookie":
            body = b"cookie set"
            self.send_response(200)
            self.send_header("Set-Cookie", "session=xf42; Path=/")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        return super().do_GET()

    def local_bytes(self, path):
        full = self.translate_path(path)
        if not os.path.isfile(full):
            return None
        with open(full, "rb") as f:
            return f.read()

    def send_slowly(self, path):
        data = self.local_bytes(path)
        if data is None:
            return self.send_error(404)
        self.send_response(200)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        for i in range(len(data)):
            self.wfile.write(data[i:i + 1])
            self.wfile.flush()
            time.sleep(0.2)

    def send_paced(self, path, seconds):
        data = self.local_bytes(path)
        if data is None:
            return self.send_error(404)
        self.send_response(200)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        step = (len(data) + 9) // 10 or 1
        for start in range(0, max(len(data), 1), step):
            time.sleep(seconds / 10)
            self.wfile.write(data[start:start + step])
            self.wfile.flush()

    def send_endless(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.end_headers()
        chunk = b"[0]\r\nmc=x\r\n" * 10000
        try:
            while True:
                self.wfile.write(chunk)
        except (BrokenPipeError, ConnectionResetError):
            pass
        self.close_connection = True

    def send_stall(self):
        self.send_response(200)
        self.send_header("Content-Length", "100")
        self.end_headers()
        self.wfile.flush()
        time.sleep(30)
        self.close_connection = True

    def send_drop(self):
        self.send_response(200)
        self.send_header("Content-Length", "1000")
        self.end_headers()
        self.wfile.write(b"[0]\r\nmc=half\r\nlx=x\r\nurl=http://h/\r\n")
        self.wfile.flush()
        self.close_connection = True


def main():
    parser = argparse.ArgumentParser()
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--root", default=os.path.join(here, "..", "resources", "server"))
    parser.add_argument("--port", type=int, default=8080)
    parser.add_argument("--port-file")
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    handler = lambda *a, **k: Handler(*a, directory=root, **k)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), handler)
    server.daemon_threads = True
    port = server.server_address[1]
    if args.port_file:
        tmp = args.port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(str(port))
        os.replace(tmp, args.port_file)
    print("serving %s on http://127.0.0.1:%d" % (root, port), flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())

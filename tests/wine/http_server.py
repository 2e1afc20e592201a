#!/usr/bin/env python3
"""Loopback HTTP server for the page-request tests and benchmark.

http_server.py PORT_FILE LOG_FILE [CLOSED_PORT_FILE]: listens on 127.0.0.1 at a
port the system chooses, writes that port into PORT_FILE, and appends the
request line of every request it receives to LOG_FILE. With CLOSED_PORT_FILE it
also holds, for as long as it runs, a socket bound to another loopback port that
never listens, and writes that port there: a connection to it is refused, and
nothing else can take the port meanwhile. It answers by path:
  /echo...      the request as received, head and body, byte for byte
  /cookies      three Set-Cookie lines, one of them with a lower-case name
  /redirect     302 to /landing, each with a cookie and a body of its own
  /big-headers  over 8000 bytes of headers, then two Set-Cookie lines
  /bytes?n=N    N bytes
  /marker       a page holding the connectivity marker; /no-marker one without
  http://...    a request in proxy form: "proxied " and the target
Connections that close without a request (connection checks) are not logged.
"""
import os
import socket
import socketserver
import sys
import urllib.parse

MARKER = "百度一下".encode("utf-8")
BIG_HEADERS = [("X-Filler-%02d" % i, "f" * 100) for i in range(80)]
PATTERN = bytes(range(256)) * 4096  # 1 MiB


def body_of_size(n):
    whole, rest = divmod(n, len(PATTERN))
    return PATTERN * whole + PATTERN[:rest]


class Handler(socketserver.BaseRequestHandler):
    def read_request(self):
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = self.request.recv(65536)
            if not chunk:
                return None
            data += chunk
        head, _, body = data.partition(b"\r\n\r\n")
        length = 0
        for line in head.split(b"\r\n")[1:]:
            name, _, value = line.partition(b":")
            if name.strip().lower() == b"content-length":
                length = int(value.strip())
        while len(body) < length:
            chunk = self.request.recv(65536)
            if not chunk:
                break
            body += chunk
        return head + b"\r\n\r\n", body

    def reply(self, status, headers, body):
        lines = ["HTTP/1.1 " + status]
        lines += ["%s: %s" % pair for pair in headers]
        lines += ["Content-Length: %d" % len(body), "Connection: close", "", ""]
        self.request.sendall("\r\n".join(lines).encode("latin-1") + body)

    def handle(self):
        request = self.read_request()
        if request is None:
            return
        head, body = request
        request_line = head.split(b"\r\n", 1)[0].decode("latin-1")
        with open(self.server.log_path, "a") as log:
            log.write(request_line + "\n")
        target = request_line.split(" ")[1] if request_line.count(" ") >= 2 else "/"
        if target.startswith("http://"):
            return self.reply("200 OK", [], b"proxied " + target.encode("latin-1"))
        url = urllib.parse.urlsplit(target)
        path = url.path
        host = "127.0.0.1:%d" % self.server.server_address[1]
        if path.startswith("/echo"):
            self.reply("200 OK", [("Content-Type", "application/octet-stream")], head + body)
        elif path == "/cookies":
            self.reply("200 OK", [("Set-Cookie", "sid=new; Path=/; HttpOnly"), ("Set-Cookie", "b=2"),
                                  ("set-cookie", "lower=3")], b"cookies")
        elif path == "/redirect":
            self.reply("302 Found", [("Location", "http://%s/landing" % host),
                                     ("Set-Cookie", "moved=1; Path=/")], b"redirect body")
        elif path == "/landing":
            self.reply("200 OK", [("Set-Cookie", "landed=1")], b"landing body")
        elif path == "/big-headers":
            self.reply("200 OK", BIG_HEADERS + [("Set-Cookie", "big=1; Path=/"), ("Set-Cookie", "huge=2")], b"big")
        elif path == "/bytes":
            n = int(urllib.parse.parse_qs(url.query).get("n", ["0"])[0])
            self.reply("200 OK", [("Content-Type", "application/octet-stream")], body_of_size(n))
        elif path == "/marker":
            self.reply("200 OK", [("Content-Type", "text/html; charset=utf-8")],
                       b"<html><input value=\"" + MARKER + b"\"></html>")
        elif path == "/no-marker":
            self.reply("200 OK", [("Content-Type", "text/html; charset=utf-8")],
                       b"<html>" + MARKER[:6] + b"</html>")
        else:
            self.reply("404 Not Found", [], b"")


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def publish(path, port):
    with open(path + ".tmp", "w") as f:
        f.write(str(port))
    os.replace(path + ".tmp", path)


def main():
    port_file, log_path = sys.argv[1], sys.argv[2]
    server = Server(("127.0.0.1", 0), Handler)
    server.log_path = log_path
    open(log_path, "a").close()
    if len(sys.argv) > 3:
        closed = socket.socket()
        closed.bind(("127.0.0.1", 0))
        publish(sys.argv[3], closed.getsockname()[1])
    publish(port_file, server.server_address[1])
    server.serve_forever()


if __name__ == "__main__":
    main()

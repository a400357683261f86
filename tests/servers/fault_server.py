#!/usr/bin/env python3
"""A small HTTP server on 127.0.0.1 that misbehaves on purpose, for download tests.

Usage: fault_server.py PORT WWW_FOLDER

Routes (the last path part, <name>, is free: it only gives the download a file name):

  /len0/<name>                      200, "Content-Length: 0", no body
  /chunked/<name>?size=N            200, "Transfer-Encoding: chunked" (no Content-Length), N bytes
                                    in chunks of 4096, then the closing empty chunk
  /chunked/<name>?size=N&after=K    the same stream cut off after K bytes of data (inside a chunk,
                                    or at the end of one when K is a multiple of 4096): the
                                    connection closes and the closing empty chunk never comes
  /chunkedfile/<name>               WWW_FOLDER/<name>, chunked (no Content-Length); 404 when absent
  /cut/<name>?size=N&after=K        announces Content-Length N, sends K bytes, closes the connection
  /slow/<name>?size=N&delay_ms=D&chunk=C
                                    announces Content-Length N, sends C bytes at a time with
                                    D ms pauses between the pieces
  /lastmod/<name>?size=N            200 with "Last-Modified: Wed, 01 May 2024 12:25:56 GMT", N bytes
  /errorpage200/<name>              200 with an HTML page titled "404 Not Found" (Content-Length set)
  /file/<name>                      WWW_FOLDER/<name> with Content-Length; 404 when absent

Generated bodies are deterministic: byte i is i % 251, so a test can build the expected bytes.
Every answer closes the connection afterwards. HEAD is answered like GET, without the body.
"""

import os
import sys
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

LAST_MODIFIED = "Wed, 01 May 2024 12:25:56 GMT"
ERROR_PAGE_200 = (
    b"<html>\r\n<head><title>404 Not Found</title></head>\r\n<body>\r\n"
    b"<center><h1>404 Not Found</h1></center>\r\n</body>\r\n</html>\r\n"
)


def pattern(start, count):
    """Bytes start .. start+count-1 of the deterministic body."""
    return bytes((start + i) % 251 for i in range(count))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "FaultServer/1"
    www = "."

    def log_message(self, fmt, *args):  # keep the test output quiet
        pass

    def do_HEAD(self):
        self.answer(send_body=False)

    def do_GET(self):
        self.answer(send_body=True)

    def number(self, query, key, default):
        try:
            return max(0, int(query.get(key, [default])[0]))
        except ValueError:
            return default

    def start(self, status, headers):
        self.send_response(status)
        for key, value in headers:
            self.send_header(key, value)
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True

    def answer(self, send_body):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        parts = [p for p in url.path.split("/") if p]
        route = parts[0] if parts else ""
        name = urllib.parse.unquote("/".join(parts[1:]))
        size = self.number(query, "size", 1000)
        binary = ("Content-Type", "application/octet-stream")

        try:
            if route == "len0":
                self.start(200, [binary, ("Content-Length", "0")])
            elif route == "chunked":
                cut = "after" in query
                after = min(self.number(query, "after", size), size)
                self.start(200, [binary, ("Transfer-Encoding", "chunked")])
                if send_body:
                    self.send_chunked(pattern(0, size), after if cut else None)
            elif route == "chunkedfile" and name and ".." not in name.split("/"):
                data = self.served_file(name, send_body)
                if data is None:
                    return
                self.start(200, [binary, ("Transfer-Encoding", "chunked")])
                if send_body:
                    self.send_chunked(data, None)
            elif route == "cut":
                after = min(self.number(query, "after", size // 2), size)
                self.start(200, [binary, ("Content-Length", str(size))])
                if send_body:
                    self.wfile.write(pattern(0, after))
                    self.wfile.flush()
                    self.connection.shutdown(2)
            elif route == "slow":
                delay = self.number(query, "delay_ms", 100) / 1000.0
                chunk = max(1, self.number(query, "chunk", 1024))
                self.start(200, [binary, ("Content-Length", str(size))])
                if send_body:
                    sent = 0
                    while sent < size:
                        if sent:
                            time.sleep(delay)
                        piece = pattern(sent, min(chunk, size - sent))
                        self.wfile.write(piece)
                        self.wfile.flush()
                        sent += len(piece)
            elif route == "lastmod":
                self.start(200, [binary, ("Content-Length", str(size)),
                                 ("Last-Modified", LAST_MODIFIED)])
                if send_body:
                    self.wfile.write(pattern(0, size))
            elif route == "errorpage200":
                self.start(200, [("Content-Type", "text/html"),
                                 ("Content-Length", str(len(ERROR_PAGE_200)))])
                if send_body:
                    self.wfile.write(ERROR_PAGE_200)
            elif route == "file" and name and ".." not in name.split("/"):
                data = self.served_file(name, send_body)
                if data is None:
                    return
                self.start(200, [binary, ("Content-Length", str(len(data)))])
                if send_body:
                    self.wfile.write(data)
            else:
                self.not_found(send_body)
        except (BrokenPipeError, ConnectionResetError):
            pass  # the client gave up: that is what some tests do

    def send_chunked(self, data, cut_after):
        """Sends data in chunks of 4096 and the closing empty chunk; with cut_after, only that
        many bytes of data (the last chunk announced whole), then the connection is shut."""
        sent = 0
        while sent < len(data) and (cut_after is None or sent < cut_after):
            piece = data[sent:sent + 4096]
            if cut_after is not None and sent + len(piece) > cut_after:
                self.wfile.write(b"%x\r\n%s" % (len(piece), piece[:cut_after - sent]))
                sent = cut_after
                break
            self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            sent += len(piece)
        if cut_after is None:
            self.wfile.write(b"0\r\n\r\n")
        self.wfile.flush()
        if cut_after is not None:
            self.connection.shutdown(2)

    def served_file(self, name, send_body):
        """The bytes of a file in the served folder; None, after a 404 answer, when absent."""
        path = os.path.join(self.www, name)
        if not os.path.isfile(path):
            self.not_found(send_body)
            return None
        with open(path, "rb") as f:
            return f.read()

    def not_found(self, send_body):
        body = b"not found\n"
        self.start(404, [("Content-Type", "text/plain"), ("Content-Length", str(len(body)))])
        if send_body:
            self.wfile.write(body)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: fault_server.py PORT WWW_FOLDER")
    Handler.www = sys.argv[2]
    server = ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), Handler)
    server.daemon_threads = True
    server.serve_forever()


if __name__ == "__main__":
    main()

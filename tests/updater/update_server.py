#!/usr/bin/env python3
"""A small update server for the updater tests, listening on 127.0.0.1 only.

Usage: update_server.py ROOT LOG SECONDS [CERT KEY]

Serves the files under ROOT on a free port and prints "PORT <n>" on its first line. Every
request path is appended to LOG before it is answered. A sibling file next to a served file
changes how it is answered:
  NAME.short     announce the whole length, send half of the file, close the connection
  NAME.slow      send half of the file, wait, then the rest
  NAME.status    answer with the status code the sibling holds instead of the file
  NAME.redirect  answer 302 with the address the sibling holds
The server ends when its standard input closes or after SECONDS, whichever comes first.
With CERT and KEY it speaks HTTPS.
"""
import http.server
import os
import ssl
import sys
import threading
import time


def main():
    root, log_path, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])

    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=root, **kwargs)

        def log_message(self, *args):
            pass

        def sibling(self, suffix):
            path = self.translate_path(self.path) + suffix
            if os.path.isfile(path):
                with open(path, "rb") as f:
                    return f.read()
            return None

        def do_GET(self):
            with open(log_path, "a") as log:
                log.write(self.path + "\n")
            redirect = self.sibling(".redirect")
            if redirect is not None:
                self.send_response(302)
                self.send_header("Location", redirect.decode().strip())
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            status = self.sibling(".status")
            if status is not None:
                body = b"refused"
                self.send_response(int(status.decode().strip()))
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
                return
            path = self.translate_path(self.path)
            short = self.sibling(".short") is not None
            slow = self.sibling(".slow") is not None
            if (short or slow) and os.path.isfile(path):
                with open(path, "rb") as f:
                    data = f.read()
                self.send_response(200)
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                half = len(data) // 2
                self.wfile.write(data[:half])
                self.wfile.flush()
                if short:
                    self.close_connection = True
                    return
                time.sleep(5)
                self.wfile.write(data[half:])
                return
            super().do_GET()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if len(sys.argv) > 5:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(sys.argv[4], sys.argv[5])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print("PORT", server.server_address[1], flush=True)

    threading.Thread(target=server.serve_forever, daemon=True).start()
    timer = threading.Timer(seconds, lambda: os._exit(0))
    timer.daemon = True
    timer.start()
    sys.stdin.read()
    os._exit(0)


if __name__ == "__main__":
    main()

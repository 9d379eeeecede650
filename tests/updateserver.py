#!/usr/bin/env python3
"""A stand-in for the update server, reached as the program's HTTP proxy
(or directly).

  updateserver.py PORTFILE LOGFILE answer   answers every GET with a newer
                                            version than the program's
  updateserver.py PORTFILE LOGFILE hold     receives requests, never answers
  updateserver.py PORTFILE LOGFILE drip     answers with a newer version,
                                            one byte a second, for a day
  updateserver.py PORTFILE LOGFILE spill    the same after 64 KB + 1 blanks
                                            sent at once
  updateserver.py PORTFILE LOGFILE redirect a newer version as the body of
                                            a redirect
  updateserver.py PORTFILE LOGFILE overflow a newer version under a length
                                            too large for any number

Listens on a free port of 127.0.0.1 and writes its number to PORTFILE; each
request's target (the full URL, as sent to a proxy) is appended to LOGFILE as
it arrives. Runs until killed.
"""
import http.server
import os
import sys
import threading
import time

NEWER = b"P0.108\nB20100101"
DRIP_BYTES = 86400


def main():
    if len(sys.argv) != 4 or sys.argv[3] not in ("answer", "hold", "drip", "spill", "redirect",
                                                      "overflow"):
        sys.exit(__doc__)
    port_file, log_file, mode = sys.argv[1:]

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            with open(log_file, "a") as log:
                log.write(self.path + "\n")
            if mode == "hold":
                threading.Event().wait()
            if mode in ("drip", "spill"):
                self.drip(b" " * (64 * 1024 + 1) if mode == "spill" else b"")
                return
            self.send_response(301 if mode == "redirect" else 200)
            if mode == "redirect":
                self.send_header("Location", "http://127.0.0.1:9/moved")
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", "18446744073709551623" if mode == "overflow" else str(len(NEWER)))
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(NEWER)
            self.close_connection = True

        def drip(self, spilled):
            body = NEWER.ljust(DRIP_BYTES)
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(spilled) + len(body)))
            self.end_headers()
            try:
                self.wfile.write(spilled)
                self.wfile.flush()
                for i in range(len(body)):
                    self.wfile.write(body[i:i + 1])
                    self.wfile.flush()
                    time.sleep(1)
            except (BrokenPipeError, ConnectionResetError):
                pass  # the client gave up

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    open(log_file, "a").close()
    with open(port_file + ".tmp", "w") as out:
        out.write(str(server.server_address[1]))
    os.rename(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()

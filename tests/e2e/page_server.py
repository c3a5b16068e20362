#!/usr/bin/env python3
"""A stand-in for the publishers' sites, used as the HTTP proxy of a live run:
it answers each request (an absolute address) from a replay manifest and
logs it. Listens on 127.0.0.1 only.

  page_server.py MANIFEST PORT-FILE LOG-FILE [--rules FILE] [--stop-after N]

MANIFEST is URL<TAB>FILE as in a replay folder. The rules file has
URL<TAB>ACTION lines; an action is one of
  status:CODE          answer with that HTTP status
  hang                 never answer (holds the connection for a minute)
  redirect:URL         answer 302 to URL
  gzip                 serve the manifest's page gzip-compressed
  busy-once:SECONDS    answer 503 with Retry-After the first time
The chosen port is written to PORT-FILE once the server listens. With
--stop-after N the server stops listening after N answered requests, so later
connections are refused. Each log line: seconds since start, URL, user agent.
"""

import gzip
import http.server
import pathlib
import socket
import sys
import threading
import time


def read_table(path):
    table = {}
    base = pathlib.Path(path).resolve().parent
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if not line.strip() or line.startswith("#") or "\t" not in line:
            continue
        url, value = line.split("\t", 1)
        table[url.strip()] = (value.strip(), base)
    return table


def main():
    manifest_path, port_file, log_path = sys.argv[1:4]
    args = sys.argv[4:]
    rules = read_table(args[args.index("--rules") + 1]) if "--rules" in args else {}
    stop_after = int(args[args.index("--stop-after") + 1]) if "--stop-after" in args else None
    manifest = read_table(manifest_path)
    start = time.monotonic()
    answered = [0]
    busy_seen = set()
    log = open(log_path, "a", buffering=1, encoding="utf-8")
    lock = threading.Lock()

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def log_message(self, *args):
            pass

        def answer(self, status, body=b"", headers=()):
            self.send_response(status)
            for name, value in headers:
                self.send_header(name, value)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def do_GET(self):
            url = self.path
            with lock:
                log.write(f"{time.monotonic() - start:.3f}\t{url}\t{self.headers.get('User-Agent', '')}\n")
            with lock:
                answered[0] += 1
                last = stop_after is not None and answered[0] >= stop_after
            if last:
                # No connection is taken once the client has this answer
                # (shutdown, not close: close waits for the serving loop).
                server.socket.shutdown(socket.SHUT_RDWR)
            action = rules.get(url, ("", None))[0]
            page = manifest.get(url)
            if action == "hang":
                time.sleep(60)
                return
            if action.startswith("status:"):
                self.answer(int(action[7:]), b"error")
            elif action.startswith("redirect:"):
                self.answer(302, headers=[("Location", action[9:])])
            elif action.startswith("busy-once:") and url not in busy_seen:
                busy_seen.add(url)
                self.answer(503, b"busy", [("Retry-After", action[10:])])
            elif page is None or page[0] == "-":
                self.answer(404, b"not found")
            else:
                body = (page[1] / page[0]).read_bytes()
                if action == "gzip":
                    self.answer(200, gzip.compress(body), [("Content-Encoding", "gzip")])
                else:
                    self.answer(200, body)
            if last:
                threading.Thread(target=server.shutdown, daemon=True).start()

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    pathlib.Path(port_file).write_text(str(server.server_address[1]))
    try:
        server.serve_forever()
    except (OSError, ValueError):
        pass  # the listening socket was closed by --stop-after


if __name__ == "__main__":
    main()

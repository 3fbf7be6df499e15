#!/usr/bin/env python3
"""Serves a folder on 127.0.0.1, with the types a browser wants for a
WebAssembly module and a web-app manifest: serve.py FOLDER [PORT]
(PORT 0 picks a free one; the address is printed once it listens)."""
import functools
import http.server
import sys


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript", ".cur": "image/x-icon", ".ico": "image/x-icon"}

    def log_message(self, *args):
        pass


class QuietServer(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a browser that hangs up early is no fault of the site


def serve(folder, port=0):
    handler = functools.partial(SiteHandler, directory=folder)
    return QuietServer(("127.0.0.1", port), handler)


if __name__ == "__main__":
    server = serve(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 8000)
    print(f"http://127.0.0.1:{server.server_address[1]}/", flush=True)
    server.serve_forever()

#!/usr/bin/env python3
"""Writes the hash of a page's inline style sheet into the page's
Content-Security-Policy, so the policy lets that sheet through and no other
inline style: inline_style_hash.py INDEX_HTML. The sheet stays inline because
a sheet of its own would hold back the board's first paint by a request."""
import base64
import hashlib
import re
import sys

path = sys.argv[1]
with open(path, encoding="utf-8") as f:
    page = f.read()
sheet = re.search(r"<style>(.*?)</style>", page, re.S)
if not sheet:
    sys.exit(f"{path}: no inline style sheet")
digest = base64.b64encode(hashlib.sha256(sheet.group(1).encode("utf-8")).digest()).decode("ascii")
page, count = re.subn(r"'sha256-[^']*'", f"'sha256-{digest}'", page, count=1)
if count != 1:
    sys.exit(f"{path}: no style hash in its Content-Security-Policy")
with open(path, "w", encoding="utf-8") as f:
    f.write(page)

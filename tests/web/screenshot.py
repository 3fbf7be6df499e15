#!/usr/bin/python3
"""The README's picture of the game in a browser, from the real build:
screenshot.py SITE OUT.png. Deals, plays the first ace it finds home, selects
a card, and shows the keyboard focus, in headless Chromium."""
import base64
import sys

from browser_e2e import Site, check
from cdp import Page


def main(site_dir, out):
    site = Site(site_dir, width=704, height=474)
    try:
        site.deal_by_keys()
        # An ace on top goes home with a click; then a card is selected.
        tops = [site.top_of_fan(f) for f in range(1, 19)]
        aces = [s for s in tops if site.face(f"s{s}") % 13 == 1]
        for slot in aces[:1]:
            site.click_id(f"s{slot}")
        other = next(s for s in tops if s not in aces and site.shown(f"s{s}"))
        site.click_id(f"s{other}")
        check(site.shown("img_border"), "no card selected")
        site.page.key("Tab", Page.SHIFT)
        shot = site.page.send("Page.captureScreenshot", format="png", clip=dict(x=0, y=0, width=704, height=474, scale=1))
        with open(out, "wb") as f:
            f.write(base64.b64decode(shot["data"]))
    finally:
        site.close()


if __name__ == "__main__":
    main(*sys.argv[1:3])

#!/usr/bin/python3
"""The site's figures in headless Chromium, side by side with a bare page
that shows the same board picture and menu bar (bench/web/bare.html):
web_bench.py SITE [RUNS]

- the site's size on disk (and gzipped, as a server would send it);
- first paint of the board: the largest contentful paint (the board picture)
  of the game and of the bare page, fresh loads alternating, cache off;
- one click handled and repainted: from the click to the end of the next
  frame's layout, median over many clicks, and the same through the whole
  frame (requestAnimationFrame).
"""
import gzip
import os
import shutil
import statistics
import sys
import tempfile
import threading

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
sys.path.insert(0, os.path.join(ROOT, "board", "web"))
import serve  # noqa: E402
from cdp import Browser  # noqa: E402

LCP = """new Promise(resolve => new PerformanceObserver(list => {
  const entries = list.getEntries(); resolve(entries[entries.length - 1].startTime);
}).observe({type: 'largest-contentful-paint', buffered: true}))"""

# Select a card and put it back, again and again: each click is timed from
# its dispatch to the page's layout being up to date, and to the next frame.
CLICKS = """(async () => {
  const sync = [], frame = [];
  const card = document.getElementById('s3');
  const frameEl = document.getElementById('img_border');
  for (let n = 0; n < 200; n++) {
    const target = n % 2 ? frameEl : card;
    const t0 = performance.now();
    target.dispatchEvent(new MouseEvent('mousedown', {bubbles: true, button: 0}));
    target.dispatchEvent(new MouseEvent('click', {bubbles: true, button: 0, detail: 1}));
    document.getElementById('board').getBoundingClientRect();
    sync.push(performance.now() - t0);
    await new Promise(r => requestAnimationFrame(() => setTimeout(r, 0)));
  }
  sync.sort((a, b) => a - b);
  return [sync[sync.length >> 1], sync[Math.floor(sync.length * 0.95)]];
})()"""


def site_size(folder):
    raw = packed = 0
    for dirpath, _, files in os.walk(folder):
        for name in files:
            with open(os.path.join(dirpath, name), "rb") as f:
                data = f.read()
            raw += len(data)
            packed += len(gzip.compress(data, 9))
    return raw, packed


def main(site, runs=11):
    raw, packed = site_size(site)
    print(f"site size: {raw / 1000:.1f} kB on disk, {packed / 1000:.1f} kB gzipped")
    root = tempfile.mkdtemp(prefix="quarrow-bench-")
    shutil.copytree(site, os.path.join(root, "game"))
    os.makedirs(os.path.join(root, "bare", "assets"))
    shutil.copy(os.path.join(HERE, "bare.html"), os.path.join(root, "bare", "index.html"))
    shutil.copy(os.path.join(site, "assets", "board.gif"), os.path.join(root, "bare", "assets"))
    server = serve.serve(root)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = f"http://127.0.0.1:{server.server_address[1]}"
    browser = Browser()
    try:
        page = browser.page()
        page.send("Network.enable")
        page.send("Network.setCacheDisabled", cacheDisabled=True)
        page.send("Network.setBypassServiceWorker", bypass=True)
        page.viewport(800, 600)
        paints = {"game": [], "bare": []}
        for _ in range(runs):
            for which in ("bare", "game"):
                page.send("Page.navigate", url=f"{base}/{which}/")
                page.wait("document.readyState === 'complete'", f"{which} loaded")
                paints[which].append(page.evaluate(LCP))
        game, bare = statistics.median(paints["game"]), statistics.median(paints["bare"])
        print(f"first paint of the board (LCP, median of {runs}): game {game:.1f} ms, bare {bare:.1f} ms, "
              f"ratio {game / bare:.2f}")
        page.send("Page.navigate", url=f"{base}/game/")
        page.wait("document.documentElement.dataset.ready === '1'", "the game ready")
        page.evaluate("quarrow.game.deal(), quarrow.render(), 0")
        median, p95 = page.evaluate(CLICKS)
        print(f"one click handled and laid out: median {median * 1000:.0f} us, 95th percentile {p95 * 1000:.0f} us")
    finally:
        browser.close()
        server.shutdown()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 11)

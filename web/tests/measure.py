#!/usr/bin/python3
"""Figures of the web page in headless Chromium: what it weighs, how soon the first frame shows
(on a fast link; from an empty cache over a phone's slow link, 1.6 Mbit/s down with 150 ms of
latency, Lighthouse's mobile profile; then from the page's offline cache with the network cut
off), and what an idle tab costs against a blank page.

Usage: measure.py <site folder> [seconds of idle measurement, 20 unless given]
Exits 1 when the page loads more than 1.5 MB gzip-compressed. Best run on a quiet machine: the
CPU figures count the browser's processes only, but a busy machine slows everything down.
"""

import os
import statistics
import sys
import time

sys.dont_write_bytecode = True
from browsers import Chromium  # noqa: E402
from site_server import SiteServer, page_weight  # noqa: E402

WEIGHT_LIMIT = 1_500_000
TICKS = os.sysconf("SC_CLK_TCK")

# Notes the moment the page first reports its first frame, in ms from the start of navigation.
FIRST_FRAME_PROBE = """
new MutationObserver((_, observer) => {
  if (document.body && document.body.dataset.state === 'running' && !window.firstFrameAt) {
    window.firstFrameAt = performance.now();
    observer.disconnect();
  }
}).observe(document, {subtree: true, attributes: true, childList: true});
"""


def cpu_ticks(pids):
    """Clock ticks of CPU used so far, in all and by Chromium's pad-polling thread, per thread."""
    ticks = {}
    for pid in pids:
        try:
            threads = os.listdir(f"/proc/{pid}/task")
        except OSError:
            continue
        for thread in threads:
            try:
                with open(f"/proc/{pid}/task/{thread}/stat") as f:
                    name, fields = f.read().split("(", 1)[1].rsplit(")", 1)
            except OSError:
                continue
            fields = fields.split()
            ticks[thread] = (name.startswith("Gamepad"), int(fields[11]) + int(fields[12]))
    return ticks


def idle_share(browser, seconds):
    """The shares of one core that the browser's processes use over the given time: in all, and
    by the thread in which Chromium polls pads."""
    time.sleep(2)  # let the load settle
    pids = browser.browser_pids()
    before, started = cpu_ticks(pids), time.monotonic()
    time.sleep(seconds)
    after = cpu_ticks(sorted(set(pids) | set(browser.browser_pids())))
    elapsed = (time.monotonic() - started) * TICKS
    used = {thread: (pad, t - before.get(thread, (pad, 0))[1]) for thread, (pad, t) in after.items()}
    return (sum(t for _, t in used.values()) / elapsed,
            sum(t for pad, t in used.values() if pad) / elapsed)


def wait_running(browser, timeout=30):
    end = time.monotonic() + timeout
    while browser.state() != "running":
        if time.monotonic() > end:
            raise SystemExit(f"the page did not show its first frame within {timeout} s "
                             f"(state {browser.state()!r})")
        time.sleep(0.05)


# Lighthouse's mobile link: 1.6 Mbit/s down, 750 kbit/s up, 150 ms of latency.
SLOW_LINK = {"offline": False, "latency": 150, "downloadThroughput": 1.6e6 / 8,
             "uploadThroughput": 750e3 / 8}
OFFLINE = {"offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1}


def slow_and_offline(server):
    """The first frame of a first visit over the slow link, then of a visit with no network."""
    browser = Chromium()
    try:
        browser.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_FRAME_PROBE})
        browser.cdp("Network.enable")
        browser.cdp("Network.emulateNetworkConditions", SLOW_LINK)
        browser.navigate("about:blank")
        browser.navigate(server.url())
        wait_running(browser, 60)
        slow = browser.js("return window.firstFrameAt")
        if not browser.wait_for("the page's offline copy", lambda: browser.js(
                "return navigator.serviceWorker.controller !== null"), 60):
            raise SystemExit("no service worker took the page within 60 s")
        browser.cdp("Network.emulateNetworkConditions", OFFLINE)
        browser.navigate("about:blank")
        browser.navigate(server.url())
        wait_running(browser)
        return slow, browser.js("return window.firstFrameAt")
    finally:
        browser.close()


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip())
        return 2
    site = os.path.abspath(argv[1])
    seconds = float(argv[2]) if len(argv) > 2 else 20.0
    status = 0
    with SiteServer(site) as server:
        browser = Chromium()
        try:
            browser.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_FRAME_PROBE})
            firsts = []
            server.clear()  # the later loads come from the page's offline copy
            for _ in range(3):
                browser.navigate("about:blank")
                browser.navigate(server.url())
                wait_running(browser)
                firsts.append(browser.js("return window.firstFrameAt"))
            time.sleep(1)
            rows = page_weight(site, server.requests)
            print("Page weight (every file the page loads):")
            print(f"  {'file':<24} {'bytes':>10} {'gzip -9':>10}")
            for path, raw, compressed in rows:
                print(f"  {path:<24} {raw:>10} {compressed:>10}")
            raw = sum(r for _, r, _ in rows)
            compressed = sum(c for _, _, c in rows)
            print(f"  {'total':<24} {raw:>10} {compressed:>10}  "
                  f"({raw / 1e6:.2f} MB, {compressed / 1e6:.2f} MB gzip; limit {WEIGHT_LIMIT / 1e6} MB)")
            if compressed > WEIGHT_LIMIT:
                print("FAIL: the page loads more than 1.5 MB gzip-compressed")
                status = 1
            print("First frame, ms from navigation (three loads): "
                  + ", ".join(f"{t:.0f}" for t in firsts)
                  + f"; median {statistics.median(firsts):.0f}")
            browser.keys("Enter")  # step mode: nothing moves until a key is pressed
            game = idle_share(browser, seconds)
            # Headless Chromium never loses the focus: the window's own event stands for it.
            browser.js("dispatchEvent(new FocusEvent('blur'))")
            unfocused = idle_share(browser, seconds)
        finally:
            browser.close()
        loads = [slow_and_offline(server) for _ in range(3)]
        print("First frame over the slow link from an empty cache, ms (three first visits): "
              + ", ".join(f"{slow:.0f}" for slow, _ in loads)
              + f"; median {statistics.median(slow for slow, _ in loads):.0f}")
        print("First frame from the offline cache, network off, ms: "
              + ", ".join(f"{cached:.0f}" for _, cached in loads)
              + f"; median {statistics.median(cached for _, cached in loads):.0f}")
        browser = Chromium()
        try:
            browser.navigate("about:blank")
            blank = idle_share(browser, seconds)
            # The least that any page taking pads costs in Chromium: one that only listens.
            browser.js("addEventListener('gamepadconnected', () => {})")
            listening = idle_share(browser, seconds)
        finally:
            browser.close()
    print(f"Idle CPU over {seconds:g} s, Chromium's processes, share of one core"
          " (of which Chromium's polling of pads):")
    for name, (share, pads) in (("tab in step mode, focused", game),
                                ("the same tab without the focus", unfocused),
                                ("blank page", blank),
                                ("blank page listening for pads", listening)):
        print(f"  {name:<32} {share:6.2%} ({pads:.2%}), {share / max(blank[0], 1e-9):.1f}x blank")
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))

"""The web page of the game in headless Chromium and Firefox ESR, and in WebKit under Xvfb.

Usage: browser_tests.py <site folder> [chromium|firefox|webkit] [scenario name ...]
Serves the folder on 127.0.0.1, plays the game in each browser and prints "N passed, N failed".
"""

import os
import shutil
import signal
import sys
import tempfile
import time
import traceback

import app_scenarios
import chromium_scenarios
import device_scenarios
import frames
import scenarios
from browsers import Chromium, Firefox
from site_server import SiteServer
from webkit import WebKit

TIME_LIMIT = 170  # seconds for the whole run


class Context:
    """What a scenario gets: the browser, the page's address, the artwork and a place for files."""

    def __init__(self, browser, server, art, work):
        self.browser, self.server, self.art, self.work = browser, server, art, work


def main(argv):
    if len(argv) < 2 or not os.path.isfile(os.path.join(argv[1], "index.html")):
        print("usage: browser_tests.py <site folder with index.html> [scenario ...]")
        return 2
    site = os.path.abspath(argv[1])
    only = {name for name in argv[2:] if name in ("chromium", "firefox", "webkit")}
    wanted = set(argv[2:]) - only
    work = tempfile.mkdtemp(prefix="nuikaro-web-")
    failures_dir = os.path.join(work, "failures")
    os.makedirs(failures_dir)

    def out_of_time(*_):
        raise TimeoutError(f"the browser tests ran past {TIME_LIMIT} s")

    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(TIME_LIMIT)
    art = frames.Artwork(os.path.join(site, "Nuik_Items.bmp"), os.path.join(site, "BackTile.bmp"))
    passed = failed = 0
    kept = False
    with SiteServer(site) as server:
        for make_browser in (Chromium, Firefox, WebKit):
            if only and make_browser.name not in only:
                continue
            todo = [s for s in scenarios.ALL + chromium_scenarios.ALL + device_scenarios.ALL + app_scenarios.ALL
                    if make_browser.name in s.browsers and (not wanted or s.__name__ in wanted)]
            if not todo:
                continue
            started = time.monotonic()
            try:
                browser = make_browser()
            except Exception as error:
                for scenario in todo:
                    print(f"FAIL {make_browser.name} {scenario.__name__}: "
                          f"the browser did not start: {error}")
                failed += len(todo)
                kept = True
                continue
            print(f"# {browser.name} started in {time.monotonic() - started:.1f} s", flush=True)
            try:
                for scenario in todo:
                    started = time.monotonic()
                    context = Context(browser, server, art, work)
                    try:
                        scenario(context)
                    except Exception as error:
                        failed += 1
                        kept = True
                        detail = (str(error) if isinstance(error, AssertionError)
                                  else traceback.format_exc().rstrip())
                        print(f"FAIL {browser.name} {scenario.__name__}: {detail}")
                        print(f"  screenshots: {keep_screenshots(browser, scenario, failures_dir)}")
                        if isinstance(error, TimeoutError):
                            break
                    else:
                        passed += 1
                        print(f"ok   {browser.name} {scenario.__name__} "
                              f"({time.monotonic() - started:.1f} s)", flush=True)
            finally:
                browser.close()
    signal.alarm(0)
    if kept:
        print(f"# failure screenshots are in {failures_dir}")
        for name in os.listdir(work):
            if name != "failures":
                shutil.rmtree(os.path.join(work, name), ignore_errors=True)
    else:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 and passed > 0 else 1


def keep_screenshots(browser, scenario, folder):
    """Saves the page and the canvas as they are now; returns what it saved."""
    stem = os.path.join(folder, f"{browser.name}-{scenario.__name__}")
    saved = []
    for suffix, take in (("-page.png", browser.screenshot),
                         ("-canvas.png", lambda: browser.capture_canvas()[0])):
        try:
            take().save(stem + suffix)
            saved.append(stem + suffix)
        except Exception as error:
            saved.append(f"(no{suffix[:-4].replace('-', ' ')} screenshot: {error})")
    return " ".join(saved)


if __name__ == "__main__":
    sys.exit(main(sys.argv))

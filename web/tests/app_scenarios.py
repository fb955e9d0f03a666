"""The page as an app, in Chromium: installable, playing with no network after one visit, a new
build replacing the kept one whole; and its words in the browser's language."""

import os
import re
import shutil
import subprocess

from scenarios import CHROMIUM, browsers, capture, heads, load, wait_head
from site_server import SiteServer

HERE = os.path.dirname(os.path.abspath(__file__))
STAMP = os.path.join(HERE, "..", "StampSite.cmake")

# What the service worker holds, once the page has called for it.
KEPT = """
if (!window.keptProbe) {
  window.keptProbe = 'pending';
  caches.keys().then(async (names) => {
    const found = {};
    for (const name of names) found[name] = (await (await caches.open(name)).keys()).length;
    window.keptProbe = {controller: !!navigator.serviceWorker.controller, caches: found};
  }).catch((error) => { window.keptProbe = {error: String(error)}; });
}
const probe = window.keptProbe;
if (probe !== 'pending') window.keptProbe = null;
return probe === 'pending' ? null : probe;
"""


def worker_build(folder):
    with open(os.path.join(folder, "sw.js")) as f:
        text = f.read()
    build = re.search(r'const BUILD = "([0-9a-f]+)"', text).group(1)
    return "nuikaro-" + build, text.count('": "')


def kept(ctx, want, what):
    """Polls until the caches are exactly want ({name: entries}) and a worker controls the page."""
    seen = {}

    def check():
        nonlocal seen
        seen = ctx.browser.js(KEPT) or seen
        return seen.get("controller") and seen.get("caches") == want
    assert ctx.browser.wait_for("kept", check, 10), f"{what}: expected the caches {want} under " \
        f"a service worker, saw {seen}"


def plays(ctx, url, what):
    load(ctx, url)
    ctx.browser.keys("Enter")
    seen = heads(ctx, capture(ctx))
    assert len(seen) == 1, f"{what}: expected one head on the board, saw {seen}"
    x, y, d = seen[0]
    ctx.browser.keys("Right")
    wait_head(ctx, (x + 1, y, 1))


@browsers(*CHROMIUM)
def installs_plays_offline_and_a_new_build_replaces_the_old(ctx):
    site = os.path.join(ctx.work, "app-site")
    shutil.copytree(ctx.server.folder, site)
    first, files = worker_build(site)
    with SiteServer(site) as server:
        load(ctx, server.url())
        kept(ctx, {first: files}, "after one visit")
        errors = ctx.browser.cdp("Page.getInstallabilityErrors")["installabilityErrors"]
        assert not errors, f"expected the page to be installable, Chromium says {errors}"
        port = server.url()
    # No server at all, and the browser offline too.
    ctx.browser.cdp("Network.enable")
    ctx.browser.cdp("Network.emulateNetworkConditions", {
        "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    try:
        plays(ctx, port, "offline")
    finally:
        ctx.browser.cdp("Network.emulateNetworkConditions", {
            "offline": False, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
        ctx.browser.cdp("Network.disable")
    # A new build on the same address: one visit brings it in whole, the next shows it.
    with open(os.path.join(site, "index.html"), encoding="utf-8") as f:
        page = f.read()
    with open(os.path.join(site, "index.html"), "w", encoding="utf-8") as f:
        f.write(page.replace("<head>", '<head>\n<meta name="nuikaro-test-build" content="2">'))
    subprocess.run(["cmake", f"-DFOLDER={site}", "-P", STAMP], check=True,
                   stdout=subprocess.DEVNULL)
    second, files = worker_build(site)
    assert second != first, "expected the rebuilt page to have a build name of its own"
    number = int(port.rsplit(":", 1)[1].split("/")[0])
    with SiteServer(site, number) as server:
        load(ctx, server.url())
        kept(ctx, {second: files}, "after a visit to the new build")
        plays(ctx, server.url(), "the new build")
        ctx.browser.navigate(server.url())
        marker = ctx.browser.js(
            "const m = document.querySelector('meta[name=nuikaro-test-build]');"
            "return m ? m.content : null")
        assert marker == "2", "expected the next visit to show the new build's page"


# Accept-Language, the page's language, a word its help then holds.
LANGUAGES = [("ja-JP,ja;q=0.9,en;q=0.8", "ja", "向きを変える"), ("en-GB,en", "en", "steer"),
             ("fr-FR,fr;q=0.9,ja;q=0.8,en;q=0.5", "ja", "向きを変える"), ("de-DE,de", "en", "steer")]


@browsers(*CHROMIUM)
def the_page_speaks_the_browsers_language(ctx):
    agent = ctx.browser.js("return navigator.userAgent")
    wrong = []
    try:
        for accept, language, word in LANGUAGES:
            ctx.browser.cdp("Emulation.setUserAgentOverride",
                            {"userAgent": agent, "acceptLanguage": accept})
            load(ctx)
            seen = ctx.browser.js("""return {lang: document.documentElement.lang,
              help: document.getElementById('help').textContent,
              title: document.getElementById('gameover-title').lang,
              box: document.getElementById('gameover-text').lang}""")
            if seen["lang"] != language or word not in seen["help"] or \
                    (seen["title"], seen["box"]) != ("ja", "en"):
                wrong.append(f"{accept}: expected lang {language} with {word!r} and the game's "
                             f"own texts as they are, saw {seen['lang']} {seen['title']} "
                             f"{seen['box']} {seen['help'][:60]!r}")
    finally:
        ctx.browser.cdp("Emulation.setUserAgentOverride", {"userAgent": agent})
    assert not wrong, "; ".join(wrong)


ALL = [installs_plays_offline_and_a_new_build_replaces_the_old, the_page_speaks_the_browsers_language]

"""Headless Chromium and Firefox ESR behind one small interface.

Chromium is driven through chromedriver (python3-selenium); Firefox through its own Marionette
protocol, since Debian has no geckodriver: a socket that carries length-prefixed JSON messages
[0, id, command, params] and answers [1, id, error, result].
"""

import base64
import io
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time

from PIL import Image

# W3C key values.
KEYS = {
    "Left": "\ue012", "Up": "\ue013", "Right": "\ue014", "Down": "\ue015",
    "Enter": "\ue007", "Escape": "\ue00c", "Space": " ", "a": "a", "Tab": "\ue004",
}
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"
WINDOW = (1280, 1024)

# The canvas as the player sees it: its place on the page in CSS pixels, and what decides its
# scale.
CANVAS_RECT = """
const c = document.getElementById('canvas');
if (!c) return null;
const r = c.getBoundingClientRect();
return {left: r.left, top: r.top, width: r.width, height: r.height, ratio: devicePixelRatio,
        backingWidth: c.width, backingHeight: c.height,
        rendering: getComputedStyle(c).imageRendering};
"""


def key_actions(names, release=True):
    """W3C actions that press (and release) each named key in turn."""
    steps = []
    for name in names:
        steps.append({"type": "keyDown", "value": KEYS[name]})
        if release:
            steps.append({"type": "keyUp", "value": KEYS[name]})
    return [{"type": "key", "id": "keyboard", "actions": steps}]


def png_image(data):
    return Image.open(io.BytesIO(base64.b64decode(data))).convert("RGB")


class Browser:
    name = ""

    def js(self, script, *args):
        raise NotImplementedError

    def keys(self, *names):
        """Presses and releases each key, one after the other."""
        self.actions(key_actions(names))

    def key_down(self, name):
        """Presses a key and holds it until key_up."""
        self.actions(key_actions([name], release=False), release=False)

    def key_up(self, name):
        self.actions([{"type": "key", "id": "keyboard",
                       "actions": [{"type": "keyUp", "value": KEYS[name]}]}])

    def state(self):
        return self.js("return document.body ? document.body.dataset.state || '' : ''")

    def wait_for(self, what, test, timeout):
        """Polls test() until it returns something true; the last value otherwise."""
        end = time.monotonic() + timeout
        while True:
            value = test()
            if value or time.monotonic() > end:
                return value
            time.sleep(0.03)


class Chromium(Browser):
    name = "chromium"

    def __init__(self):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                         "--no-first-run", "--disable-extensions", "--mute-audio",
                         f"--window-size={WINDOW[0]},{WINDOW[1]}"):
            options.add_argument(argument)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(20)
        self.driver.set_page_load_timeout(20)

    def navigate(self, url):
        self.driver.get(url)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def cdp(self, command, params=None):
        return self.driver.execute_cdp_cmd(command, params or {})

    def actions(self, actions, release=True):
        self.driver.execute("actions", {"actions": actions})
        if release:  # releasing the action state lets go of every key still held
            self.driver.execute("clearActionState")

    def capture_canvas(self):
        """The canvas's area of the screen in device pixels, cut from a screenshot of the
        viewport (the canvas lies on whole device pixels)."""
        r = self.js(CANVAS_RECT)
        ratio = r["ratio"]
        box = (round(r["left"] * ratio), round(r["top"] * ratio),
               round((r["left"] + r["width"]) * ratio), round((r["top"] + r["height"]) * ratio))
        return self.screenshot().crop(box), r

    def screenshot(self):
        """The viewport in device pixels."""
        return png_image(self.cdp("Page.captureScreenshot", {"format": "png"})["data"])

    def browser_pids(self):
        """The browser's own process and every process below it."""
        root = self.driver.service.process.pid
        return descendants(root)

    def close(self):
        try:
            self.driver.quit()
        except Exception:
            pass


class Firefox(Browser):
    name = "firefox"

    def __init__(self, prefs=None, window=WINDOW, bare=False):
        """prefs: more of Firefox's preferences; window: its size in CSS px; bare: no toolbars
        and no smallest width (500 px otherwise), so that the page gets the whole window, as on
        a phone."""
        self.profile = tempfile.mkdtemp(prefix="nuikaro-firefox-")
        if bare:
            os.makedirs(os.path.join(self.profile, "chrome"))
            with open(os.path.join(self.profile, "chrome", "userChrome.css"), "w") as f:
                f.write(":root { min-width: 0 !important; min-height: 0 !important; }\n"
                        "#navigator-toolbox { display: none !important; }\n")
            prefs = {**(prefs or {}), "toolkit.legacyUserProfileCustomizations.stylesheets": True}
        prefs = {
            "marionette.port": 0,  # a free port, written to MarionetteActivePort
            "browser.shell.checkDefaultBrowser": False,
            "browser.startup.page": 0,
            "browser.startup.homepage_override.mstone": "ignore",
            "datareporting.policy.dataSubmissionEnabled": False,
            "toolkit.telemetry.reportingpolicy.firstRun": False,
            "app.update.disabledForTesting": True,
            "network.captive-portal-service.enabled": False,
            "network.connectivity-service.enabled": False,
            "browser.safebrowsing.update.enabled": False,
            "extensions.update.enabled": False,
            "media.autoplay.default": 0,
            **(prefs or {}),
        }
        with open(os.path.join(self.profile, "user.js"), "w") as f:
            for key, value in prefs.items():
                f.write(f"user_pref({json.dumps(key)}, {json.dumps(value)});\n")
        self.log = open(os.path.join(self.profile, "firefox.log"), "w")
        self.process = subprocess.Popen(
            ["firefox-esr", "--headless", "--marionette", "--no-remote", "--profile",
             self.profile, f"--width={window[0]}", f"--height={window[1]}", "about:blank"],
            stdout=self.log, stderr=subprocess.STDOUT, env={**os.environ, "MOZ_HEADLESS": "1"},
            start_new_session=True)
        port_file = os.path.join(self.profile, "MarionetteActivePort")
        end = time.monotonic() + 30
        while not os.path.exists(port_file) or not open(port_file).read().strip():
            if self.process.poll() is not None or time.monotonic() > end:
                self.close()
                raise RuntimeError("Firefox did not open its Marionette port within 30 s")
            time.sleep(0.1)
        port = int(open(port_file).read().strip())
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=30)
        self.buffer = b""
        self.next_id = 0
        self._receive()  # the greeting
        self.command("WebDriver:NewSession", {"capabilities": {"alwaysMatch": {
            "pageLoadStrategy": "normal", "timeouts": {"script": 20000, "pageLoad": 20000}}}})
        self.command("WebDriver:SetWindowRect", {"width": window[0], "height": window[1]})

    def _receive(self):
        while b":" not in self.buffer:
            self._fill()
        length, _, rest = self.buffer.partition(b":")
        self.buffer = rest
        while len(self.buffer) < int(length):
            self._fill()
        body, self.buffer = self.buffer[:int(length)], self.buffer[int(length):]
        return json.loads(body)

    def _fill(self):
        data = self.sock.recv(1 << 16)
        if not data:
            raise RuntimeError("Firefox closed the Marionette connection")
        self.buffer += data

    def command(self, name, params=None):
        self.next_id += 1
        body = json.dumps([0, self.next_id, name, params or {}]).encode()
        self.sock.sendall(str(len(body)).encode() + b":" + body)
        while True:
            message = self._receive()
            if message[0] == 1 and message[1] == self.next_id:
                break
        if message[2]:
            raise RuntimeError(f"{name}: {message[2].get('error')}: {message[2].get('message')}")
        return message[3]

    def navigate(self, url):
        self.command("WebDriver:Navigate", {"url": url})

    def js(self, script, *args):
        return self.command("WebDriver:ExecuteScript", {"script": script, "args": list(args)})["value"]

    def actions(self, actions, release=True):
        self.command("WebDriver:PerformActions", {"actions": actions})
        if release:
            self.command("WebDriver:ReleaseActions")

    def capture_canvas(self):
        r = self.js(CANVAS_RECT)
        element = self.js("return document.getElementById('canvas')")[ELEMENT]
        shot = self.command("WebDriver:TakeScreenshot", {"id": element, "full": False,
                                                          "hash": False, "scroll": True})
        return png_image(shot["value"]), r

    def screenshot(self):
        return png_image(self.command("WebDriver:TakeScreenshot", {"full": False})["value"])

    def close(self):
        try:
            self.command("Marionette:Quit", {"flags": ["eForceQuit"]})
        except Exception:
            pass
        try:
            self.process.wait(10)
        except Exception:
            os.killpg(self.process.pid, 9)
            self.process.wait()
        self.log.close()
        shutil.rmtree(self.profile, ignore_errors=True)


def descendants(root):
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                continue
            children.setdefault(parent, []).append(int(entry))
    found, todo = [], [root]
    while todo:
        pid = todo.pop()
        found.append(pid)
        todo.extend(children.get(pid, []))
    return found

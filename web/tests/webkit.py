"""WebKit, Safari's engine: Debian's WebKitGTK MiniBrowser driven by WebKitWebDriver
(python3-selenium), on an Xvfb display of its own since the MiniBrowser has no headless mode."""

import glob
import os
import shutil
import subprocess
import tempfile

from browsers import WINDOW, Browser, CANVAS_RECT, png_image

DRIVER = "/usr/bin/WebKitWebDriver"


def mini_browser():
    found = sorted(glob.glob("/usr/lib/*/webkit2gtk-4.*/MiniBrowser"))
    if not found:
        raise RuntimeError("no WebKitGTK MiniBrowser (Debian's webkit2gtk-driver)")
    return found[-1]


class Xvfb:
    """An X server on a display number it picks itself, so runs at the same time never share one."""

    def __init__(self, folder):
        read, write = os.pipe()
        self.log = open(os.path.join(folder, "xvfb.log"), "w")
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", f"{WINDOW[0]}x{WINDOW[1]}x24",
             "-nolisten", "tcp"], pass_fds=(write,), stdout=self.log, stderr=subprocess.STDOUT,
            start_new_session=True)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()  # written once the server takes clients
        if not number:
            self.close()
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()


class WebKit(Browser):
    name = "webkit"

    def __init__(self):
        from selenium import webdriver
        from selenium.webdriver.webkitgtk.service import Service

        self.folder = tempfile.mkdtemp(prefix="nuikaro-webkit-")
        self.xvfb = Xvfb(self.folder)
        # Classic scrollbars: an overlay one lies over the canvas's right edge for its first
        # seconds on the page, and would show in every capture.
        settings = os.path.join(self.folder, "gtk-3.0")
        os.makedirs(settings)
        with open(os.path.join(settings, "settings.ini"), "w") as f:
            f.write("[Settings]\ngtk-overlay-scrolling = false\n")
        env = {**os.environ, "DISPLAY": self.xvfb.display, "XDG_CONFIG_HOME": self.folder}
        self.service = Service(DRIVER, log_path=os.path.join(self.folder, "driver.log"), env=env)
        try:
            self.service.start()
            options = webdriver.WebKitGTKOptions()
            options.binary_location = mini_browser()
            options.add_argument("--automation")
            self.driver = webdriver.Remote(self.service.service_url, options=options)
            self.driver.set_window_rect(0, 0, *WINDOW)
            self.driver.set_script_timeout(20)
            self.driver.set_page_load_timeout(20)
        except Exception:
            self.service.stop()
            self.xvfb.close()
            raise

    def navigate(self, url):
        self.driver.get(url)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def actions(self, actions, release=True):
        self.driver.execute("actions", {"actions": actions})
        if release:
            self.driver.execute("clearActionState")

    def capture_canvas(self):
        r = self.js(CANVAS_RECT)
        element = self.driver.find_element("id", "canvas")
        return png_image(element.screenshot_as_base64), r

    def screenshot(self):
        return png_image(self.driver.get_screenshot_as_base64())

    def close(self):
        try:
            self.driver.quit()
        except Exception:
            pass
        self.service.stop()
        self.xvfb.close()
        shutil.rmtree(self.folder, ignore_errors=True)

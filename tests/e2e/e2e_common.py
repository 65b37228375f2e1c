"""Shared set-up of the end-to-end tests of Setup.exe under Wine.

Each test module runs as `python3 test_x.py --build <x86_64 build dir> --work <folder>`. One
harness Session (prefix, display, run lock) serves a whole module; every test lays out a fresh
demo medium on drive M:, removes earlier copies of the IME files from the prefix's system32
and starts Setup.exe from M:\\ as its current drive.

Besides the harness it gives the design geometry of the menu window in pixels, the committed
pictures decoded with ImageMagick, and grabs of a window's client area, so tests compare what
is on the screen with what the pictures say should be there.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import harness  # noqa: E402

REPO = harness.REPO
PICTURES = os.path.join(REPO, "resources", "pictures")
TITLE = "岚辰输入法系列"
CLASS = "LCImeForm2"
APP_TITLE = "LCIme"
NOTICE_TITLE = "《岚辰》输入法特点"
COMPANY = "北京市岚辰星河软件有限公司"
LAYOUT_TEXTS = {
    "pjlc2.IME": "中文 (简体) - 普及型岚辰",
    "lc662.IME": "中文 (简体) - 岚辰6.6版",
    "LCGB18J.IME": "中文 (简体) - 大字符集岚辰",
    "LCGB18F.IME": "中文 (繁体) - 大字符集岚辰",
}


def px(twips):
    return int(twips / 15 + 0.5)


def rect(left, top, width, height):
    return (px(left), px(top), px(width), px(height))


# Design rectangles (pixels) of the controls the tests use.
R = {
    "Image1a": rect(1320, 1320, 3150, 405), "Image2a": rect(1080, 1885, 3150, 405),
    "Image3a": rect(840, 2450, 3150, 405), "Image6a": rect(600, 3015, 3150, 405),
    "Image4a": rect(600, 3580, 3150, 405), "Imagefa": rect(840, 4145, 3150, 405),
    "Image7a": rect(1080, 4710, 3150, 405), "Image5a": rect(1320, 5280, 3150, 405),
    "Image8a": rect(5800, 5280, 2220, 405), "Imagebt": rect(600, 360, 4110, 525),
    "photo": rect(5400, 240, 2955, 2220), "preview": rect(5280, 2880, 3225, 2325),
    "Label1": rect(1080, 1440, 2895, 255), "Label2": rect(1080, 2005, 2895, 255),
    "Label3": rect(1440, 2570, 2535, 255), "Label6": rect(1560, 3135, 2415, 255),
    "Label4": rect(1560, 3700, 2415, 255), "Label8": rect(840, 4265, 3135, 255),
    "Label7": rect(1560, 4830, 2415, 255), "Label5": rect(1800, 5400, 2175, 255),
}
BARE = (5, 5)  # bare window: no control covers it


def centre(name):
    x, y, w, h = R[name]
    return x + w // 2, y + h // 2


class Picture:
    """A committed picture decoded to RGBA by ImageMagick."""

    _cache = {}

    def __init__(self, name):
        path = os.path.join(PICTURES, name)
        size = subprocess.run(["identify", "-format", "%w %h", path + "[0]"], check=True,
                              capture_output=True, text=True).stdout.split()
        self.w, self.h = int(size[0]), int(size[1])
        self.data = subprocess.run(["convert", path + "[0]", "-alpha", "on", "-depth", "8", "rgba:-"],
                                   check=True, capture_output=True).stdout

    @classmethod
    def get(cls, name):
        if name not in cls._cache:
            cls._cache[name] = Picture(name)
        return cls._cache[name]

    def rgba(self, x, y):
        i = (y * self.w + x) * 4
        return tuple(self.data[i:i + 4])

    def opaque(self, x, y):
        return self.rgba(x, y)[3] >= 128


class Grab:
    """The client area of a window as it is on the screen now."""

    def __init__(self, session, hwnd):
        x, y, self.w, self.h = session.client_rect(hwnd)
        ox, oy = session._origin()
        self.data = subprocess.run(
            ["import", "-display", session.display, "-window", "root",
             "-crop", "%dx%d+%d+%d" % (self.w, self.h, ox + x, oy + y), "-depth", "8", "rgb:-"],
            env=session.env, check=True, capture_output=True, timeout=30).stdout

    def rgb(self, x, y):
        i = (y * self.w + x) * 3
        return tuple(self.data[i:i + 3])

    def dark_pixels(self, box, limit=80):
        x0, y0, w, h = box
        return sum(1 for y in range(y0, y0 + h) for x in range(x0, x0 + w)
                   if max(self.rgb(x, y)) < limit)


def close_to(a, b, tolerance):
    return all(abs(int(p) - int(q)) <= tolerance for p, q in zip(a, b))


OPTIONS = None


def parse_options():
    global OPTIONS
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, help="the x86_64 build folder")
    parser.add_argument("--work", required=True, help="folder for the tests' files")
    OPTIONS, rest = parser.parse_known_args()
    return [sys.argv[0]] + rest


def build_file(*parts):
    return os.path.join(OPTIONS.build, *parts)


class SetupTest(unittest.TestCase):
    """Base of the tests that drive Setup.exe: one session per module, fresh medium per test."""

    session = None

    @classmethod
    def setUpClass(cls):
        if SetupTest.session is None:
            os.makedirs(OPTIONS.work, exist_ok=True)
            SetupTest.session = harness.Session(OPTIONS.work, build_file("tests", "e2e", "driver", "driver.exe"),
                                                prefix=os.path.join(OPTIONS.work, "prefix"))

    def setUp(self):
        s = self.s = SetupTest.session
        s.kill()
        self.medium = os.path.join(OPTIONS.work, "medium")
        shutil.rmtree(self.medium, ignore_errors=True)
        harness.make_medium(self.medium, build_file("Setup.exe"),
                            build_file("tests", "e2e", "driver", "standin.exe"))
        s.map_drive("M", self.medium)
        # Earlier tests may have left copies under another letter case; Windows sees them as
        # the same file, so every spelling goes.
        names = {name.lower() for name in harness.ime_file_names()}
        for entry in os.listdir(s.system32()):
            if entry.lower() in names:
                path = os.path.join(s.system32(), entry)
                os.chmod(path, 0o644)
                os.remove(path)
        s.reg_delete(r"HKCU\Software\Wine\AppDefaults\Setup.exe")
        for key, values in s.keyboard_layouts().items():
            if "Ime File" in values:
                s.reg_delete(harness.KEYBOARD_LAYOUTS + "\\" + key)

    def tearDown(self):
        self.s.kill()

    # ---- helpers --------------------------------------------------------------------------

    def start_setup(self):
        self.program = self.s.start(r"M:\Setup.exe")
        # The first program after `wineserver -k` also brings up the server and the desktop,
        # which on a loaded two-core machine can take well over ten seconds.
        try:
            self.w = self.s.find_window(title=TITLE, cls=CLASS, timeout=90)
        except harness.HarnessTimeout as e:
            raise AssertionError("%s; program running: %s; windows: %r; wine start printed: %s" % (
                e, self.program.running(), self.s.windows(), self.program.log()[-2000:])) from None
        return self.w

    def grab(self):
        return Grab(self.s, self.w)

    def highlight_point(self, key):
        """A point of item `key` where its normal picture's words are white and its highlight
        picture's black, with the colour the highlight shows there."""
        a, b = Picture.get("Image%sa.gif" % key), Picture.get("Image%sb.gif" % key)
        for y in range(a.h // 2 - 4, a.h // 2 + 5):
            for x in range(a.w):
                pa, pb = a.rgba(x, y), b.rgba(x, y)
                if a.opaque(x, y) and b.opaque(x, y) and min(pa[:3]) > 200 and max(pb[:3]) < 60:
                    return x, y, pb[:3]
        raise AssertionError("no word pixel in item " + key)

    def hover_item(self, key):
        """Moves onto item `key` and waits until its highlight shows; returns a click point."""
        x, y, colour = self.highlight_point(key)
        left, top, _, _ = R["Image%sa" % key]
        self.s.hover(self.w, left + x, top + y, colour, timeout=5, tolerance=8)
        return left + x, top + y

    def click_item(self, key):
        x, y = self.hover_item(key)
        self.s.click(self.w, x, y)

    def rest(self):
        self.s.move(self.w, *BARE)

    def wait_result_line(self, label, timeout=15):
        harness.wait_for(lambda: self.grab().dark_pixels(R[label]) > 20, timeout,
                         "the result line " + label)

    def medium_file(self, name):
        with open(os.path.join(self.medium, "IMEData", name), "rb") as f:
            return f.read()

    def system_file(self, name):
        path = os.path.join(self.s.system32(), name)
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def layouts_for(self, ime_name):
        """Layout texts of the registered keyboard layouts whose IME file has that name."""
        return [values.get("Layout Text") for values in self.s.keyboard_layouts().values()
                if str(values.get("Ime File", "")).lower().endswith("\\" + ime_name.lower())]

    def dismiss_report(self, *expected_parts):
        box, title, text = self.s.message_box(title=APP_TITLE, timeout=15)
        for part in expected_parts:
            self.assertIn(part, text)
        self.s.press(box)
        self.s.window_gone(box)
        return text


def main():
    argv = parse_options()
    try:
        unittest.main(argv=argv, verbosity=2)
    finally:
        if SetupTest.session is not None:
            SetupTest.session.close()

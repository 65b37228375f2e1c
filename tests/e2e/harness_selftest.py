"""Self-test of the end-to-end harness: drives testwin.exe under Wine through harness.py and
checks the reads that the installer's tests draw negative conclusions from (a window not
found, a pixel not changing, no message box, typed keys having no effect), so that a harness
fault cannot make those tests pass: each read must also see the change when there is one.

    python3 harness_selftest.py --driver driver.exe --testwin testwin.exe
                                --work <folder> [--prefix <WINEPREFIX>] [unittest arguments]
"""

import argparse
import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ARGS = None
SESSION = None

TITLE = "岚辰输入法系列"
RED, BLUE, WHITE = (255, 0, 0), (0, 0, 255), (255, 255, 255)
SQUARE = (100, 100)       # inside testwin's hover square
LEFT_HALF = (20, 20)      # red, outside the square
RIGHT_HALF = (400, 100)   # a click here ends testwin with exit code 0
EDIT = (400, 417)         # testwin's edit box holding "abc"


def setUpModule():
    global SESSION
    SESSION = harness.Session(os.path.join(ARGS.work, "session"), ARGS.driver, prefix=ARGS.prefix)


def tearDownModule():
    SESSION.close()


def fresh_folder(name):
    path = os.path.join(ARGS.work, name)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


class ParseRegTest(unittest.TestCase):
    """The .reg parser, on text shaped like Wine's `reg export` output."""

    def test_value_kinds_and_continuation_lines(self):
        text = ('Windows Registry Editor Version 5.00\r\n\r\n'
                '[HKEY_LOCAL_MACHINE\\A]\r\n@="default"\r\n'
                '"Ime File"="C:\\\\windows\\\\system32\\\\pjlc2.IME"\r\n'
                '"Quote"="say \\"hi\\""\r\n"Id"=dword:0000002a\r\n'
                '"Expand"=hex(2):6b,00,62,00,\\\r\n  64,00,00,00\r\n'
                '"Multi"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n'
                '[HKEY_LOCAL_MACHINE\\A\\B]\r\n"Bin"=hex:01,ff\r\n')
        keys = harness.parse_reg(text)
        self.assertEqual(keys["HKEY_LOCAL_MACHINE\\A"], {
            "": "default", "Ime File": "C:\\windows\\system32\\pjlc2.IME", "Quote": 'say "hi"',
            "Id": 42, "Expand": "kbd", "Multi": ["a", "b"]})
        self.assertEqual(keys["HKEY_LOCAL_MACHINE\\A\\B"], {"Bin": b"\x01\xff"})


class TestwinCase(unittest.TestCase):
    """Starts testwin.exe from drive T: with T:\\ current and finds its window."""

    def setUp(self):
        self.s = SESSION
        folder = fresh_folder("drive-t")
        shutil.copy(ARGS.testwin, os.path.join(folder, "testwin.exe"))
        self.s.map_drive("T", folder)
        self.program = self.s.start(r"T:\testwin.exe")
        self.win = self.s.find_window(title=TITLE, timeout=60)

    def tearDown(self):
        if self.program.running():
            try:
                self.s.close_window(self.win)
                self.program.wait_exit(5)
            except harness.HarnessError:
                self.s.kill()


class WindowTest(TestwinCase):
    def test_finds_window_by_chinese_title_and_by_class(self):
        s = self.s
        self.assertEqual(s.find_window(cls="LcTestWindow"), self.win)
        self.assertEqual(s.find_window(title=TITLE, cls="LcTestWindow"), self.win)
        self.assertIn((self.win, "LcTestWindow", TITLE), s.windows())
        self.assertEqual(s.window_text(self.win), TITLE)
        with self.assertRaises(harness.HarnessTimeout):
            s.find_window(title=TITLE, cls="Other", timeout=0.3)

    def test_missing_window_times_out_promptly(self):
        began = time.monotonic()
        with self.assertRaises(harness.HarnessTimeout):
            self.s.find_window(title="没有这个窗口", timeout=0.5)
        self.assertLess(time.monotonic() - began, 5)

class MouseTest(TestwinCase):
    def test_hover_turns_square_blue_and_leaving_turns_it_red(self):
        s, w = self.s, self.win
        self.assertEqual(s.pixel(w, *SQUARE), RED)
        self.assertEqual(s.pixel(w, *RIGHT_HALF), WHITE)
        self.assertEqual(s.hover(w, *SQUARE, BLUE), BLUE)
        s.move(w, *LEFT_HALF)
        self.assertEqual(s.wait_pixel(w, *SQUARE, RED), RED)
        self.assertEqual(s.wait_pixel(w, *SQUARE, lambda c: c[0] > 200 and c[2] < 50), RED)

    def test_wait_pixel_times_out_with_the_last_colour(self):
        with self.assertRaisesRegex(harness.HarnessTimeout, "255 0 0"):
            self.s.wait_pixel(self.win, *SQUARE, BLUE, timeout=0.3)
        with self.assertRaisesRegex(harness.HarnessTimeout, "255, 0, 0"):
            self.s.wait_pixel(self.win, *SQUARE, lambda c: c == BLUE, timeout=0.3)

    def test_message_box_text_and_buttons(self):
        s, w = self.s, self.win
        s.hover(w, *SQUARE, BLUE)
        s.click(w, *SQUARE)
        box, title, text = s.message_box(timeout=10)
        self.assertEqual((title, text), ("LCIme", "测试"))
        self.assertEqual(s.message_box("LCIme")[0], box)
        buttons = [c for c in s.control_texts(box) if c.cls == "Button"]
        self.assertEqual(len(buttons), 1)
        with self.assertRaises(harness.HarnessError):
            s.press(box, "没有这个按钮")
        s.press(box, "&" + buttons[0].text)  # by text, ignoring "&"
        s.window_gone(box)
        # A second box, closed with the default button.
        s.click(w, *SQUARE)
        box = s.message_box("LCIme")[0]
        s.press(box)
        s.window_gone(box)
        with self.assertRaises(harness.HarnessTimeout):
            s.message_box(timeout=0.3)
        self.assertTrue(self.program.running())

class KeyboardTest(TestwinCase):
    def test_typing_keys_and_clipboard(self):
        s, w = self.s, self.win
        s.click(w, *EDIT)
        s.keys(w, "end")
        s.type_text(w, "中文")
        s.keys(w, "home", "shift+end", "ctrl+c")
        harness.wait_for(lambda: s.clipboard() == "abc中文", 5, "the copied text")
        edit = next(c for c in s.control_texts(w) if c.id == 101)
        self.assertEqual(edit.text, "abc中文")

if __name__ == "__main__":
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--driver", required=True)
    parser.add_argument("--testwin", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--prefix")
    ARGS, rest = parser.parse_known_args()
    os.makedirs(ARGS.work, exist_ok=True)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)

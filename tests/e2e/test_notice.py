"""The support-package notice and the tutorial items under Wine: the dialog's texts and place,
its keyboard-read-only text boxes, every way of closing it, and the start of the tutorial
setup programs from the medium."""

import os
import subprocess
import time

import e2e_common as e2e
from e2e_common import R, centre
import harness

TEXTS = [
    "安装大字符集岚辰输入法必须安装",
    "GB18030支持包才能正常显示扩充汉字。请到以下网站下载GB18030支持包GBEXTSUP.MSI",
]
ADDRESS_PREFIX = "http://www.microsoft.com/downloads/details.aspx?familyid="


class NoticeDialog(e2e.SetupTest):

    def open_notice(self, key="4"):
        self.click_item(key)
        return self.s.find_window(title=e2e.NOTICE_TITLE, cls="#32770", timeout=10)

    def edit_texts(self, dialog):
        return [c.text for c in self.s.control_texts(dialog) if c.cls == "Edit"]

    def assert_as_designed(self, dialog):
        controls = self.s.control_texts(dialog)
        texts = self.edit_texts(dialog)
        self.assertEqual(texts[:2], TEXTS)
        self.assertTrue(texts[2].startswith(ADDRESS_PREFIX), texts[2])
        self.assertTrue(texts[2].endswith("&displaylang=zh-cn"), texts[2])
        others = {c.text for c in controls if c.cls == "Button"}
        self.assertEqual(others, {"注意", "《大字集岚辰》输入法特点", "OK(&E)"})
        self.assertEqual(self.s.client_size(dialog), (696, 318))
        x, y, w, h = self.s.client_rect(dialog)
        self.assertLessEqual(abs(x + w / 2 - 512), 4)
        self.assertLessEqual(abs(y + h / 2 - 384), 12)

    def drag(self, hwnd, x0, y0, x1, y1):
        """Presses the button at one client point, moves to another and releases it there."""
        self.s.move(hwnd, x0, y0)
        rx, ry, _, _ = self.s.client_rect(hwnd)
        ox, oy = self.s._origin()
        env = self.s.env
        subprocess.run(["xdotool", "mousedown", "1"], env=env, check=True)
        for step in range(1, 6):
            sx = ox + rx + x0 + (x1 - x0) * step // 5
            subprocess.run(["xdotool", "mousemove", "--sync", str(sx), str(oy + ry + y1)], env=env)
            time.sleep(0.05)
        subprocess.run(["xdotool", "mouseup", "1"], env=env, check=True)

    def test_notice_opens_centred_with_its_texts_and_closing_by_the_close_box_continues(self):
        self.start_setup()
        dialog = self.open_notice("4")
        self.assert_as_designed(dialog)
        self.assertEqual(self.system_file("LCGB18J.IME"), None)  # nothing is copied before it closes
        # The menu takes no clicks meanwhile: the banner shows no copyright box.
        self.s.click(self.w, *centre("Imagebt"))
        time.sleep(1)
        self.assertEqual([t for _, _, t in self.s.windows() if t == e2e.APP_TITLE], [])
        self.s.close_window(dialog)
        self.s.window_gone(dialog)
        self.wait_result_line("Label4")
        for name in ("LCGB18J.IME", "LCGB18J.MB"):
            self.assertEqual(self.system_file(name), self.medium_file(name))
        self.assertEqual(self.layouts_for("LCGB18J.IME"), [e2e.LAYOUT_TEXTS["LCGB18J.IME"]])
        # The other large-character-set item opens it afresh, as designed.
        self.rest()
        dialog = self.open_notice("f")
        self.assert_as_designed(dialog)
        self.s.keys(dialog, "alt+f4")
        self.s.window_gone(dialog)
        self.wait_result_line("Label8")
        self.assertEqual(self.layouts_for("LCGB18F.IME"), [e2e.LAYOUT_TEXTS["LCGB18F.IME"]])

    def test_text_boxes_refuse_every_edit_but_copy_the_selection(self):
        self.start_setup()
        dialog = self.open_notice("4")
        address = self.edit_texts(dialog)[2]
        # Text1(2) lies at (240, 840) twips, 9975 x 255: drag across its start.
        self.drag(dialog, 17, 64, 120, 64)
        edit = [c.hwnd for c in self.s.control_texts(dialog) if c.cls == "Edit"][2]
        self.s.type_text(edit, "abc")
        self.s.keys(edit, "backspace", "delete", "ctrl+v", "ctrl+x", "enter", "left", "home", "ctrl+c")
        self.assertEqual(self.s.window_text(edit), address)
        copied = self.s.clipboard()
        self.assertTrue(copied and address.startswith(copied) and len(copied) > 4, copied)
        # Escape does nothing; Alt+E presses OK, and the install goes on.
        self.s.keys(dialog, "esc")
        time.sleep(0.5)
        self.assertIn(dialog, [h for h, _, _ in self.s.windows()])
        self.assertEqual(self.edit_texts(dialog)[:2], TEXTS)
        self.s.keys(dialog, "alt+e")
        self.s.window_gone(dialog)
        self.wait_result_line("Label4")

    def test_enter_on_the_focused_button_closes_it(self):
        self.start_setup()
        dialog = self.open_notice("f")
        self.s.keys(dialog, "enter")
        self.s.window_gone(dialog)
        self.wait_result_line("Label8")


class TutorialItems(e2e.SetupTest):

    def standin_log(self, tutorial):
        path = os.path.join(self.medium, "IMEData", tutorial, "standin.log")
        return open(path).read() if os.path.exists(path) else None

    def test_tutorial_item_starts_its_setup_minimized_and_shows_its_result_line(self):
        self.start_setup()
        self.click_item("1")
        self.wait_result_line("Label1")
        harness.wait_for(lambda: self.standin_log("lcsetup"), 15, "the tutorial setup's log")
        self.assertEqual(self.standin_log("lcsetup"), "started show=2\n")
        self.assertIsNone(self.standin_log("plsetup"))

    def test_missing_tutorial_setup_is_reported_and_the_item_comes_back(self):
        os.remove(os.path.join(self.medium, "IMEData", "plsetup", "Setup.exe"))
        self.start_setup()
        self.click_item("2")
        self.dismiss_report("\\IMEData\\plsetup\\Setup.exe", "安装盘")
        # The item is back in place, its normal picture showing once the pointer leaves it,
        # and it works once its program is there.
        self.rest()
        x, y, _ = self.highlight_point("2")
        left, top, _, _ = R["Image2a"]
        normal = e2e.Picture.get("Image2a.gif").rgba(x, y)[:3]
        self.s.wait_pixel(self.w, left + x, top + y, normal, timeout=5, tolerance=8)
        subprocess.run(["cp", e2e.build_file("tests", "e2e", "driver", "standin.exe"),
                        os.path.join(self.medium, "IMEData", "plsetup", "Setup.exe")], check=True)
        self.click_item("2")
        self.wait_result_line("Label2")
        harness.wait_for(lambda: self.standin_log("plsetup"), 15, "the tutorial setup's log")
        self.assertEqual(self.standin_log("plsetup"), "started show=2\n")


if __name__ == "__main__":
    e2e.main()

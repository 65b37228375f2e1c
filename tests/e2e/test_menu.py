"""The menu window under Wine as a person uses it: what it shows at rest and on hover, the
install of an IME item, the copyright box, and the ways out."""

import os

import e2e_common as e2e
from e2e_common import R, BARE, Picture, close_to, centre


class MenuWindow(e2e.SetupTest):

    def test_window_is_centred_with_its_caption_and_exact_client_size(self):
        self.start_setup()
        self.assertEqual(self.s.window_text(self.w), e2e.TITLE)
        self.assertEqual(self.s.client_size(self.w), (595, 443))
        x, y, w, h = self.s.client_rect(self.w)
        self.assertLessEqual(abs(x + w / 2 - 512), 4)
        self.assertLessEqual(abs(y + h / 2 - 384), 16)  # the caption bar lifts the client area

    def test_at_rest_the_pictures_lie_over_the_background_at_their_design_places(self):
        self.start_setup()
        self.rest()
        grab = self.grab()
        background = Picture.get("background.jpg")
        # Bare window shows the background picture.
        for x, y in [(5, 5), (590, 5), (300, 120), (300, 400), (590, 438), (20, 300)]:
            self.assertTrue(close_to(grab.rgb(x, y), background.rgba(x, y), 10), (x, y))
        # Every normal picture: its opaque pixels exact, its transparent ones the background.
        for key in "123645f78":
            picture = Picture.get("Image%sa.gif" % key)
            left, top, _, _ = R["Image%sa" % key]
            for y in range(0, picture.h, 3):
                for x in range(0, picture.w, 7):
                    want = picture.rgba(x, y)[:3] if picture.opaque(x, y) else background.rgba(left + x, top + y)
                    self.assertTrue(close_to(grab.rgb(left + x, top + y), want, 10), (key, x, y))
        # No preview at rest: the preview area is bare background.
        px, py, pw, ph = R["preview"]
        self.assertEqual(grab.dark_pixels((px, py, pw, ph)), 0)

    def test_hover_shows_highlight_and_preview_and_bare_window_clears_them(self):
        self.start_setup()
        previews = {"1": 0, "2": 1, "3": 2, "4": 3, "6": 4, "5": 5, "7": 6, "f": 7}
        for key in "36f":
            self.rest()
            self.hover_item(key)
            grab = self.grab()
            highlight = Picture.get("Image%sb.gif" % key)
            left, top, _, _ = R["Image%sa" % key]
            for y in range(0, highlight.h, 2):
                for x in range(0, highlight.w, 5):
                    if highlight.opaque(x, y):
                        self.assertTrue(close_to(grab.rgb(left + x, top + y), highlight.rgba(x, y), 10), (key, x, y))
            preview = Picture.get("preview%d.gif" % previews[key])
            pl, pt, _, _ = R["preview"]
            black = [(x, y) for y in range(preview.h) for x in range(preview.w) if preview.opaque(x, y)]
            self.assertGreater(len(black), 300)
            for x, y in black[::40]:
                self.assertEqual(grab.rgb(pl + x, pt + y), (0, 0, 0), (key, x, y))
        # The bare window puts everything back: normal words white, previews gone.
        self.rest()
        x, y, _ = self.highlight_point("f")
        left, top, _, _ = R["Imagefa"]
        normal = Picture.get("Imagefa.gif").rgba(x, y)[:3]
        self.s.wait_pixel(self.w, left + x, top + y, normal, timeout=5, tolerance=8)
        self.assertEqual(self.grab().dark_pixels(R["preview"]), 0)

    def test_install_item_copies_registers_slides_away_and_shows_its_result_line(self):
        self.start_setup()
        self.click_item("6")
        self.wait_result_line("Label6")
        for name in ("pjlc2.IME", "pjlc2.MB"):
            self.assertEqual(self.system_file(name), self.medium_file(name), name)
        self.assertEqual(self.layouts_for("pjlc2.IME"), [e2e.LAYOUT_TEXTS["pjlc2.IME"]])
        # The item is gone from its place: only the result line's text is drawn there now.
        grab = self.grab()
        left, top, w, h = R["Image6a"]
        label = R["Label6"]
        outside_label = [(left + 2, top + 2), (left + w - 3, top + 3), (left + 5, top + 14)]
        background = Picture.get("background.jpg")
        for px_, py_ in outside_label:
            self.assertTrue(close_to(grab.rgb(px_, py_), background.rgba(px_, py_), 10), (px_, py_))
        # A second click where the item was lands on the result line and does nothing.
        self.s.click(self.w, label[0] + 20, label[1] + 8)
        self.s.move(self.w, *BARE)
        self.assertEqual(len(self.layouts_for("pjlc2.IME")), 1)

    def test_file_already_present_under_its_exact_name_is_not_copied_again(self):
        with open(f"{self.s.system32()}/pjlc2.IME", "wb") as f:
            f.write(b"installed earlier")
        self.start_setup()
        self.click_item("6")
        self.wait_result_line("Label6")
        self.assertEqual(self.system_file("pjlc2.IME"), b"installed earlier")
        self.assertEqual(self.system_file("pjlc2.MB"), self.medium_file("pjlc2.MB"))
        self.assertEqual(self.layouts_for("pjlc2.IME"), [e2e.LAYOUT_TEXTS["pjlc2.IME"]])

    def test_banner_shows_the_copyright_each_time_and_changes_nothing(self):
        self.start_setup()
        for _ in range(2):
            self.s.click(self.w, *centre("Imagebt"))
            box, title, text = self.s.message_box(title=e2e.APP_TITLE, timeout=10)
            self.assertEqual(text, e2e.COMPANY + " 版权所有，保留一切权利。")
            self.s.press(box)
            self.s.window_gone(box)
        self.assertEqual(self.s.client_size(self.w), (595, 443))

    def test_exit_item_ends_the_program_with_code_zero(self):
        self.start_setup()
        self.click_item("8")
        self.assertEqual(self.program.wait_exit(20), 0)

    def test_close_box_ends_the_program_with_code_zero(self):
        self.start_setup()
        self.s.close_window(self.w)
        self.assertEqual(self.program.wait_exit(20), 0)

    def test_missing_medium_file_is_reported_and_the_window_stays_usable(self):
        os.remove(os.path.join(self.medium, "IMEData", "pjlc2.MB"))
        self.start_setup()
        self.click_item("6")
        self.dismiss_report("错误 2", "\\IMEData\\pjlc2.MB", "安装盘")
        # Nothing slid, nothing registered; the IME file copied before the failure stays.
        self.assertEqual(self.layouts_for("pjlc2.IME"), [])
        self.assertEqual(self.system_file("pjlc2.IME"), self.medium_file("pjlc2.IME"))
        self.rest()
        self.hover_item("6")
        # Put the file back: the same item now installs.
        with open(os.path.join(self.medium, "IMEData", "pjlc2.MB"), "wb") as f:
            f.write(b"code table")
        self.click_item("6")
        self.wait_result_line("Label6")
        self.assertEqual(self.layouts_for("pjlc2.IME"), [e2e.LAYOUT_TEXTS["pjlc2.IME"]])


if __name__ == "__main__":
    e2e.main()

"""DLL search of Setup.exe under Wine: DLLs named like system DLLs, planted beside Setup.exe on
the medium, must never be loaded while the whole menu is used; a plain window program that
does not restrict its DLL search loads one from the same folder, which shows the check can fail.

The planted DLLs (tests/e2e/planted) leave "<dll>.loaded" beside themselves when loaded. Wine
prefers its builtin DLLs, so each program under test gets native-first overrides of its own
(HKCU\\Software\\Wine\\AppDefaults\\<exe>\\DllOverrides). version.dll is planted but not
overridden: Wine's user32 imports it, so with a native-first override every program loads
the planted copy at start, before any code of its own runs, which says nothing about the
program (Windows' user32 does not import it)."""

import glob
import os
import shutil

import e2e_common as e2e
import harness

PLANTED = ["version", "uxtheme", "dwmapi", "comctl32", "windowscodecs", "cryptbase"]
OVERRIDDEN = [name for name in PLANTED if name != "version"]
CONTROL = "control_window.exe"  # not control.exe: Wine has a program of that name


class PlantedDlls(e2e.SetupTest):

    def setUp(self):
        super().setUp()
        for name in PLANTED:
            shutil.copy(e2e.build_file("tests", "e2e", "planted", name + ".dll"), self.medium)
        self.s.reg_delete(r"HKCU\Software\Wine\AppDefaults" + "\\" + CONTROL)

    def tearDown(self):
        super().tearDown()
        self.s.reg_delete(r"HKCU\Software\Wine\AppDefaults" + "\\" + CONTROL)

    def prefer_planted(self, exe):
        lines = ['"%s"="native,builtin"' % name for name in OVERRIDDEN]
        self.s.reg_import("[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\%s\\DllOverrides]\n%s\n"
                          % (exe, "\n".join(lines)))

    def markers(self):
        return sorted(os.path.basename(p) for p in glob.glob(os.path.join(self.medium, "*.loaded")))

    def test_whole_menu_loads_no_dll_from_the_medium(self):
        self.prefer_planted("Setup.exe")
        self.start_setup()
        for key in "3f5":
            self.rest()
            self.hover_item(key)
        self.click_item("6")
        self.wait_result_line("Label6")
        self.rest()
        self.click_item("4")
        notice = self.s.find_window(title=e2e.NOTICE_TITLE, cls="#32770", timeout=10)
        self.s.close_window(notice)
        self.s.window_gone(notice)
        self.wait_result_line("Label4")
        self.rest()
        self.click_item("8")
        self.assertEqual(self.program.wait_exit(20), 0)
        self.assertEqual(self.markers(), [])

    def test_program_without_restricted_search_loads_the_planted_uxtheme(self):
        shutil.copy(e2e.build_file("bench", "minimal_window.exe"), os.path.join(self.medium, CONTROL))
        self.prefer_planted(CONTROL)
        program = self.s.start("M:\\" + CONTROL)
        window = self.s.find_window(title="Minimal", timeout=60)
        self.s.close_window(window)
        program.wait_exit(20)
        self.assertIn("uxtheme.dll.loaded", self.markers())


if __name__ == "__main__":
    e2e.main()

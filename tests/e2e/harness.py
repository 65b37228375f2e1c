"""Harness for the end-to-end tests: runs Windows programs under Wine and drives their windows.

A Session owns one Wine prefix, an X display and the prefix's run lock, and remote-controls the
program under test through the project's driver program (tests/e2e/driver/driver.cpp), started
once per command as `wine driver.exe <command> ...`. It follows the conventions of
scripts/wine-env.sh, which it calls for the prefix and the lock file name.

    import harness
    with harness.Session(work_dir, driver_exe) as s:
        harness.make_medium(medium, setup_exe, standin_exe)
        s.map_drive("M", medium, cdrom=True)
        s.start(r"M:\\Setup.exe")                    # cwd defaults to the program's folder, M:\\
        w = s.find_window(title="岚辰输入法系列")
        s.hover(w, 100, 100, (0, 0, 255))            # move, then wait for the hover colour
        s.click(w, 100, 100)
        box, title, text = s.message_box(timeout=10)
        s.press(box)                                 # IDOK, or the first button
        assert s.wait_exit(30) == 0

Window handles are ints. Client coordinates are relative to a window's client area. Every wait
polls with a timeout and raises HarnessTimeout (a subclass of HarnessError and TimeoutError)
when it runs out; a failed driver command raises DriverError (a HarnessError) with the
driver's message.

Module functions
    make_medium(folder, setup_exe, standin_exe)
        Lays out a demo medium (scripts/make-medium.sh): Setup.exe at the root, IMEData/ with
        a placeholder for each catalogue IME file (content "LCIme placeholder <name>\\r\\n"),
        IMEData/lcsetup/Setup.exe and IMEData/plsetup/Setup.exe being the stand-in.
    ime_file_names() -> list[str]      the 20 IME file names the medium holds, in exact case
    wait_for(probe, timeout, what="", interval=0.05)
        Calls probe() until it returns a true value and returns that; HarnessTimeout otherwise.
    parse_reg(text) -> {key path: {value name: value}}   the parser behind reg_export
    run(cmd, env=None, timeout=60) -> (exit code, stdout bytes, stderr bytes)
        Runs a command to its end with its output in files, not pipes (Wine's server and
        service programs inherit the output of the Wine program that started them).

Session(work_dir, driver_exe, prefix=None, lock_timeout=600)
        work_dir: folder for the session's files (logs, registry exports); created if missing.
        prefix: the WINEPREFIX; default $WINEPREFIX, else build/wine-prefix of the repository.
        Takes the prefix's run lock exclusively (`wine_lock_file run`, shared with
        scripts/wine-run), starts a private Xvfb when DISPLAY is unset (ending any Wine server
        left over in the prefix, whose desktop would belong to another display), and creates
        or updates the prefix (`wine_prefix_ensure`). Every Wine program, the driver included,
        runs with LC_ALL=zh_CN.UTF-8 (code page 936): Wine rewrites the prefix's font links
        whenever a program starts under another code page, which would turn the Chinese text
        of later message boxes into boxes. Texts go to the driver in its "hex:" form, so the
        locale cannot garble them. Use as a context manager, or call close(); an atexit hook
        (also run on SIGTERM, as CTest sends on a timeout) closes sessions left open.
  .prefix, .display, .env         the prefix path, the X display, the environment Wine runs in
  .work_dir, .lock_path           the session's folder, the run lock file it holds
  close()                         ends the programs and the Wine server, stops the private
                                  Xvfb, releases the lock
  kill()                          `wineserver -k` and waits for it: ends every program
  wine(*args, timeout=60, check=True) -> CompletedProcess (text stdout/stderr)
                                  runs a Wine command to its end, e.g. s.wine("reg", "add", ...)
  win_path(unix_path) -> str      the Z: path of a Unix path ("/tmp/a" -> "Z:\\tmp\\a")

  Files, drives and programs
  map_drive(letter, folder, cdrom=False)
                                  maps "M" (or "m:") to the folder; cdrom=True makes
                                  GetDriveTypeW report a CD-ROM, cdrom=False removes that
  unmap_drive(letter)
  start(exe, cwd=None, args=(), minimized=False) -> Program
                                  starts `wine start /wait [/min] /d <cwd> <exe> args...` in
                                  the background; exe and cwd are Windows paths (a Unix path is
                                  turned into its Z: path); cwd defaults to exe's folder.
                                  Its output goes to <work_dir>/wine-start-<n>.log.
  wait_exit(timeout=30) -> int    exit code of the program started last
  Program.wait_exit(timeout=30) -> int, Program.running() -> bool, Program.terminate(),
  Program.log() -> str            what `wine start` and the program printed
  system32() -> str               Unix path of the prefix's drive_c/windows/system32

  Registry
  reg_export(key) -> {key path: {value name: value}}
                                  the key and its subkeys (`reg export`, UTF-16 decoded); the
                                  default value is named ""; REG_SZ/EXPAND_SZ -> str,
                                  MULTI_SZ -> list[str], DWORD -> int, other -> bytes;
                                  {} when the key does not exist
  keyboard_layouts() -> {subkey name: {value name: value}}
                                  the subkeys of HKLM\\System\\CurrentControlSet\\Control\\
                                  Keyboard Layouts, e.g. {"e0020804": {"Ime File": ...,
                                  "Layout Text": ...}}
  reg_import(text)                imports .reg text ("Windows Registry Editor Version 5.00"
                                  header added when missing) with regedit; any characters
  reg_delete(key, value=None)     deletes a key or one value; no error when missing

  Windows (timeouts in seconds)
  windows() -> list[(hwnd, class, title)]   visible top-level windows
  find_window(title=None, cls=None, timeout=10) -> hwnd
                                  a visible top-level window with that exact title and/or class
  window_gone(hwnd, timeout=10)   waits until the window no longer exists
  window_text(hwnd) -> str
  control_texts(hwnd) -> list[Control(hwnd, cls, id, visible, text)]  all descendants
  client_rect(hwnd) -> (x, y, w, h)   client area in screen coordinates
  client_size(hwnd) -> (w, h)
  close_window(hwnd)              posts the system close command
  kill_window(hwnd, code=1)       terminates the window's process with that exit code

  Mouse, keyboard, clipboard, pixels
  park_pointer()                  puts the pointer in the desktop's bottom right corner;
                                  start() does it first, so no window starts out hovered
  move(hwnd, x, y)                puts the X pointer on the point (xdotool mousemove --sync),
                                  then moves Wine's mouse there with SendInput; the first move
                                  after start() or kill() is sent twice (Wine may drop it)
  click(hwnd, x, y)               the same, then a left click at the point
  hover(hwnd, x, y, colour, timeout=5, tolerance=0) -> (r, g, b)
                                  move, then wait until the pixel there has the colour; moves
                                  once more if it does not (gate a click on a confirmed hover)
  pixel(hwnd, x, y) -> (r, g, b)
  wait_pixel(hwnd, x, y, colour_or_predicate, timeout=5, tolerance=0) -> (r, g, b)
                                  colour: (r, g, b), each channel within tolerance;
                                  predicate: called with (r, g, b)
  keys(hwnd, *chords)             brings the window to the front, sends "ctrl+c", "alt+f4",
                                  "enter", "a" ... one chord after another
  type_text(hwnd, text)           types Unicode characters
  clipboard() -> str | None       the clipboard's Unicode text, None when it holds none
  message_box(title=None, timeout=10) -> (hwnd, title, text)
                                  a visible dialog (class #32770), with that title if given
  press(box, button=None)         clicks a dialog button: None = IDOK (or the first button),
                                  int = control id, str = button text (case and "&" ignored)
  screenshot(path)                PNG (or any format `import` knows by extension) of the X
                                  display's root window
"""

import atexit
import collections
import fcntl
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WINE_ENV = os.path.join(REPO, "scripts", "wine-env.sh")
MAKE_MEDIUM = os.path.join(REPO, "scripts", "make-medium.sh")
KEYBOARD_LAYOUTS = r"HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Keyboard Layouts"
PROGRAM_LOCALE = "zh_CN.UTF-8"

Control = collections.namedtuple("Control", "hwnd cls id visible text")


class HarnessError(Exception):
    pass


class HarnessTimeout(HarnessError, TimeoutError):
    pass


class DriverError(HarnessError):
    """A driver command failed (exit code 1); .stdout holds what it printed before."""

    def __init__(self, message, stdout=""):
        super().__init__(message)
        self.stdout = stdout


def wait_for(probe, timeout, what="", interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        result = probe()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise HarnessTimeout("timed out after %.1f s waiting for %s" % (timeout, what or probe))
        time.sleep(interval)


def run(cmd, env=None, timeout=60):
    """Runs a command to its end and returns (exit code, stdout bytes, stderr bytes).

    The output goes to unnamed files rather than pipes: the first Wine program of a server
    starts the server and its service programs, which inherit its stdout and stderr and keep
    them open, so a pipe would never reach its end."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        p = subprocess.Popen(cmd, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=err)
        try:
            p.wait(timeout)
        except subprocess.TimeoutExpired:
            p.kill()
            p.wait()
            raise HarnessTimeout("%s did not end within %.1f s" % (" ".join(cmd), timeout)) from None
        out.seek(0)
        err.seek(0)
        return p.returncode, out.read(), err.read()


def make_medium(folder, setup_exe, standin_exe):
    subprocess.run(["bash", MAKE_MEDIUM, folder, setup_exe, standin_exe], check=True)


def ime_file_names():
    out = subprocess.run(["bash", MAKE_MEDIUM, "--list"], check=True, capture_output=True,
                         text=True).stdout
    return out.split()


def _hex_text(s):
    # The driver's "hex:" form: UTF-16 code units, 4 hex digits each.
    units = s.encode("utf-16-le")
    return "hex:" + "".join("%02x%02x" % (units[i + 1], units[i]) for i in range(0, len(units), 2))


def _unescape_line(s):
    # Reverses the driver's one-line escapes of backslash, tab, CR and LF.
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "r": "\r", "n": "\n"}.get(m.group(1), m.group(1)), s)


def _parse_reg_value(raw):
    # One value's data in a .reg file (continuation lines already joined).
    if raw.startswith('"'):
        return re.sub(r"\\(.)", r"\1", raw[1:-1])
    if raw.startswith("dword:"):
        return int(raw[6:], 16)
    m = re.match(r"hex(?:\(([0-9a-f]+)\))?:(.*)$", raw, re.S)
    if not m:
        return raw
    data = bytes(int(b, 16) for b in re.findall(r"[0-9a-fA-F]{2}", m.group(2)))
    kind = int(m.group(1) or "3", 16)
    if kind in (1, 2):
        return data.decode("utf-16-le").split("\0")[0]
    if kind == 7:
        return [s for s in data.decode("utf-16-le").split("\0") if s]
    if kind == 4 and len(data) == 4:
        return int.from_bytes(data, "little")
    return data


def parse_reg(text):
    """Parses the text of a .reg export into {key path: {value name: value}}."""
    keys = {}
    current = None
    lines = iter(text.splitlines())
    for line in lines:
        line = line.rstrip("\r")
        if line.startswith("[") and line.endswith("]"):
            current = keys.setdefault(line[1:-1], {})
            continue
        if current is None or not line or line.startswith(";") or line.startswith("#"):
            continue
        while line.endswith("\\") and not line.endswith('"'):
            line = line[:-1] + next(lines, "").strip()
        if line.startswith("@="):
            name, raw = "", line[2:]
        else:
            m = re.match(r'"((?:[^"\\]|\\.)*)"=(.*)$', line)
            if not m:
                continue
            name, raw = re.sub(r"\\(.)", r"\1", m.group(1)), m.group(2)
        current[name] = _parse_reg_value(raw)
    return keys


class Program:
    """A program started with `wine start /wait`; its exit code is that of start."""

    def __init__(self, popen, log_path):
        self.popen = popen
        self.log_path = log_path

    def running(self):
        return self.popen.poll() is None

    def wait_exit(self, timeout=30):
        try:
            return self.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            raise HarnessTimeout("the program did not end within %.1f s" % timeout) from None

    def log(self):
        """What `wine start` and the program printed so far."""
        try:
            with open(self.log_path, "rb") as f:
                return f.read().decode("utf-8", "replace")
        except OSError:
            return ""

    def terminate(self):
        if self.running():
            self.popen.kill()
            self.popen.wait()


_open_sessions = []


@atexit.register
def _close_open_sessions():
    for s in list(_open_sessions):
        s.close()


def _on_sigterm(*_):
    _close_open_sessions()
    os._exit(128 + signal.SIGTERM)


def _exit_on_sigterm():
    # CTest ends a test that runs out of time with SIGTERM: end the Wine server and the Xvfb
    # first. (A SystemExit would be caught by unittest, which would go on with the next test.)
    if signal.getsignal(signal.SIGTERM) is signal.SIG_DFL:
        signal.signal(signal.SIGTERM, _on_sigterm)


def _die_with_parent():
    # Runs in the child before exec: Linux sends it SIGTERM when the harness process dies.
    try:
        import ctypes
        ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    except (OSError, AttributeError):
        pass


class Session:
    def __init__(self, work_dir, driver_exe, prefix=None, lock_timeout=600):
        self.work_dir = os.path.abspath(work_dir)
        os.makedirs(self.work_dir, exist_ok=True)
        self.driver_exe = os.path.abspath(driver_exe)
        if not os.path.isfile(self.driver_exe):
            raise HarnessError("no driver program " + self.driver_exe)
        for tool in ("wine", "wineserver", "xdotool", "xwininfo"):
            if not shutil.which(tool):
                raise HarnessError("%s is not installed (scripts/install-deps.sh)" % tool)
        prefix = prefix or os.environ.get("WINEPREFIX") or os.path.join(REPO, "build", "wine-prefix")
        self.prefix = os.path.abspath(prefix)
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=self.prefix, LC_ALL=PROGRAM_LOCALE,
                        WINEDEBUG=os.environ.get("WINEDEBUG", "-all"),
                        WINEDLLOVERRIDES=os.environ.get("WINEDLLOVERRIDES", "mscoree,mshtml="))
        self._lock = None
        self._xvfb = None
        self._programs = []
        self._desktop_origin = None
        self._fresh_pointer = True
        self._counter = 0
        _open_sessions.append(self)
        _exit_on_sigterm()
        try:
            self._take_lock(lock_timeout)
            if not self.env.get("DISPLAY"):
                self._start_xvfb()
                self.kill()
            self.display = self.env["DISPLAY"]
            self._bash("wine_prefix_ensure", timeout=600)
        except BaseException:
            self.close()
            raise

    # ---- session ------------------------------------------------------------------------

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def _bash(self, script, timeout=60):
        rc, out, err = run(["bash", "-c", 'source "$0"; ' + script, WINE_ENV], self.env, timeout)
        if rc != 0:
            raise HarnessError("wine-env.sh: %s failed: %s" % (script, err.decode(errors="replace").strip()))
        return out.decode(errors="replace")

    def _take_lock(self, timeout):
        path = self._bash("wine_lock_file run").strip()
        self.lock_path = path
        self._lock = open(path, "w")

        def locked():
            try:
                fcntl.flock(self._lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                return True
            except BlockingIOError:
                return False
        wait_for(locked, timeout, "the run lock " + path, interval=0.2)

    def _start_xvfb(self):
        if not shutil.which("Xvfb"):
            raise HarnessError("no DISPLAY and Xvfb is not installed")
        read_fd, write_fd = os.pipe()
        # 24-bit colour so pixel reads are exact; -displayfd lets Xvfb pick a free display and
        # report it once it accepts connections.
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_die_with_parent)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise HarnessError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def close(self):
        if self._lock is not None and self.env.get("DISPLAY"):
            self.kill()
        for p in self._programs:
            p.terminate()
        self._programs = []
        if self._xvfb is not None:
            self._xvfb.terminate()
            try:
                self._xvfb.wait(10)
            except subprocess.TimeoutExpired:
                self._xvfb.kill()
                self._xvfb.wait()
            self._xvfb = None
        if self._lock is not None:
            self._lock.close()
            self._lock = None
        if self in _open_sessions:
            _open_sessions.remove(self)

    def kill(self):
        run(["wineserver", "-k"], self.env)
        run(["wineserver", "-w"], self.env)
        self._desktop_origin = None
        self._fresh_pointer = True

    def wine(self, *args, timeout=60, check=True):
        rc, out, err = run(["wine"] + list(args), self.env, timeout)
        r = subprocess.CompletedProcess(["wine"] + list(args), rc, out.decode("utf-8", "replace"),
                                        err.decode("utf-8", "replace"))
        if check and rc != 0:
            raise HarnessError("wine %s: exit code %d: %s" % (" ".join(args), r.returncode,
                                                               r.stderr.strip()))
        return r

    @staticmethod
    def win_path(unix_path):
        return "Z:" + os.path.abspath(unix_path).replace("/", "\\")

    def _next_file(self, stem, ext):
        self._counter += 1
        return os.path.join(self.work_dir, "%s-%d%s" % (stem, self._counter, ext))

    # ---- files, drives, programs ----------------------------------------------------------

    @staticmethod
    def _drive(letter):
        letter = letter.rstrip(":").lower()
        if len(letter) != 1 or not letter.isalpha():
            raise ValueError("not a drive letter: %r" % letter)
        return letter + ":"

    def map_drive(self, letter, folder, cdrom=False):
        drive = self._drive(letter)
        folder = os.path.abspath(folder)
        if not os.path.isdir(folder):
            raise HarnessError("no folder " + folder)
        link = os.path.join(self.prefix, "dosdevices", drive)
        os.makedirs(os.path.dirname(link), exist_ok=True)
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(folder, link)
        if cdrom:
            self.wine("reg", "add", r"HKLM\Software\Wine\Drives", "/v", drive, "/d", "cdrom", "/f")
        else:
            self.reg_delete(r"HKLM\Software\Wine\Drives", drive)

    def unmap_drive(self, letter):
        drive = self._drive(letter)
        link = os.path.join(self.prefix, "dosdevices", drive)
        if os.path.lexists(link):
            os.remove(link)
        self.reg_delete(r"HKLM\Software\Wine\Drives", drive)

    def start(self, exe, cwd=None, args=(), minimized=False):
        if exe.startswith("/"):
            exe = self.win_path(exe)
        if cwd is None:
            cwd = exe[:exe.rfind("\\") + 1] or exe
        elif cwd.startswith("/"):
            cwd = self.win_path(cwd)
        cmd = ["wine", "start", "/wait"] + (["/min"] if minimized else []) + ["/d", cwd, exe]
        self.park_pointer()
        log_path = self._next_file("wine-start", ".log")
        with open(log_path, "wb") as log:
            popen = subprocess.Popen(cmd + list(args), env=self.env, stdin=subprocess.DEVNULL,
                                     stdout=log, stderr=subprocess.STDOUT)
        program = Program(popen, log_path)
        self._programs.append(program)
        self._fresh_pointer = True
        return program

    def wait_exit(self, timeout=30):
        if not self._programs:
            raise HarnessError("no program was started")
        return self._programs[-1].wait_exit(timeout)

    def system32(self):
        return os.path.join(self.prefix, "drive_c", "windows", "system32")

    # ---- registry ---------------------------------------------------------------------------

    def reg_export(self, key):
        path = self._next_file("reg-export", ".reg")
        r = self.wine("reg", "export", key, self.win_path(path), "/y", check=False)
        if r.returncode != 0 or not os.path.exists(path):
            return {}
        with open(path, "rb") as f:
            data = f.read()
        os.remove(path)
        return parse_reg(data.decode("utf-16"))

    def keyboard_layouts(self):
        prefix = KEYBOARD_LAYOUTS.lower() + "\\"
        return {path[len(prefix):]: values for path, values in self.reg_export(KEYBOARD_LAYOUTS).items()
                if path.lower().startswith(prefix) and "\\" not in path[len(prefix):]}

    def reg_import(self, text):
        if not text.lstrip().startswith("Windows Registry Editor"):
            text = "Windows Registry Editor Version 5.00\r\n\r\n" + text
        path = self._next_file("reg-import", ".reg")
        with open(path, "wb") as f:
            f.write(text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-16"))
        self.wine("regedit", "/S", self.win_path(path))
        os.remove(path)

    def reg_delete(self, key, value=None):
        args = ["reg", "delete", key] + (["/v", value] if value is not None else []) + ["/f"]
        self.wine(*args, check=False)

    # ---- the driver -------------------------------------------------------------------------

    # Commands that only read; one that fails without a word from the driver is run again.
    _QUERIES = {"list", "wait-window", "wait-gone", "window-text", "child-texts", "client-rect",
                "cursor", "pixel", "wait-pixel", "msgbox", "clipboard"}

    def _driver(self, *args, timeout=10.0):
        cmd = ["wine", self.driver_exe, "--timeout", str(int(timeout * 1000))] + [str(a) for a in args]
        tries = 3 if args[0] in self._QUERIES else 1
        for attempt in range(1, tries + 1):
            rc, out, err = run(cmd, self.env, timeout + 30)
            out = out.decode("utf-8", "replace")
            err = err.decode("utf-8", "replace")
            # Wine's own complaints (e.g. about a missing 32-bit loader) precede the driver's.
            lines = [l for l in err.splitlines() if l.startswith("driver:")]
            if rc == 0 or lines or attempt == tries:
                break
            # The driver reports every failure of its own; an exit without one means the Wine
            # process did not get as far as the command, which a loaded machine now and then
            # produces. A query is safe to repeat.
            sys.stderr.write("harness: driver %s ended with exit code %d and no report (%r); "
                             "trying again\n" % (args[0], rc, err.strip()[-500:]))
            time.sleep(0.5)
        message = "\n".join(lines) or "driver %s: exit code %d, stderr %r, stdout %r" % (
            args[0], rc, err.strip()[-500:], out[-500:])
        if rc == 1:
            raise DriverError(message, out)
        if rc != 0:
            raise HarnessError("driver %s: exit code %d: %s" % (" ".join(cmd[4:]), rc, message))
        return out

    @staticmethod
    def _h(hwnd):
        return "0x%x" % hwnd

    # ---- windows ----------------------------------------------------------------------------

    def windows(self):
        result = []
        for line in self._driver("list").splitlines():
            parts = line.split("\t", 2)
            if len(parts) == 3:
                result.append((int(parts[0], 16), parts[1], _unescape_line(parts[2])))
        return result

    def find_window(self, title=None, cls=None, timeout=10):
        if title is not None:
            args = ["wait-window", _hex_text(title)] + ([_hex_text(cls)] if cls is not None else [])
            try:
                return int(self._driver(*args, timeout=timeout).split()[0], 16)
            except DriverError:
                raise HarnessTimeout("no window titled %r within %.1f s" % (title, timeout)) from None
        if cls is None:
            raise ValueError("find_window needs a title or a class")

        def probe():
            return next((h for h, c, _ in self.windows() if c == cls), None)
        return wait_for(probe, timeout, "a window of class %r" % cls, interval=0.1)

    def window_gone(self, hwnd, timeout=10):
        try:
            self._driver("wait-gone", self._h(hwnd), int(timeout * 1000), timeout=timeout)
        except DriverError as e:
            raise HarnessTimeout(str(e)) from None

    def window_text(self, hwnd):
        return self._driver("window-text", self._h(hwnd))[:-1]

    def control_texts(self, hwnd):
        result = []
        for line in self._driver("child-texts", self._h(hwnd)).splitlines():
            parts = line.split("\t", 4)
            if len(parts) == 5:
                result.append(Control(int(parts[0], 16), parts[1], int(parts[2]), parts[3] == "1",
                                      _unescape_line(parts[4])))
        return result

    def client_rect(self, hwnd):
        return tuple(int(v) for v in self._driver("client-rect", self._h(hwnd)).split())

    def client_size(self, hwnd):
        return self.client_rect(hwnd)[2:]

    def close_window(self, hwnd):
        self._driver("close", self._h(hwnd))

    def kill_window(self, hwnd, code=1):
        self._driver("kill", self._h(hwnd), code)

    # ---- mouse, keyboard, pixels ------------------------------------------------------------

    def _find_desktop(self):
        # The Wine desktop's X window: (x, y, w, h) on the X screen, or None.
        tree = run(["xwininfo", "-root", "-tree"], self.env)[1].decode(errors="replace")
        m = re.search(r'"[^"\n]*Wine desktop":.*?(\d+)x(\d+)[+-]\d+[+-]\d+\s+\+(-?\d+)\+(-?\d+)', tree)
        return (int(m.group(3)), int(m.group(4)), int(m.group(1)), int(m.group(2))) if m else None

    def _origin(self):
        if self._desktop_origin is None:
            self._desktop_origin = wait_for(self._find_desktop, 5, "the Wine desktop window",
                                            interval=0.1)
        return self._desktop_origin[:2]

    def park_pointer(self):
        """Puts the pointer in the desktop's bottom right corner, so that a window shown next
        does not start hovered by where an earlier test left the pointer."""
        desktop = self._desktop_origin or self._find_desktop() or (0, 0, 1024, 768)
        self._x_pointer(desktop[2] - 1, desktop[3] - 1, origin=desktop[:2])

    def _x_pointer(self, sx, sy, origin=None):
        ox, oy = origin or self._origin()
        target = (ox + sx, oy + sy)
        # `mousemove --sync` waits for a motion event, which never comes when the pointer is
        # already there (Wine warps the X pointer along with its own moves).
        where = run(["xdotool", "getmouselocation", "--shell"], self.env, 10)[1].decode()
        at = dict(l.split("=", 1) for l in where.split() if "=" in l)
        if (int(at.get("X", -1)), int(at.get("Y", -1))) == target:
            return
        rc, _, err = run(["xdotool", "mousemove", "--sync", str(target[0]), str(target[1])],
                         self.env, 10)
        if rc != 0:
            raise HarnessError("xdotool mousemove failed: " + err.decode(errors="replace"))

    def _pointer(self, command, hwnd, x, y):
        rx, ry, _, _ = self.client_rect(hwnd)
        if self._fresh_pointer:
            # Wine may drop the first mouse move after a program starts: send a nearby one first.
            self._x_pointer(rx + x + 1, ry + y + 1)
            self._driver("move", self._h(hwnd), x + 1, y + 1)
            self._fresh_pointer = False
        self._x_pointer(rx + x, ry + y)
        self._driver(command, self._h(hwnd), x, y)

    def move(self, hwnd, x, y):
        self._pointer("move", hwnd, x, y)

    def click(self, hwnd, x, y):
        self._pointer("click", hwnd, x, y)

    def hover(self, hwnd, x, y, colour, timeout=5, tolerance=0):
        self.move(hwnd, x, y)
        try:
            return self.wait_pixel(hwnd, x, y, colour, min(timeout, 2), tolerance)
        except HarnessTimeout:
            self.move(hwnd, x, y)
            return self.wait_pixel(hwnd, x, y, colour, timeout, tolerance)

    def pixel(self, hwnd, x, y):
        return tuple(int(v) for v in self._driver("pixel", self._h(hwnd), x, y).split())

    def wait_pixel(self, hwnd, x, y, colour, timeout=5, tolerance=0):
        if callable(colour):
            last = [None]

            def probe():
                last[0] = self.pixel(hwnd, x, y)
                return colour(last[0])
            try:
                wait_for(probe, timeout, "pixel (%d,%d)" % (x, y), interval=0.02)
            except HarnessTimeout:
                raise HarnessTimeout("pixel (%d,%d) stayed %s" % (x, y, last[0])) from None
            return last[0]
        r, g, b = colour
        try:
            out = self._driver("wait-pixel", self._h(hwnd), x, y, r, g, b, tolerance,
                               int(timeout * 1000), timeout=timeout)
        except DriverError as e:
            last = e.stdout.split()
            raise HarnessTimeout("pixel (%d,%d) did not become %s (last %s)"
                                 % (x, y, colour, " ".join(last) or "unreadable")) from None
        return tuple(int(v) for v in out.split())

    def keys(self, hwnd, *chords):
        self._driver("keys", self._h(hwnd), *chords)

    def type_text(self, hwnd, text):
        self._driver("type", self._h(hwnd), _hex_text(text))

    def clipboard(self):
        try:
            return self._driver("clipboard")[:-1]
        except DriverError as e:
            if "no text" in str(e):
                return None
            raise

    # ---- dialogs ----------------------------------------------------------------------------

    def message_box(self, title=None, timeout=10):
        if title is None:
            def probe():
                return next(((h, t) for h, c, t in self.windows() if c == "#32770"), None)
            _, title = wait_for(probe, timeout, "a message box", interval=0.1)
            timeout = 2
        try:
            out = self._driver("msgbox", _hex_text(title), int(timeout * 1000), timeout=timeout)
        except DriverError as e:
            raise HarnessTimeout("no message box titled %r: %s" % (title, e)) from None
        first, _, text = out.partition("\n")
        return int(first, 16), title, text[:-1] if text.endswith("\n") else text

    def press(self, box, button=None):
        if isinstance(button, str):
            wanted = button.replace("&", "").casefold()
            match = [c for c in self.control_texts(box)
                     if c.cls.lower() == "button" and c.text.replace("&", "").casefold() == wanted]
            if not match:
                raise HarnessError("no button %r in the dialog" % button)
            button = match[0].id
        self._driver("press", self._h(box), *([] if button is None else [button]))

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", path],
                       env=self.env, check=True, timeout=30)

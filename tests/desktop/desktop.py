"""Shared helpers of the desktop tests: a private X display with a window manager, the built
programs started as a person starts them, keys sent with xdotool, MP3 files written and read
with mutagen.

Every process started here is ended by the Desktop context manager; every file lives in its
temporary folder (HOME, the settings, the state folder and ZARN_HOME included).
"""

import hashlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from mutagen.id3 import ID3

# Where the built programs are: the test registration passes the build's folder of Zarn.
ZARN_BIN = Path(os.environ.get("ZARN_BIN", Path(__file__).resolve().parents[2] / "build/zarn"))
ORVIK_BIN = Path(os.environ.get("ORVIK_BIN", ZARN_BIN.parent / "orvik"))
MAIN_TITLE = "^Pelmora"
KEY_DELAY_MS = "20"


class Failure(Exception):
    pass


class Desktop:
    """Xvfb + openbox on a free display, with a private home. Use as a context manager."""

    def __init__(self, size="1280x800", name="desktop"):
        self.size = size
        self.name = name
        self.display_procs = []  # Xvfb, openbox
        self.procs = []  # the programs under test
        self.tmp = Path(tempfile.mkdtemp(prefix=f"zarn-{name}-"))
        self.display = None
        self.env = None

    def __enter__(self):
        try:
            self._start_display()
            self._start_window_manager()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, kind, error, trace):
        if error is not None and not isinstance(error, KeyboardInterrupt):
            self.screenshot("failure")
        self.close()
        return False

    def _start_display(self):
        # Xvfb picks a free display number itself and writes it to the pipe.
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.size + "x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.display_procs.append(xvfb)
        number = b""
        deadline = time.monotonic() + 15
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or xvfb.poll() is not None:
                raise Failure("Xvfb did not start")
            chunk = os.read(read_end, 16)
            if not chunk:
                raise Failure("Xvfb did not report its display")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        home = self.tmp / "home"
        folders = {"HOME": home, "XDG_CONFIG_HOME": home / ".config",
                   "XDG_STATE_HOME": home / ".local/state", "XDG_DATA_HOME": home / ".local/share",
                   "XDG_CACHE_HOME": home / ".cache", "ZARN_HOME": self.tmp / "zarnhome"}
        for folder in folders.values():
            folder.mkdir(parents=True, exist_ok=True)
        runtime = self.tmp / "runtime"
        runtime.mkdir(mode=0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER")}
        self.env.update({k: str(v) for k, v in folders.items()})
        self.env.update({"DISPLAY": self.display, "XDG_RUNTIME_DIR": str(runtime),
                         "QT_QPA_PLATFORM": "xcb", "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"})

    def _start_window_manager(self):
        rc = self.tmp / "openbox.xml"
        # No desktop effects: windows appear at once and keep the focus they are given.
        rc.write_text('<?xml version="1.0"?><openbox_config '
                      'xmlns="http://openbox.org/3.4/rc"><focus><focusNew>yes</focusNew>'
                      '<followMouse>no</followMouse></focus><placement><policy>Smart</policy>'
                      '</placement><keyboard><keybind key="A-F4"><action name="Close"/>'
                      '</keybind></keyboard></openbox_config>')
        self.display_procs.append(self.start(
            ["openbox", "--sm-disable", "--config-file", str(rc)], log="openbox", own=False))
        # openbox is up when it has announced itself on the root window.
        self.wait_for(lambda: b"window id" in self.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout,
            "openbox to start", timeout=15)

    def start(self, argv, log, own=True):
        out = open(self.tmp / f"{log}.log", "ab")
        proc = subprocess.Popen(argv, env=self.env, stdout=out, stderr=subprocess.STDOUT,
                                cwd=self.tmp, start_new_session=True)
        out.close()
        if own:
            self.procs.append(proc)
        return proc

    def log(self, name):
        path = self.tmp / f"{name}.log"
        return path.read_text(errors="replace") if path.exists() else ""

    @staticmethod
    def _end(procs):
        for proc in reversed(procs):
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
                try:
                    proc.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        procs.clear()

    def close_programs(self):
        """Ends the programs a failed step left running; the display stays."""
        self._end(self.procs)

    def close(self):
        self._end(self.procs)
        self._end(self.display_procs)
        if os.environ.get("ZARN_KEEP_DESKTOP_FILES"):
            print(f"kept {self.tmp}", file=sys.stderr)
        else:
            shutil.rmtree(self.tmp, ignore_errors=True)

    def run(self, argv, check=True, timeout=20):
        return subprocess.run(argv, env=self.env, capture_output=True, check=check,
                              timeout=timeout)

    # -- programs ---------------------------------------------------------------------------

    def zarn(self, *args, log="zarn"):
        """Starts Zarn as a desktop's "Open with" does: `zarn --add FILE...`."""
        return self.start([str(ZARN_BIN / "zarn"), *map(str, args)], log=log)

    def orvik(self, *args, log="orvik"):
        return self.start([str(ORVIK_BIN / "orvik"), *map(str, args)], log=log)

    def settings(self, **values):
        """Writes Zarn's stored settings before it starts, as an earlier session left them."""
        ini = Path(self.env["XDG_CONFIG_HOME"]) / "Zarn/Zarn.ini"
        ini.parent.mkdir(parents=True, exist_ok=True)
        lines = ["[Settings]"] + [f"{key}={value}" for key, value in values.items()]
        ini.write_text("\n".join(lines) + "\n")

    # -- windows and keys -------------------------------------------------------------------

    def windows(self, title, pid=None):
        """The visible windows whose title matches the regular expression `title`."""
        argv = ["xdotool", "search", "--onlyvisible", "--name", title]
        if pid is not None:
            argv[2:2] = ["--pid", str(pid)]
        result = self.run(argv, check=False)
        # xdotool also matches _NET_WM_NAME, which Qt gives menus too (the program's name);
        # a window's own title is its WM_NAME.
        return [w for w in result.stdout.decode().split() if re.search(title, self.title(w))]

    def title(self, window):
        out = self.run(["xprop", "-id", window, "WM_NAME"], check=False).stdout.decode()
        match = re.match(r'WM_NAME\([A-Z0-9_]+\) = "(.*)"$', out.strip())
        return match.group(1) if match else ""

    def wait_window(self, title, timeout=20, proc=None):
        """Waits until a window with a title matching `title` is shown; returns its id."""
        found = []

        def shown():
            if proc is not None and proc.poll() is not None:
                raise Failure(f"the program ended (status {proc.returncode}) while waiting for "
                              f"a window titled {title!r}")
            found[:] = self.windows(title)
            return bool(found)

        self.wait_for(shown, f"a window titled {title!r}", timeout)
        return found[-1]

    def wait_gone(self, title, timeout=20):
        self.wait_for(lambda: not self.windows(title), f"the window {title!r} to close", timeout)

    def activate(self, window):
        self.run(["xdotool", "windowactivate", "--sync", window], check=False)
        self.wait_for(lambda: self.run(["xdotool", "getactivewindow"], check=False)
                      .stdout.decode().strip() == window, "the window to get the focus", 10)

    def key(self, *keys):
        """Presses keys (xdotool names: "Tab", "ctrl+a", "alt+2", "Return") in turn."""
        self.run(["xdotool", "key", "--clearmodifiers", "--delay", KEY_DELAY_MS, *keys])

    def type(self, text):
        self.run(["xdotool", "type", "--delay", KEY_DELAY_MS, text])

    def click(self, window, x, y):
        """A left click at a point of a window (its own coordinates)."""
        self.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"])

    def geometry(self, window):
        out = self.run(["xdotool", "getwindowgeometry", "--shell", window]).stdout.decode()
        values = dict(line.split("=", 1) for line in out.split())
        return {k: int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT")}

    def outer_geometry(self, window):
        """The window with the window manager's frame (title bar, borders) as x, y, w, h."""
        # xwininfo reads where the client area is on the root window (xdotool's position is
        # off by the frame under some window managers).
        info = self.run(["xwininfo", "-id", window]).stdout.decode()
        g = {key: int(re.search(rf"{label}:\s+(-?\d+)", info).group(1)) for key, label in
             (("X", "Absolute upper-left X"), ("Y", "Absolute upper-left Y"),
              ("WIDTH", "Width"), ("HEIGHT", "Height"))}
        out = self.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], check=False).stdout
        found = re.findall(rb"\d+", out.split(b"=", 1)[-1]) if b"=" in out else []
        left, right, top, bottom = (int(v) for v in found) if len(found) == 4 else (0, 0, 0, 0)
        return (g["X"] - left, g["Y"] - top, g["WIDTH"] + left + right,
                g["HEIGHT"] + top + bottom)

    def minimum_size(self, window):
        """The least size the program allows its window (WM_NORMAL_HINTS), or None."""
        out = self.run(["xprop", "-id", window, "WM_NORMAL_HINTS"], check=False).stdout.decode()
        match = re.search(r"minimum size: (\d+) by (\d+)", out)
        return (int(match.group(1)), int(match.group(2))) if match else None

    def screen_size(self):
        width, height = self.size.split("x")
        return int(width), int(height)

    def fits_screen(self, window):
        """What keeps the window from being used whole on the screen: its frame out of the
        screen, or a least size larger than the screen. Empty when it fits."""
        width, height = self.screen_size()
        x, y, w, h = self.outer_geometry(window)
        faults = []
        if x < 0 or y < 0 or x + w > width or y + h > height:
            faults.append(f"its frame {w}x{h} at {x},{y} leaves the {width}x{height} screen")
        least = self.minimum_size(window)
        if least and (least[0] > width or least[1] > height):
            faults.append(f"its least size {least[0]}x{least[1]} exceeds the screen")
        return faults

    def stacking(self):
        """The managed windows from the bottom to the top."""
        out = self.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"], check=False).stdout
        return [hex(int(v, 16)) for v in re.findall(rb"0x[0-9a-f]+", out)]

    def on_top(self, above, below):
        order = [int(w, 16) for w in self.stacking()]
        return int(above) in order and int(below) in order and \
            order.index(int(above)) > order.index(int(below))

    def answer_file_dialog(self, title, path, proc=None):
        """Types a path into the name box of the file or folder dialog titled `title` (a
        regular expression) and accepts it."""
        dialog = self.wait_window(title, proc=proc, timeout=10)
        self.activate(dialog)
        self.key("ctrl+a")
        self.type(str(path))
        self.key("Return")
        self.wait_gone(title, timeout=10)

    def menu(self, window, path):
        """Opens a menu of the main window's menu bar and picks an entry by keyboard: the first
        menu ("File") is clicked, then `path` are the keys a person presses (Right to the next
        menu, Down to an entry, Return)."""
        self.activate(window)
        for attempt in range(3):
            self.click(window, 12, 10)  # "File", the first entry of the bar at the top left
            try:
                self.wait_for(lambda: len(self.menus()) > 0, "the menu to open", 3)
                break
            except Failure:
                if attempt == 2:
                    raise
        if path:
            self.key(*path)

    def menus(self):
        """The program's open menus: its shown windows that have no title."""
        result = self.run(["xdotool", "search", "--onlyvisible", "--class", "^Zarn$"],
                          check=False)
        return [w for w in result.stdout.decode().split() if not self.title(w)]

    def pixels(self, window):
        """The window as a width x height grid of (r, g, b), read from a PPM screenshot."""
        data = self.run(["import", "-window", window, "-depth", "8", "ppm:-"]).stdout
        fields, pos = [], 0
        while len(fields) < 4:  # magic, width, height, maximum, separated by blanks
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        width, height = int(fields[1]), int(fields[2])
        if fields[0] != b"P6" or fields[3] != b"255":
            raise Failure(f"unexpected screenshot format {fields}")
        body = data[pos + 1:]
        return width, height, lambda x, y: tuple(body[3 * (y * width + x):3 * (y * width + x) + 3])

    def white_runs(self, window, x_fraction=None, x=None, min_height=12):
        """The vertical runs of white (editable box) pixels down one column of the window, as
        (top, bottom) pairs: text boxes and lists that take input are white, locked ones grey."""
        width, height, pixel = self.pixels(window)
        column = x if x is not None else int(width * x_fraction)
        runs, top = [], None
        for y in range(height):
            white = min(pixel(column, y)) >= 250
            if white and top is None:
                top = y
            if not white and top is not None:
                if y - top >= min_height:
                    runs.append((top, y - 1))
                top = None
        return column, runs

    def focus_file_list(self, window, first_row=False):
        """Clicks Zarn's file list below its rows, which gives it the focus and selects
        nothing; with `first_row`, Home then chooses the first row (the panel loads it)."""
        found = []

        def list_shown():  # the tallest white area down the left edge, below the rows
            found[:] = self.white_runs(window, x=20)[1]
            return any(bottom - top >= 40 for top, bottom in found)

        self.wait_for(list_shown, "the file list to be drawn", 10)
        top, bottom = max(found, key=lambda run: run[1] - run[0])
        self.click(window, 20, bottom - 4)
        if first_row:
            self.key("Home")

    def screenshot(self, label):
        """The whole screen as a PNG beside the test's log (kept: the folder is not removed)."""
        if not self.display:
            return None
        folder = Path(os.environ.get("ZARN_SCREENSHOTS", tempfile.gettempdir()))
        folder.mkdir(parents=True, exist_ok=True)
        path = folder / f"zarn-{self.name}-{label}.png"
        try:
            self.run(["import", "-window", "root", str(path)], check=True, timeout=20)
            print(f"screenshot: {path}", file=sys.stderr)
            return path
        except (subprocess.SubprocessError, OSError) as error:
            print(f"no screenshot: {error}", file=sys.stderr)
            return None

    @staticmethod
    def wait_for(condition, what, timeout=20, interval=0.05):
        deadline = time.monotonic() + timeout
        while True:
            if condition():
                return
            if time.monotonic() > deadline:
                raise Failure(f"timed out after {timeout} s waiting for {what}")
            time.sleep(interval)


def end_program(desktop, proc, window, timeout=15, key="alt+F4"):
    """Closes the main window as a person does (Alt+F4, or the program's own `key`) and waits
    for the program to end."""
    desktop.activate(window)
    desktop.key(key)
    try:
        return proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired as error:
        raise Failure(f"the program did not end after {key}") from error


def ends_cleanly(desktop, proc, window, failures, key="alt+F4"):
    """Ends the program (see end_program); a status other than 0 is a failure."""
    status = end_program(desktop, proc, window, key=key)
    check(status == 0, f"the program ended with status {status}", failures)


# -- MP3 files --------------------------------------------------------------------------------

# MPEG-1 layer III, 128 kbit/s, 44100 Hz, no CRC, no padding: 144 * 128000 / 44100 = 417 bytes.
FRAME_HEADER = bytes([0xFF, 0xFB, 0x90, 0x00])
FRAME_LENGTH = 417


def audio(frames, seed):
    """Valid MPEG frames with bytes that differ per file, so that no two files are equal."""
    body = hashlib.sha256(seed.encode()).digest() * (FRAME_LENGTH // 32 + 1)
    return (FRAME_HEADER + body[:FRAME_LENGTH - 4]) * frames


def write_mp3(path, frames, v1=False):
    """A file of a few MPEG frames tagged by mutagen (ID3v2.3, and ID3v1 when `v1`)."""
    path = Path(path)
    path.write_bytes(audio(12, path.name))
    tags = ID3()
    for frame in frames:
        tags.add(frame)
    tags.save(path, v2_version=3, v1=2 if v1 else 0)
    return path


def sha256(path):
    return sha256_of(Path(path).read_bytes())


def sha256_of(data):
    return hashlib.sha256(data).hexdigest()


def short(value):
    """A value for a failure message: bytes by their length and hash, the rest cut short."""
    if isinstance(value, dict):
        value = {k: (f"<{len(v)} bytes {sha256_of(v)[:12]}>" if isinstance(v, bytes) else v)
                 for k, v in value.items()}
    text = repr(value)
    return text if len(text) <= 120 else text[:117] + "..."


def audio_bytes(path):
    """What follows the ID3v2 tag, an ID3v1 tag included: what a tag edit must not touch
    unless it writes ID3v1."""
    data = Path(path).read_bytes()
    try:
        size = ID3(path, load_v1=False).size
    except Exception:  # no ID3v2 tag
        size = 0
    return data[size:]


def settled(read, *args):
    """`read(*args)`, or None while the program is still writing the file: a save changes it in
    more than one step, and a reader may meet it between two."""
    try:
        return read(*args)
    except Exception:  # noqa: BLE001 - any half-written state reads as "not yet"
        return None


def frames_of(path):
    """Every ID3v2 frame of a file as comparable values: texts as lists of strings, the rest
    (pictures among them) by their fields, bytes kept whole."""
    out = {}
    for key, frame in ID3(path, translate=False, load_v1=False).items():
        fields = {}
        for field in frame._framespec + frame._optionalspec:
            value = getattr(frame, field.name, None)
            if field.name == "encoding":
                continue  # how a text is stored, not what it says
            if isinstance(value, list):
                value = [str(v) for v in value]
            fields[field.name] = value if isinstance(value, (bytes, int, list)) else str(value)
        out[key] = fields
    return out


def check(condition, message, failures):
    if not condition:
        failures.append(message)


def run_cases(name, cases, run):
    """Runs `run(desk, case, failures)` for each case on one desktop, named by its first item;
    a case that failed leaves a screenshot and no program behind for the next one."""
    failures = []
    with Desktop(name=name.replace("_", "-")) as desk:
        for case in cases:
            label = case[0] if isinstance(case, tuple) else case
            count = len(failures)
            try:
                run(desk, case, failures)
            except Failure as error:
                failures.append(f"{label}: {error}")
            if len(failures) > count:
                desk.screenshot(label)
                desk.close_programs()
    report(failures, name)


def report(failures, name):
    if failures:
        for line in failures:
            print(f"FAIL {name}: {line}", file=sys.stderr)
        raise Failure(f"{len(failures)} check(s) failed")
    print(f"ok {name}")


def main(scenario):
    """Runs a scenario as a test program: status 0 when it passed, 1 when it failed."""
    started = time.monotonic()
    try:
        scenario()
    except Failure as error:
        print(f"FAILED: {error}", file=sys.stderr)
        return 1
    finally:
        print(f"({time.monotonic() - started:.1f} s)", file=sys.stderr)
    return 0


def run_scenario(name, cases, run):
    """The whole of a scenario script: run_cases on one desktop, the status as the exit code."""
    sys.exit(main(lambda: run_cases(name, cases, run)))

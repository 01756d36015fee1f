#!/usr/bin/python3
"""The progress line of long batch runs as a person at a terminal sees it.

The built zarn runs on a pseudo-terminal, slowed down by the fault injector (every close of a
music file waits), so that a run of 40 files takes about two seconds:
  - on a terminal the line appears ("N of 40 files, S s left"), is cleared before any other
    line is written there (the renamer's failures) and at the end;
  - with the error output in a pipe, or with --quiet, nothing of it is written;
  - Ctrl+C on the terminal stops a --set (or a --sort) after the file at hand: exit status 1,
    a line that says how many files were done, and every file either as it was or as the run
    writes it.

usage: progress_pty_test.py ZARN FAULT_INJECTOR SAMPLE_MP3
"""
import contextlib
import hashlib
import os
import pty
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time

ZARN, INJECTOR, SAMPLE = (os.path.abspath(a) for a in sys.argv[1:4])
FILES = 40
LINE = re.compile(r"(\d+) of 40 files(, \d+ s left)?")
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def sha(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def environment(scratch, slow=True):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(XDG_CONFIG_HOME=os.path.join(scratch, "config"),
               XDG_STATE_HOME=os.path.join(scratch, "state"),
               ZARN_HOME=os.path.join(scratch, "home"), LC_ALL="C.UTF-8")
    if slow:
        env.update(LD_PRELOAD=INJECTOR, ZARN_DELAY="close:50",
                   ZARN_FAULT_PATH=os.path.join(scratch, "music") + "/")
    return env


def on_terminal(arguments, scratch, interrupt_after_line=False):
    """Runs zarn with its error output (and controlling terminal) on a pseudo-terminal and its
    output in a file; returns (status, what the terminal got, the output)."""
    out_path = os.path.join(scratch, "out.txt")
    env = environment(scratch)
    pid, master = pty.fork()
    if pid == 0:
        os.chdir(os.path.join(scratch, "music"))
        fd = os.open(out_path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC)
        os.dup2(fd, 1)
        try:
            os.execve(ZARN, [ZARN] + arguments, env)
        finally:
            os._exit(127)
    terminal = b""
    interrupted = False
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        ready, _, _ = select.select([master], [], [], 0.2)
        if ready:
            try:
                chunk = os.read(master, 4096)
            except OSError:  # the child closed the terminal
                break
            if not chunk:
                break
            terminal += chunk
        if interrupt_after_line and not interrupted and LINE.search(terminal.decode()):
            os.write(master, b"\x03")  # Ctrl+C, as the terminal's line discipline sends it
            interrupted = True
    _, wait_status = os.waitpid(pid, 0)
    os.close(master)
    with open(out_path, encoding="utf-8") as f:
        return os.waitstatus_to_exitcode(wait_status), terminal.decode(), f.read()


def interrupted(arguments, scratch):
    """Runs zarn on the terminal and presses Ctrl+C once the progress line shows; returns the
    number of files the stop report gives (None without one), the terminal's text and the
    output."""
    status, terminal, out = on_terminal(arguments, scratch, interrupt_after_line=True)
    check(status == 1, "%s stopped ended with %d" % (arguments[0], status))
    stopped = re.search(r"stopped after (\d+) of 40 files", terminal)
    check(stopped is not None, "no stop report in %r" % terminal)
    return (int(stopped.group(1)) if stopped else None), terminal, out


def screen(text):
    """The rows a terminal shows after `text`: a carriage return goes back to the start of the
    row, later characters overwrite earlier ones."""
    rows = []
    for line in text.replace("\r\n", "\n").split("\n"):
        row = []
        column = 0
        for ch in line:
            if ch == "\r":
                column = 0
                continue
            if column < len(row):
                row[column] = ch
            else:
                row.append(ch)
            column += 1
        rows.append("".join(row).rstrip())
    return rows


@contextlib.contextmanager
def scratch_folder():
    scratch = tempfile.mkdtemp(prefix="zarn-progress-")
    try:
        for sub in ("music", "config", "state", "home"):
            os.makedirs(os.path.join(scratch, sub))
        for i in range(FILES):
            shutil.copy(SAMPLE, os.path.join(scratch, "music", "%02d.mp3" % i))
        yield scratch
    finally:
        shutil.rmtree(scratch)


def test_line_appears_and_is_cleared():
    with scratch_folder() as scratch:
        names = sorted(os.listdir(os.path.join(scratch, "music")))
        # The renamer's files all get the same new name: every file after the first is
        # refused, so its failure lines cross the progress line.
        for arguments in (["--list", "."], ["+rename=%title.mp3", "--dry-run"] + names):
            status, terminal, out = on_terminal(arguments, scratch)
            what = arguments[0]
            check(status in (0, 1), "%s on a terminal ended with %d" % (what, status))
            shown = screen(terminal)
            check(len(out.splitlines()) + len(shown) - 1 == FILES,
                  "%s: %d results and %d rows on the terminal: %r" %
                  (what, len(out.splitlines()), len(shown), terminal))
            lines = LINE.findall(terminal)
            check(len(lines) >= 2,
                  "%s: the progress line appeared %d times: %r" % (what, len(lines), terminal))
            check(re.search(r", [12] s left", terminal), "%s: no time left in %r" % (what, terminal))
            check(not any(LINE.search(row) for row in shown),
                  "%s: the terminal still shows a progress line: %r" % (what, shown))
            check(shown[-1] == "", "%s: the last row is %r" % (what, shown[-1]))

        status, terminal, out = on_terminal(["--list", "--quiet", "."], scratch)
        check(status == 0 and terminal == "", "--quiet wrote %r on the terminal" % terminal)


def test_no_line_in_a_pipe():
    with scratch_folder() as scratch:
        run = subprocess.run([ZARN, "--set", "album=Piped", "."], cwd=os.path.join(scratch, "music"),
                             env=environment(scratch), capture_output=True, timeout=60)
        check(run.returncode == 0, "--set in a pipe ended with %d" % run.returncode)
        check(run.stderr == b"", "the error output in a pipe got %r" % run.stderr[:200])


def test_ctrl_c_stops_after_the_file_at_hand():
    with scratch_folder() as scratch:
        music = os.path.join(scratch, "music")
        old = sha(SAMPLE)
        # What a file is after the run: one copy written without interruption.
        reference = os.path.join(scratch, "reference")
        os.makedirs(reference)
        shutil.copy(SAMPLE, os.path.join(reference, "r.mp3"))
        subprocess.run([ZARN, "--set", "album=Stopped", "r.mp3"], cwd=reference,
                       env=environment(scratch, slow=False), check=True, capture_output=True)
        new = sha(os.path.join(reference, "r.mp3"))
        check(new != old, "the reference run changed nothing")

        done, _, _ = interrupted(["--set", "album=Stopped", "."], scratch)
        hashes = [sha(os.path.join(music, name)) for name in sorted(os.listdir(music))]
        check(len(hashes) == FILES, "files were made or removed: %d" % len(hashes))
        check(all(h in (old, new) for h in hashes), "a file is neither old nor new")
        written = hashes.count(new)
        if done is not None:
            check(0 < done < FILES, "stopped after %d files" % done)
            check(written == done, "%d files written, %d reported" % (written, done))
        check(hashes[:written] == [new] * written, "the written files are not the first ones")
        journal = os.path.join(scratch, "state", "zarn")
        # The record undo keeps of the run (history/) is meant to stay; no journal may.
        left = [n for n in os.listdir(journal) if n != "history"] if os.path.isdir(journal) else []
        check(left == [], "the run left %s behind" % left)


def test_ctrl_c_stops_a_sort():
    with scratch_folder() as scratch:
        target = os.path.join(scratch, "sorted")
        done, terminal, out = interrupted(["--sort", target, "--copy", "."], scratch)
        check("not sorted" not in terminal, "the files after the stop were reported: %r" % terminal)
        copied = sorted(os.listdir(target)) if os.path.isdir(target) else []
        check(all(sha(os.path.join(target, name)) == sha(SAMPLE) for name in copied),
              "a copy differs from its source")
        check(len(out.splitlines()) == len(copied),
              "%d lines for %d copies" % (len(out.splitlines()), len(copied)))
        if done is not None:
            check(len(copied) == done, "%d copies, %d reported" % (len(copied), done))


for test in (test_line_appears_and_is_cleared, test_no_line_in_a_pipe,
             test_ctrl_c_stops_after_the_file_at_hand, test_ctrl_c_stops_a_sort):
    print("==", test.__name__)
    test()
if failures:
    sys.exit(1)
print("all passed")

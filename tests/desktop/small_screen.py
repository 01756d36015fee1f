"""Every window of Zarn used on a 1024x600 screen: the main window, Options, names from text,
the extra frames window and the sorting progress window each open with their frame (title bar
and buttons) on the screen and a least size no larger than it; the progress window opens over
the main window and stays in front of it at "Done!"."""

import sys
import time

import desktop as d
from mutagen.id3 import APIC, TIT2

SIZE = "1024x600"


def check_fits(desk, window, what, failures):
    for fault in desk.fits_screen(window):
        failures.append(f"{what}: {fault}")
    desk.screenshot(what.replace(" ", "-"))


def opened(desk, main, keys, title, proc):
    desk.activate(main)
    desk.key(*keys)
    return desk.wait_window(title, proc=proc, timeout=10)


def run(desk, case, failures):
    folder = desk.tmp / "music"
    folder.mkdir()
    for i in range(3):
        d.write_mp3(folder / f"s{i}.mp3",
                    [TIT2(encoding=0, text=[f"Song {i}"]),
                     APIC(encoding=0, mime="image/png", type=3, desc="", data=b"png" * 9)])
    target = desk.tmp / "target"
    desk.settings(Move=0, TargetDir=target, FileExists=1, Convert=0)
    proc = desk.zarn("--add", folder)
    main = desk.wait_window(d.MAIN_TITLE, proc=proc)
    check_fits(desk, main, "main window", failures)

    options = opened(desk, main, ["alt+s", "o"], "Options", proc)  # Settings, Options
    check_fits(desk, options, "Options", failures)
    desk.key("Escape")
    desk.wait_gone("Options")

    names = opened(desk, main, ["alt+f", "g"], "^Get MP3 info", proc)  # File, Get Filenames
    check_fits(desk, names, "names from text", failures)
    desk.key("alt+c")  # Close
    desk.wait_gone("^Get MP3 info")
    main = desk.wait_window(d.MAIN_TITLE, proc=proc)

    desk.activate(main)
    desk.focus_file_list(main, first_row=True)
    more = opened(desk, main, ["alt+m"], "^More ID3v2", proc)
    check_fits(desk, more, "extra frames", failures)
    desk.key("Escape")

    target.mkdir()
    sorting = opened(desk, main, ["alt+f", "s"], "Sorting", proc)  # File, Sort All Files
    desk.wait_for(lambda: len(list(target.iterdir())) == 3, "the files to be copied", 10)
    main = desk.wait_window(d.MAIN_TITLE, proc=proc)
    time.sleep(0.5)  # the window manager restacks the main window as it comes back
    check_fits(desk, sorting, "progress", failures)
    mx, my, mw, mh = desk.outer_geometry(main)
    sx, sy, sw, sh = desk.outer_geometry(sorting)
    d.check(abs((sx + sw / 2) - (mx + mw / 2)) < 40 and abs((sy + sh / 2) - (my + mh / 2)) < 40,
            f"progress: at {sx},{sy} ({sw}x{sh}), not centred on the main window at "
            f"{mx},{my} ({mw}x{mh})", failures)
    d.check(desk.on_top(sorting, main), "progress: behind the main window at \"Done!\"", failures)
    d.ends_cleanly(desk, proc, main, failures)


def main():
    failures = []
    with d.Desktop(size=SIZE, name="small-screen") as desk:
        try:
            run(desk, "small", failures)
        except d.Failure as error:
            failures.append(str(error))
            desk.screenshot("small-screen-failed")
    d.report(failures, "small_screen")


if __name__ == "__main__":
    sys.exit(d.main(main))

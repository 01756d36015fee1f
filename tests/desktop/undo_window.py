"""Undo > Undo in the window after a "Save ID3" of 20 selected files and after a "Sort All Now!"
whose collision question was answered Yes: every file is byte for byte as before, at its old
path, and the target folder holds only what was there before."""

import sys

import desktop as d
import select_all_save as saving
from mutagen.id3 import TALB, TIT2

COUNT = 20
NAMES = ["a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"]
IN_THE_WAY = "c.mp3"


def select_every_row(desk, window):
    """A click on the first row where no text reaches (the list is full of rows), then Ctrl+A."""
    found = []

    def list_shown():
        found[:] = desk.white_runs(window, x=500)[1]
        return any(bottom - top >= 100 for top, bottom in found)

    desk.wait_for(list_shown, "the file list to be drawn", 10)
    top, _ = max(found, key=lambda run: run[1] - run[0])
    desk.click(window, 500, top + 6)
    desk.key("ctrl+a")
    # The several-files form starts with the ID3v2 boxes locked; the click's one-file panel
    # must be gone before the album is typed.
    desk.wait_for(lambda: len(saving.v2_boxes(desk, window)) < 6, "the several-files form", 10)


def undo(desk, proc, window):
    """The Undo menu (right of File) opens on "Undo <what>"; the question is answered Yes."""
    desk.activate(window)
    desk.key("alt+e", "Return")  # Edit opens on "Undo <what>"
    question = desk.wait_window("^Zarn$", proc=proc)
    title = desk.title(question)
    desk.activate(question)
    desk.key("alt+y")
    desk.wait_gone("^Zarn$")
    return title


def save_then_undo(desk, failures):
    folder = desk.tmp / "save"
    folder.mkdir()
    for i in range(COUNT):
        d.write_mp3(folder / f"song{i:02}.mp3", [TIT2(encoding=0, text=[f"Song {i}"]),
                                                 TALB(encoding=0, text=["Old"])], v1=i % 2 == 0)
    files = sorted(folder.iterdir())
    before = {f: d.sha256(f) for f in files}
    proc = desk.zarn("--add", folder, log="save")
    window = desk.wait_window(d.MAIN_TITLE, proc=proc)
    desk.activate(window)
    select_every_row(desk, window)
    saving.type_album(desk, window)
    desk.menu(window, ["Right", "Right", "Down", "Return"])  # Undo, ID3: "Save ID3"
    summary = desk.wait_window("^Zarn$", proc=proc)
    desk.activate(summary)
    desk.key("Return")
    desk.wait_gone("^Zarn$")
    desk.wait_for(lambda: all(d.sha256(f) != before[f] for f in files), "every file saved", 15)
    undo(desk, proc, window)
    try:
        desk.wait_for(lambda: all(d.sha256(f) == before[f] for f in files), "the undo", 15)
    except d.Failure:
        pass  # the checks name the files
    for f in files:
        d.check(d.sha256(f) == before[f], f"save: {f.name} is not as before the save", failures)
    status = d.end_program(desk, proc, window)
    d.check(status == 0, f"save: the program ended with status {status}", failures)


def sort_then_undo(desk, failures):
    source, target = desk.tmp / "sort-source", desk.tmp / "sort-target"
    source.mkdir()
    target.mkdir()
    for name in NAMES:
        (source / name).write_bytes(d.audio(12, name))
    (target / IN_THE_WAY).write_bytes(d.audio(5, "already there"))
    before = {p: d.sha256(p) for p in list(source.iterdir()) + list(target.iterdir())}
    desk.settings(Move=1, TargetDir=target, FileExists=0, Convert=0, Genre=0,
                  Alphabetical=0, SubFolder=0)
    proc = desk.zarn("--add", source, log="sort")
    window = desk.wait_window(d.MAIN_TITLE, proc=proc)
    desk.activate(window)
    desk.key("alt+f", "s")  # File, "Sort All Files"
    question = desk.wait_window("^Zarn$", proc=proc)
    desk.activate(question)
    desk.key("alt+y")  # replace the file in the way
    window = desk.wait_window(d.MAIN_TITLE, proc=proc, timeout=15)
    desk.wait_for(lambda: not any(source.iterdir()), "every file moved", 10)
    undo(desk, proc, window)
    try:
        desk.wait_for(lambda: all(p.exists() for p in before) and len(list(target.iterdir())) == 1,
                      "the undo", 15)
    except d.Failure:
        pass
    for path, digest in before.items():
        d.check(path.exists() and d.sha256(path) == digest,
                f"sort: {path.parent.name}/{path.name} is not as before the sort", failures)
    left = sorted(p.name for p in target.iterdir())
    d.check(left == [IN_THE_WAY], f"sort: the target holds {left}", failures)
    status = d.end_program(desk, proc, window)
    d.check(status == 0, f"sort: the program ended with status {status}", failures)


def main():
    d.run_cases("undo_window", ("save", "sort"),
                lambda desk, case, failures: (save_then_undo if case == "save"
                                              else sort_then_undo)(desk, failures))


if __name__ == "__main__":
    sys.exit(d.main(main))

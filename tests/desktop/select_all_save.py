"""A folder added with File > "Add Folder..." (or given on the command line), every row selected
three ways (the "Select All" button, Ctrl+A in the list, "Invert Selection" from an empty
selection), an album typed into the ID3v2 album box and saved (from the ID3 menu, or with Ctrl+S
after Ctrl+A, then Ctrl+Q ends the program): every file gets the album and keeps every other
frame, its audio and its ID3v1 tag. And one file saved twice in a row with Ctrl+S: the panel
reloads it after the first save, so the second save writes too."""

import sys

import desktop as d
from mutagen.id3 import APIC, COMM, TALB, TCON, TIT2, TPE1, TRCK, TYER

ALBUM = "Tides of Glass"


def tagged_folder(folder):
    folder.mkdir()
    for i in range(5):
        frames = [TIT2(encoding=0, text=[f"Song {i}"]), TPE1(encoding=0, text=[f"Velt {i % 2}"]),
                  TRCK(encoding=0, text=[f"{i + 1}/5"]), TYER(encoding=0, text=["1999"]),
                  TCON(encoding=0, text=["(17)Rock"]),
                  COMM(encoding=0, lang="eng", desc="", text=[f"note {i}"]),
                  APIC(encoding=0, mime="image/png", type=3, desc="front",
                       data=d.audio(3, f"picture {i}"))]
        if i != 2:  # one file without an album of its own: the save adds the frame
            frames.append(TALB(encoding=0, text=["Old album"]))
        d.write_mp3(folder / f"song{i}.mp3", frames, v1=i % 2 == 0)
    return sorted(folder.iterdir())


def select_all(desk, window, way):
    if way == "button":
        desk.focus_file_list(window, first_row=True)
        desk.key("Tab", "Tab", "Tab", "space")  # Add Files..., Clear List, Select All
    elif way == "ctrl+a":
        desk.focus_file_list(window)
        desk.key("ctrl+a")
    else:
        desk.focus_file_list(window)
        desk.menu(window, ["Up", "Up", "Return"])  # File, Invert Selection (above Exit)


def album_of(path):
    """The album another program reads, or None while the file is being written."""
    frames = d.settled(d.frames_of, path)
    return None if frames is None else frames.get("TALB", {}).get("text")


def v2_boxes(desk, window):
    """The editable boxes of the ID3v2 column (title, artist, album, ...), top to bottom."""
    _, runs = desk.white_runs(window, x=desk.geometry(window)["WIDTH"] - 60)
    return runs


def type_album(desk, window, album=ALBUM):
    # The several-files form starts with both versions off: "ID3v&2 tag" (Alt+2) unlocks the
    # ID3v2 boxes. A panel that shows one file has them open already.
    if len(v2_boxes(desk, window)) < 6:
        desk.key("alt+2")
        desk.wait_for(lambda: len(v2_boxes(desk, window)) >= 6, "the ID3v2 boxes to unlock", 5)
    top, bottom = v2_boxes(desk, window)[2]  # title, artist, album
    desk.click(window, desk.geometry(window)["WIDTH"] - 60, (top + bottom) // 2)
    desk.key("ctrl+a")  # whatever the box holds is replaced
    desk.type(album)


def one_file_twice(desk, failures):
    song = tagged_folder(desk.tmp / "twice")[0]
    proc = desk.zarn("--add", song, log="twice")
    window = desk.wait_window(d.MAIN_TITLE, proc=proc)
    desk.activate(window)
    desk.focus_file_list(window, first_row=True)
    for album in ("First album", "Second album"):
        type_album(desk, window, album)
        desk.key("ctrl+s")
        desk.wait_for(lambda: desk.windows("^Zarn$") or album_of(song) == [album],
                      f"{album} to be written or a message", 10)
        written = album_of(song)
        d.check(written == [album], f"twice: after saving {album} the file has {written}",
                failures)
        if desk.windows("^Zarn$"):
            desk.screenshot("twice-message")
            failures.append(f"twice: a message came up on saving {album} (see the screenshot)")
            break
    d.ends_cleanly(desk, proc, window, failures, key="ctrl+q")


def run(desk, way, failures):
    if way == "one-file-twice":
        return one_file_twice(desk, failures)
    files = tagged_folder(desk.tmp / way.replace("+", ""))
    before = {f: (d.frames_of(f), d.sha256_of(d.audio_bytes(f))) for f in files}
    if way == "button":  # the folder added as a person adds one: File, "Add Folder..."
        proc = desk.zarn(log=way)
        window = desk.wait_window(d.MAIN_TITLE, proc=proc)
        desk.activate(window)
        desk.key("alt+f", "o")
        desk.answer_file_dialog("^Please select a folder", files[0].parent, proc)
    else:
        proc = desk.zarn("--add", files[0].parent, log=way)
        window = desk.wait_window(d.MAIN_TITLE, proc=proc)
    desk.activate(window)
    select_all(desk, window, way)
    type_album(desk, window)
    stamps = {f: f.stat().st_mtime_ns for f in files}
    if way == "ctrl+a":
        desk.key("ctrl+s")  # "Save ID3" from the keyboard, the focus still in the album box
    else:
        desk.menu(window, ["Right", "Right", "Down", "Return"])  # Undo, then ID3 on "Fix ID3"
    # A save to every selected file asks first; a save to one file writes at once.
    desk.wait_for(lambda: desk.windows("^Zarn$") or any(
        f.stat().st_mtime_ns != stamps[f] for f in files), "the summary or a written file", 10)
    if desk.windows("^Zarn$"):
        desk.activate(desk.windows("^Zarn$")[0])
        desk.key("Return")  # OK
        desk.wait_gone("^Zarn$")
        try:
            desk.wait_for(lambda: all(album_of(f) == [ALBUM] for f in files),
                          "every file to be written", 10)
        except d.Failure:
            pass  # the checks below name the files
    else:
        failures.append(f"{way}: no summary of a save to all selected files came up")
    for f in files:
        old_frames, old_rest = before[f]
        new_frames = d.frames_of(f)
        album = new_frames.pop("TALB", {}).get("text")
        d.check(album == [ALBUM], f"{way}: {f.name} has the album {album}", failures)
        old_frames.pop("TALB", None)
        for key in sorted(set(old_frames) | set(new_frames)):
            d.check(old_frames.get(key) == new_frames.get(key),
                    f"{way}: {f.name} {key} was {d.short(old_frames.get(key))}, "
                    f"is {d.short(new_frames.get(key))}", failures)
        d.check(d.sha256_of(d.audio_bytes(f)) == old_rest,
                f"{way}: {f.name}: the audio or the ID3v1 tag changed", failures)
    if desk.windows("^Zarn$"):
        failures.append(f"{way}: a message box is open after the save (see the screenshot)")
        desk.screenshot(f"{way}-message")
    d.ends_cleanly(desk, proc, window, failures, key="ctrl+q" if way == "ctrl+a" else "alt+F4")


def main():
    d.run_cases("select_all_save", ("button", "ctrl+a", "invert", "one-file-twice"), run)


if __name__ == "__main__":
    sys.exit(d.main(main))

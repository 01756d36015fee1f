"""The extra frames window ("More", Alt+M) of a file with a picture: the picture saved to a file
("Save As File...") is the picture byte for byte; a composer text frame added there ("Add") and
the file saved (Ctrl+S) gives the file the frame and keeps the picture and the title."""

import desktop as d
from mutagen.id3 import APIC, TIT2

PICTURE = d.audio(4, "a picture")  # any bytes: the export must give them back unchanged


def run(desk, case, failures):
    folder = desk.tmp / "one"
    folder.mkdir()
    song = d.write_mp3(folder / "song.mp3",
                       [TIT2(encoding=0, text=["Harbour"]),
                        APIC(encoding=0, mime="image/png", type=3, desc="", data=PICTURE)])
    before = d.frames_of(song)
    proc = desk.zarn("--add", folder)
    main = desk.wait_window(d.MAIN_TITLE, proc=proc)
    desk.activate(main)
    desk.focus_file_list(main, first_row=True)  # the panel loads the file
    desk.key("alt+m")  # "More"
    more = desk.wait_window("^More ID3v2 frames$", proc=proc)
    desk.activate(more)
    desk.key("Home")  # the first listed frame, the picture
    exported = desk.tmp / "cover.png"
    desk.key("alt+s")  # "Save As File..."
    desk.answer_file_dialog("^Save As$", exported, proc)
    desk.wait_for(exported.exists, "the picture to be saved", 10)
    d.check(d.sha256(exported) == d.sha256_of(PICTURE), "the saved picture differs", failures)

    desk.activate(more)
    # The frame list (white, down the left) takes the focus; Tab goes to the content box.
    width = desk.geometry(more)["WIDTH"]
    _, runs = desk.white_runs(more, x=width // 10)
    frames = max(runs, key=lambda run: run[1] - run[0])
    desk.click(more, width // 10, frames[1] - 4)
    desk.key("Tab", "ctrl+a")
    desk.type("Ada Velt")
    # Tab would be typed into the box: the frame box below it is clicked.
    x = width * 85 // 100
    _, runs = desk.white_runs(more, x=x)
    content = max(runs, key=lambda run: run[1] - run[0])
    top, bottom = next(run for run in runs if run[0] > content[1])
    desk.click(more, x, (top + bottom) // 2)
    desk.type("TCOM")
    desk.key("alt+a", "alt+c")  # "Add", "Close"
    desk.wait_gone("^More ID3v2 frames$")
    stamp = song.stat().st_mtime_ns
    desk.activate(main)
    desk.key("ctrl+s")
    desk.wait_for(lambda: song.stat().st_mtime_ns != stamp, "the file to be saved", 10)
    try:  # the save may still be under way when the file's time changes
        desk.wait_for(lambda: "TCOM" in (d.settled(d.frames_of, song) or {}), "the composer", 5)
    except d.Failure:
        pass  # the checks below say what the file holds
    after = d.frames_of(song)
    d.check(after.get("TCOM", {}).get("text") == ["Ada Velt"],
            f"the composer frame is {d.short(after.get('TCOM'))}", failures)
    for key in ("APIC:", "TIT2"):
        d.check(after.get(key) == before.get(key), f"{key} was {d.short(before.get(key))}, "
                f"is {d.short(after.get(key))}", failures)
    d.ends_cleanly(desk, proc, main, failures)


if __name__ == "__main__":
    d.run_scenario("extra_frames", ["frames"], run)

"""Names from a track list: the files of a folder in Zarn's list, File > "Get Filenames From
File...", a track list typed into the text box, "Scan now!", "Rename Files", "Close": the files
have their new names on disk, and the main list holds the new names and no old one
(read back through "Save Sorting List...").
"paste": a track list with accents and no-break spaces pasted with Ctrl+V under "%track. %title",
"Save in ID3v2." ticked: the names and the titles mutagen reads are the whole titles."""

import shutil
import subprocess

import desktop as d
from mutagen.id3 import ID3, TIT2

PASTED = ["Beyoncé Song", "Niño\u00a0Azul", "Café Noir"]


def paste_case(desk, failures):
    folder = desk.tmp / "pasted"
    folder.mkdir()
    for i in range(len(PASTED)):
        d.write_mp3(folder / f"t{i}.mp3", [TIT2(encoding=0, text=[f"old {i}"])])
    desk.settings(InPattern="%track. %title", OutPattern="%track - %title.mp3", Convert=0)
    text = "".join(f"{i + 1:02}. {title}\n" for i, title in enumerate(PASTED))
    # xclip keeps serving the clipboard until the display ends.
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), env=desk.env,
                   check=True)
    proc = desk.zarn("--add", folder)
    main = desk.wait_window(d.MAIN_TITLE, proc=proc)
    names = open_names_window(desk, main, proc)
    desk.key("ctrl+v", "alt+2", "alt+n", "alt+r")  # paste, "Save in ID3v2.", scan, rename
    wanted = [title.replace("\u00a0", " ") for title in PASTED]
    news = [folder / f"{i + 1:02} - {title}.mp3" for i, title in enumerate(wanted)]
    # Each file is renamed, then tagged: the last one's title comes a moment after its name.
    try:
        desk.wait_for(lambda: all(p.exists() and str(ID3(p).get("TIT2")) == title
                                  for p, title in zip(news, wanted)),
                      "the files to be renamed and tagged", 10)
    except d.Failure:
        pass  # the checks below name what is missing
    for path, title in zip(news, wanted):
        if not path.exists():
            failures.append(f"{path.name} is not on disk")
            continue
        d.check(str(ID3(path)["TIT2"]) == title, f"{path.name} has the title "
                f"{ID3(path)['TIT2']!r}, not {title!r}", failures)
    desk.activate(names)
    desk.key("alt+c")
    desk.wait_gone("^Get MP3 info")
    d.ends_cleanly(desk, proc, desk.wait_window(d.MAIN_TITLE, proc=proc), failures)


def open_names_window(desk, main, proc):
    """File > "Get Filenames From File...", with the cursor in the text box."""
    desk.activate(main)
    desk.key("alt+f", "g")
    names = desk.wait_window("^Get MP3 info", proc=proc)
    desk.activate(names)
    _, runs = desk.white_runs(names, x_fraction=0.1)
    top, bottom = max(runs, key=lambda run: run[1] - run[0])  # the text box
    desk.click(names, desk.geometry(names)["WIDTH"] // 10, top + 10)
    return names

TRACKS = ["Golden Hour", "Salt Road", "Night Ferry"]


def save_list(desk, main, path, proc):
    """Writes the main list to a sorting list file through its dialog, as a person does."""
    desk.activate(main)
    desk.key("alt+v")  # "Save Sorting List..."
    desk.answer_file_dialog("^Save As$", path, proc)
    desk.wait_for(path.exists, "the sorting list to be written", 10)


def run(desk, case, failures):
    if case == "paste":
        return paste_case(desk, failures)
    folder = desk.tmp / "album"
    folder.mkdir()
    olds = [d.write_mp3(folder / f"track{i}.mp3", [TIT2(encoding=0, text=[f"x{i}"])])
            for i in range(3)]
    desk.settings(InPattern="%track. %title.mp3", OutPattern="%track - %title.mp3", Convert=0)
    proc = desk.zarn("--add", folder)
    main = desk.wait_window(d.MAIN_TITLE, proc=proc)
    names = open_names_window(desk, main, proc)
    for i, title in enumerate(TRACKS):
        desk.type(f"{i + 1:02}. {title}")
        desk.key("Return")
    desk.key("alt+n")  # "Scan now!"
    desk.key("alt+r")  # "Rename Files"
    news = [folder / f"{i + 1:02} - {title}.mp3" for i, title in enumerate(TRACKS)]
    desk.wait_for(lambda: all(p.exists() for p in news), "the files to be renamed", 10)
    desk.activate(names)
    desk.key("alt+c")  # "Close"
    desk.wait_gone("^Get MP3 info")
    main = desk.wait_window(d.MAIN_TITLE, proc=proc)
    d.check(not any(p.exists() for p in olds), "an old name is still on disk", failures)

    listed = desk.tmp / "list.srt"
    save_list(desk, main, listed, proc)
    rows = [line for line in listed.read_text(errors="replace").splitlines() if line.strip()]
    d.check(len(rows) == len(news), f"the list holds {len(rows)} rows, not {len(news)}: {rows}",
            failures)
    for path in news:
        d.check(any(row.startswith(path.name + " ") for row in rows),
                f"the list lacks the new name {path.name}: {rows}", failures)
    for path in olds:
        d.check(not any(row.startswith(path.name + " ") for row in rows),
                f"the list still shows the old name {path.name}", failures)
    d.ends_cleanly(desk, proc, main, failures)


if __name__ == "__main__":
    cases = ["rename"] + (["paste"] if shutil.which("xclip") else [])
    d.run_scenario("names_from_text", cases, run)

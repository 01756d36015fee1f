"""Fix ID3 on badly tagged files: every row selected (Ctrl+A), "ID3v1 tag" ticked (Alt+1),
"Fix ID3" (Alt+X): each file's ID3v1 tag gets the cleaned title, the artist and track taken from
its name, and the audio stays byte for byte."""

import desktop as d

# name, ID3v1 title as another program left it; the in pattern reads track, artist and title
# from the name.
FILES = [("01 - the velt - loud song.mp3", "LOUD SONG", ("Loud Song", "The Velt", 1)),
         ("02 - the velt - salt_road.mp3", "salt   road", ("Salt Road", "The Velt", 2)),
         ("03 - kvist - night ferry.mp3", "", ("Night Ferry", "Kvist", 3))]


def id3v1(title):
    """A bare ID3v1.1 tag with only a title."""
    field = title.encode("latin-1")[:30].ljust(30, b"\0")
    return b"TAG" + field + b"\0" * 30 + b"\0" * 30 + b"\0" * 4 + b"\0" * 30 + b"\xff"


def read_id3v1(path):
    """(title, artist, track) of a file's ID3v1 tag; None without one (or while it is written)."""
    try:
        tag = path.read_bytes()[-128:]
    except FileNotFoundError:
        return None
    if not tag.startswith(b"TAG"):
        return None

    def text(start):
        return tag[start:start + 30].split(b"\0")[0].decode("latin-1")

    return text(3), text(33), tag[126] if tag[125] == 0 else 0


def run(desk, case, failures):
    folder = desk.tmp / "bad"
    folder.mkdir()
    audio = {}
    for name, title, _ in FILES:
        audio[name] = d.audio(10, name)
        (folder / name).write_bytes(audio[name] + id3v1(title))
    desk.settings(InPattern="%track - %artist - %title.mp3")
    proc = desk.zarn("--add", folder)
    main = desk.wait_window(d.MAIN_TITLE, proc=proc)
    desk.activate(main)
    desk.focus_file_list(main)  # no row is current: the selection alone must do
    desk.key("ctrl+a", "alt+1", "alt+x")
    try:
        desk.wait_for(lambda: all((read_id3v1(folder / n) or ("",))[0] == want[0]
                                  for n, _, want in FILES), "the titles to be fixed", 10)
    except d.Failure:
        pass  # the checks below name the files
    for name, _, (title, artist, track) in FILES:
        got = read_id3v1(folder / name)
        d.check(got == (title, artist, track), f"{name}: ID3v1 is {got}, not "
                f"{(title, artist, track)}", failures)
        d.check((folder / name).read_bytes()[:-128] == audio[name], f"{name}: audio changed",
                failures)
    d.ends_cleanly(desk, proc, main, failures)


if __name__ == "__main__":
    d.run_scenario("fix_id3", ["fix"], run)

"""Orvik as a person uses it: a playlist opened with Ctrl+O, a word typed into the search box,
the matches saved with Ctrl+S: the saved playlist holds the matching entries, as the playlist
recorded them, and no other."""

import desktop as d

# Absolute paths, which a saved playlist keeps as they are.
ENTRIES = [("Velt", "Golden Hour", "/music/01 - Golden Hour.mp3"),
           ("Velt", "Night Ferry", "/music/02 - Night Ferry.mp3"),
           ("Kvist", "Ferry Song", "/other/ferry song.mp3"),
           ("Kvist", "Salt Road", "/other/salt road.mp3")]


def run(desk, case, failures):
    playlist = desk.tmp / "all.m3u"
    lines = ["#EXTM3U"]
    for artist, title, path in ENTRIES:
        lines += [f"#EXTINF:200,{artist} - {title}", path]
    playlist.write_text("\n".join(lines) + "\n")
    proc = desk.orvik()
    window = desk.wait_window("^Orvik Finder", proc=proc)
    desk.activate(window)
    desk.key("ctrl+o")
    desk.answer_file_dialog("^Open$", playlist, proc)
    desk.activate(window)
    desk.type("ferry")  # the search box has the focus
    saved = desk.tmp / "found.m3u"
    desk.key("ctrl+s")
    desk.answer_file_dialog("^Save As$", saved, proc)
    desk.wait_for(saved.exists, "the matches to be saved", 10)
    paths = [line for line in saved.read_text().splitlines() if line and line[0] != "#"]
    d.check(sorted(paths) == sorted(p for _, _, p in ENTRIES if "ferry" in p.lower()),
            f"saved {paths}", failures)
    d.ends_cleanly(desk, proc, window, failures, key="ctrl+q")


if __name__ == "__main__":
    d.run_scenario("orvik_search", ["search"], run)

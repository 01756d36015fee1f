#!/usr/bin/env python3
"""Seeds for the fuzzers whose input is more than a file: made from the sample files of
tests/data/corpus.

make_seeds.py writetags OUT    each sample MP3 behind control bytes for several mode pairs,
                               with and without a hard link and a failing write
make_seeds.py sortinglist OUT  sorting lists, M3U and PLS playlists naming the sample files
"""
import pathlib
import sys
import urllib.parse

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = sorted(p for p in (ROOT / "tests/data/corpus").rglob("*") if p.suffix in (".mp3", ".mpga"))


def writetags(out):
    # byte 0: mode pair, byte 1: link/failure/mark bits and title length, bytes 2-3: limit shift
    controls = [
        bytes([2 + 3 * 2, 0x08, 0, 0]),     # write both, short title: in place
        bytes([2 + 3 * 2, 0xF8, 0, 0]),     # write both, long title: rewrite
        bytes([2 + 3 * 1, 0x00, 0, 0]),     # ID3v1 only
        bytes([0 + 3 * 1, 0x00, 0, 0]),     # remove ID3v1, keep ID3v2
        bytes([1 + 3 * 0, 0x00, 0, 0]),     # keep ID3v1, remove ID3v2
        bytes([2 + 3 * 2, 0xFB, 0xFF, 0x80]),  # rewrite of a linked file that fails
        bytes([2 + 3 * 2, 0x0A, 0x00, 0x40]),  # in place, failing past the end
    ]
    for sample in CORPUS:
        data = sample.read_bytes()
        for i, control in enumerate(controls):
            (out / f"{sample.stem}-{i}").write_bytes(control + data)


def sortinglist(out):
    paths = [str(p) for p in CORPUS]
    entries = "".join(f"{pathlib.Path(p).name}     ({pathlib.Path(p).parent}/)\r\n" for p in paths)
    m3u = "#EXTM3U\n" + "".join(
        f"#EXTINF:1,{pathlib.Path(p).stem}\n{p}\n" for p in paths)
    urls = "".join("file://" + urllib.parse.quote(p) + "\n" for p in paths) + "file:///m/a%0Ab.mp3\n"
    relative = "".join(f"../{pathlib.Path(p).name}\n" for p in paths)
    pls = "[playlist]\n" + "".join(
        f"File{i}={p}\nTitle{i}={pathlib.Path(p).stem}\n" for i, p in enumerate(paths, 1)
    ) + f"NumberOfEntries={len(paths)}\n"
    seeds = {"srt": (0, entries), "m3u": (1, m3u), "urls": (1, urls), "relative": (1, relative),
             "pls": (2, pls), "backslash": (0x81, m3u.replace("/", "\\"))}
    for name, (kind, text) in seeds.items():
        (out / name).write_bytes(bytes([kind]) + text.encode("utf-8"))


if __name__ == "__main__":
    target, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    folder.mkdir(parents=True, exist_ok=True)
    {"writetags": writetags, "sortinglist": sortinglist}[target](folder)

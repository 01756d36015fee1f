#!/usr/bin/env python3
"""Writes a tagged collection for the rename comparison: FOLDERS folders of FILES_PER_FOLDER
files, each an ID3v2.3 tag (title, artist, album, track "n/12", 256 bytes of padding), a few
MPEG frames and an ID3v1.1 tag. Usage: make_collection.py ROOT [FOLDERS FILES_PER_FOLDER]"""
import os
import struct
import sys


def syncsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def text_frame(frame_id, text):
    body = b"\x00" + text.encode("latin-1")
    return frame_id + struct.pack(">I", len(body)) + b"\x00\x00" + body


def id3v1(title, artist, album, track, genre):
    def field(text, width):
        return text.encode("latin-1")[:width].ljust(width, b"\x00")
    return (b"TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + b"2001" +
            field("", 28) + b"\x00" + bytes([track, genre]))


def main():
    root = sys.argv[1]
    folders = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    per_folder = int(sys.argv[3]) if len(sys.argv) > 3 else 50
    # MPEG-1 layer III, 128 kbit/s, 44.1 kHz: 417-byte frames.
    audio = (b"\xff\xfb\x90\x00" + b"\x55" * 413) * 8
    for f in range(folders):
        folder = os.path.join(root, "Artist %03d" % f)
        os.makedirs(folder, exist_ok=True)
        for n in range(per_folder):
            track = n % 12 + 1
            title, artist, album = "Song %d" % n, "Artist %03d" % f, "Album %d" % (n // 12)
            frames = (text_frame(b"TIT2", title) + text_frame(b"TPE1", artist) +
                      text_frame(b"TALB", album) + text_frame(b"TRCK", "%d/12" % track))
            body = frames + b"\x00" * 256
            tag = b"ID3\x03\x00\x00" + syncsafe(len(body)) + body
            with open(os.path.join(folder, "file_%04d.mp3" % n), "wb") as out:
                out.write(tag + audio + id3v1(title, artist, album, track, 17))


if __name__ == "__main__":
    main()

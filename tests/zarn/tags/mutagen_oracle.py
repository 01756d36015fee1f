"""Independent reader and writer of ID3 tags for the tag tests (uses mutagen).

read PATH          prints the ID3v2 texts and the ID3v1 fields of PATH as JSON
write PATH V FRAMES  tags PATH as ID3v2.V from FRAMES, a JSON list of [frame id, encoding, text]
"""
import json
import sys

import mutagen.id3 as id3

TEXT_FRAMES = ["TIT2", "TPE1", "TALB", "TYER", "TCON", "TRCK", "TCOM", "TOPE", "TCOP", "TENC"]


def read(path):
    tags = id3.ID3(path, translate=False)
    v2 = {}
    for key in TEXT_FRAMES:
        frame = tags.get(key)
        if frame is not None:
            v2[key] = "\u0000".join(str(t) for t in frame.text)
    comments = tags.getall("COMM")
    if comments:
        v2["COMM"] = "\u0000".join(comments[0].text)
    urls = tags.getall("WXXX")
    if urls:
        v2["WXXX"] = urls[0].url
    v1 = {}
    with open(path, "rb") as f:
        f.seek(-128, 2)
        parsed = id3.ParseID3v1(f.read(128))
    for key, frame in (parsed or {}).items():
        v1[key] = str(frame.text[0])
    return {"version": list(tags.version), "v2": v2, "v1": v1}


def write(path, version, frames):
    tags = id3.ID3()
    for frame_id, encoding, text in frames:
        if frame_id == "COMM":
            tags.add(id3.COMM(encoding=encoding, lang="eng", desc="", text=[text]))
        elif frame_id == "WXXX":
            tags.add(id3.WXXX(encoding=encoding, desc="", url=text))
        else:
            tags.add(getattr(id3, frame_id)(encoding=encoding, text=[text]))
    tags.save(path, v2_version=version, v1=0)


def main():
    if sys.argv[1] == "read":
        print(json.dumps(read(sys.argv[2])))
    else:
        write(sys.argv[2], int(sys.argv[3]), json.loads(sys.argv[4]))


main()

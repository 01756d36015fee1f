"""Independent reader and writer of ID3 tags for the tag tests (uses mutagen).

read PATH              prints the ID3v2 texts and the ID3v1 fields of PATH as JSON
write PATH V FRAMES    tags PATH as ID3v2.V from FRAMES, a JSON list of [frame id, encoding, text]
build PATH V FRAMES    tags PATH as ID3v2.V from FRAMES, a JSON list of [frame id, {attributes}];
                       an attribute {"bytes": n, "seed": s} is n pseudo-random bytes, a list of
                       such frame lists under "sub_frames" makes a CTOC or CHAP
dump PATH              prints every frame of the ID3v2 tag of PATH, keyed by frame, as JSON,
                       without text encodings (a v2.4 frame saved as v2.3 changes those),
                       binary data as a SHA-256; {} when mutagen cannot read the tag
"""
import hashlib
import json
import random
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


def attribute(value):
    if isinstance(value, dict) and "bytes" in value:
        rng = random.Random(value.get("seed", 1))
        return bytes(rng.randrange(256) for _ in range(value["bytes"]))
    return value


def make_frame(frame_id, attributes):
    kwargs = {}
    for name, value in attributes.items():
        if name == "sub_frames":
            sub = id3.ID3Tags()
            for sub_id, sub_attributes in value:
                sub.add(make_frame(sub_id, sub_attributes))
            kwargs[name] = sub
        else:
            kwargs[name] = attribute(value)
    return getattr(id3, frame_id)(**kwargs)


def build(path, version, frames):
    tags = id3.ID3()
    for frame_id, attributes in frames:
        tags.add(make_frame(frame_id, attributes))
    tags.save(path, v2_version=version, v1=0)


def describe(frame):
    out = {}
    for field in frame._framespec + getattr(frame, "_optionalspec", []):
        if field.name == "encoding" or not hasattr(frame, field.name):
            continue
        value = getattr(frame, field.name)
        if isinstance(value, bytes):
            value = "sha256:" + hashlib.sha256(value).hexdigest()
        elif isinstance(value, id3.ID3Tags):
            value = {key: describe(sub) for key, sub in value.items()}
        elif isinstance(value, list):
            value = [str(v) for v in value]
        elif not isinstance(value, (int, str)):
            value = str(value)
        out[field.name] = value
    return out


def dump(path):
    try:
        tags = id3.ID3(path, translate=False, load_v1=False)
    except Exception:  # no tag, or one mutagen refuses: nothing to compare
        return {}
    frames = {key: describe(frame) for key, frame in tags.items()}
    return {"version": list(tags.version), "frames": frames}


def main():
    command = sys.argv[1]
    if command == "read":
        print(json.dumps(read(sys.argv[2])))
    elif command == "write":
        write(sys.argv[2], int(sys.argv[3]), json.loads(sys.argv[4]))
    elif command == "build":
        build(sys.argv[2], int(sys.argv[3]), json.loads(sys.argv[4]))
    else:
        print(json.dumps(dump(sys.argv[2])))


main()

#!/usr/bin/env python3
"""Fails when an include runs against the layering of zarn/.

The floors, from the ground up; a folder may include itself and the folders listed for it:

    shell     (ground: text, settings, options, list entries, file operations, prompts, progress)
    tags      shell
    names     shell, tags
    editing   shell, tags, names
    sort      shell, tags, names
    fromtext  shell, tags, names, editing
    extras    shell, tags
    batch     shell, tags, names, editing, sort (the batch commands reuse the windows' core)
    app       every folder (the main window composes the subsystems)
    zarn/     app, names, batch, shell: the main functions (main.cpp, the whole program; on Linux
              also frontmain.cpp, the command-line front that hands the windows over to it)

Besides that:
- only zarn/app and the main window's own tests (tests/zarn/app) include frmzarn.h;
- a core file (one not listed among zarn_gui's sources in its folder's CMakeLists.txt) includes
  no Qt header outside QtCore;
- nothing in zarn/ finds a widget by its name string (findChild / findChildren).

Usage: check_layering.py SOURCE_DIR QT_CORE_INCLUDE_DIRS... (the one named QtCore is used)
"""
import pathlib
import re
import sys

ALLOWED = {
    "shell": {"shell"},
    "tags": {"shell", "tags"},
    "names": {"shell", "tags", "names"},
    "editing": {"shell", "tags", "names", "editing"},
    "sort": {"shell", "tags", "names", "sort"},
    "fromtext": {"shell", "tags", "names", "editing", "fromtext"},
    "extras": {"shell", "tags", "extras"},
    "batch": {"shell", "tags", "names", "editing", "sort", "batch"},
    "app": {"shell", "tags", "names", "editing", "sort", "fromtext", "extras", "app"},
    "": {"", "app", "names", "batch", "shell"},  # zarn/ itself: the programs' main functions
}
MAIN_WINDOW = "zarn/app/frmzarn.h"
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SYSTEM_INCLUDE = re.compile(r"^\s*#\s*include\s+<([^>]+)>", re.M)
GUI_SOURCES = re.compile(r"target_sources\(\s*zarn_gui\s+PRIVATE([^)]*)\)", re.S)
FIND_BY_NAME = re.compile(r"\bfindChild(ren)?\s*<")


def folder_of(path: pathlib.Path, root: pathlib.Path) -> str:
    parts = path.relative_to(root / "zarn").parts
    return parts[0] if len(parts) > 1 else ""


def gui_files(root: pathlib.Path) -> set:
    """Paths (relative to root) of the files listed as zarn_gui sources."""
    files = set()
    for cmake in (root / "zarn").rglob("CMakeLists.txt"):
        for block in GUI_SOURCES.findall(cmake.read_text()):
            for name in block.split():
                stem = (cmake.parent / name).relative_to(root).with_suffix("")
                files.update({str(stem) + ".h", str(stem) + ".cpp"})
    return files


def qt_core_header(name: str, qtcore: pathlib.Path) -> bool:
    if name.startswith("QtCore/"):
        return True
    return (qtcore / name).exists()


def main() -> int:
    root = pathlib.Path(sys.argv[1]).resolve()
    qtcore = next((pathlib.Path(d) for d in sys.argv[2:] if pathlib.Path(d).name == "QtCore"), None)
    if qtcore is None or not (qtcore / "QString").exists():
        print("no QtCore include folder among the arguments")
        return 2
    gui = gui_files(root)
    faults = []
    sources = sorted(p for p in (root / "zarn").rglob("*") if p.suffix in (".h", ".cpp"))
    for path in sources:
        rel = str(path.relative_to(root))
        text = path.read_text(encoding="utf-8", errors="replace")
        folder = folder_of(path, root)
        allowed = ALLOWED.get(folder)
        if allowed is None:
            faults.append(f"{rel}: the folder zarn/{folder} has no place in the layering")
            continue
        for include in PROJECT_INCLUDE.findall(text):
            if not include.startswith("zarn/"):
                continue
            target = include.split("/")
            target_folder = target[1] if len(target) > 2 else ""
            if include == MAIN_WINDOW and folder != "app":
                faults.append(f"{rel}: includes {include}; only zarn/app may")
            elif target_folder not in allowed:
                faults.append(f"{rel}: zarn/{folder} may not include {include}")
        if rel not in gui:
            for include in SYSTEM_INCLUDE.findall(text):
                if include.startswith("Q") and not qt_core_header(include, qtcore):
                    faults.append(f"{rel}: a core file includes <{include}>")
        if FIND_BY_NAME.search(text):
            faults.append(f"{rel}: finds a widget by its name")
    for path in sorted((root / "tests").rglob("*")):
        if path.suffix not in (".h", ".cpp") or "tests/zarn/app" in str(path.relative_to(root)):
            continue
        if MAIN_WINDOW in PROJECT_INCLUDE.findall(path.read_text(errors="replace")):
            faults.append(f"{path.relative_to(root)}: includes {MAIN_WINDOW} outside tests/zarn/app")
    for fault in faults:
        print(fault)
    print(f"{len(sources)} files checked, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

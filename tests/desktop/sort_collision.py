""""Sort All Now!" into a target folder that already holds one of the names, "If file exists:
Prompt", answered Yes, No and Cancel: the program keeps running and shows its main window again,
every other file is sorted, and the file in the way is replaced, or left, or left."""

import sys

import desktop as d

NAMES = ["a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"]
IN_THE_WAY = "c.mp3"  # in the middle, so that files are left to sort after the question
COPY, MOVE = 0, 1

# answer, key, method, whether the file in the way is replaced
RUNS = [("yes", "alt+y", MOVE, True),
        ("no", "alt+n", COPY, False),
        ("cancel", "Escape", MOVE, False)]


def run(desk, answer, key, method, replaces, failures):
    source, target = desk.tmp / f"{answer}-source", desk.tmp / f"{answer}-target"
    source.mkdir()
    target.mkdir()
    for name in NAMES:
        (source / name).write_bytes(d.audio(12, name))
    (target / IN_THE_WAY).write_bytes(d.audio(5, "already there"))
    sources = {name: d.sha256(source / name) for name in NAMES}
    there_before = d.sha256(target / IN_THE_WAY)
    desk.settings(Move=method, TargetDir=target, FileExists=0, Convert=0, Genre=0,
                  Alphabetical=0, SubFolder=0)

    proc = desk.zarn("--add", source, log=answer)
    window = desk.wait_window(d.MAIN_TITLE, proc=proc)
    desk.activate(window)
    desk.key("alt+f", "s")  # File, "Sort All Files"
    question = desk.wait_window("^Zarn$", proc=proc)
    desk.activate(question)
    desk.key(key)
    # The main window comes back when the run is over; the program must still be there.
    try:
        window = desk.wait_window(d.MAIN_TITLE, proc=proc, timeout=15)
    except d.Failure as error:
        failures.append(f"{answer}: {error}")
        window = None

    def sorted_as_told():
        return all((target / name).exists() for name in NAMES) and all(
            (source / name).exists() == (method == COPY or name == IN_THE_WAY and not replaces)
            for name in NAMES)

    try:
        desk.wait_for(sorted_as_told, "the files to be sorted", 10 if window else 0)
    except d.Failure:
        pass  # the checks below name the files
    for name in NAMES:
        moved_away = method == MOVE and (name != IN_THE_WAY or replaces)
        d.check((source / name).exists() != moved_away,
                f"{answer}: {source.name}/{name} " + ("is still there" if moved_away
                                                      else "is gone"), failures)
        if name == IN_THE_WAY:
            expected = sources[name] if replaces else there_before
            d.check(d.sha256(target / name) == expected,
                    f"{answer}: {target.name}/{name} was " +
                    ("not replaced" if replaces else "replaced"), failures)
        else:
            d.check((target / name).exists() and d.sha256(target / name) == sources[name],
                    f"{answer}: {name} did not arrive whole in the target folder", failures)
    if window:
        status = d.end_program(desk, proc, window)
        d.check(status == 0, f"{answer}: the program ended with status {status}", failures)


def main():
    d.run_cases("sort_collision", RUNS, lambda desk, case, failures: run(desk, *case, failures))


if __name__ == "__main__":
    sys.exit(d.main(main))

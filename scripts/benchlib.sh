# Shared by the command-line benchmarks: a scratch folder with its own settings (removed on exit),
# no display, and `measure`. Source it after `cd` to the repository root.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config ZARN_HOME=$work/home XDG_STATE_HOME=$work/state
mkdir -p "$ZARN_HOME"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# Runs a command and prints "elapsed_ms cpu_ms".
measure() {
  local TIMEFORMAT='%R %U %S' times
  times=$({ time "$@" >/dev/null; } 2>&1 | tail -1)
  awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }' <<<"$times"
}

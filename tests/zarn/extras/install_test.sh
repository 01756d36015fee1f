#!/usr/bin/env bash
# Installs the built programs into a temporary prefix, then checks them as a desktop would:
# the installed zarn runs, both desktop entries validate, the icons and the manual are there,
# and a first run seeds the per-user folder from the installed copies.
set -euo pipefail
build="$1"
if ! command -v desktop-file-validate >/dev/null; then
  echo "SKIP: desktop-file-validate is not installed (package desktop-file-utils)"
  exit 77
fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
for f in bin/zarn bin/zarn-window bin/orvik \
         share/zarn/zarn.txt share/zarn/inpattern.txt share/zarn/outpattern.txt \
         share/applications/zarn.desktop share/applications/orvik.desktop \
         share/icons/hicolor/scalable/apps/zarn.svg share/icons/hicolor/scalable/apps/orvik.svg; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done

unset ZARN_HOME
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/data" XDG_CONFIG_HOME="$tmp/home/config"
"$prefix/bin/zarn" --help | grep -q "+rename=" || fail "the installed zarn --help printed no usage"

desktop-file-validate "$prefix/share/applications/zarn.desktop" \
  "$prefix/share/applications/orvik.desktop" || fail "desktop-file-validate refused an entry"
grep -q '^MimeType=.*audio/mpeg;' "$prefix/share/applications/zarn.desktop" \
  || fail "zarn.desktop does not offer itself for MP3 files"
grep -q '^MimeType=.*audio/x-mpegurl;.*audio/x-scpls;' "$prefix/share/applications/orvik.desktop" \
  || fail "orvik.desktop does not offer itself for M3U and PLS playlists"

# Renaming from the command line reads replaces.txt through the program folder, which for an
# installed program is the per-user folder, seeded from share/zarn.
"$prefix/bin/zarn" "+rename=%artist.mp3" "$tmp/missing.mp3" >/dev/null 2>&1 || true
for f in zarn.txt inpattern.txt outpattern.txt; do
  cmp -s "$prefix/share/zarn/$f" "$XDG_DATA_HOME/Zarn/$f" || fail "$f was not seeded into the user's folder"
done
[ ! -e "$prefix/bin/replaces.txt" ] || fail "the installed program wrote into its bin folder"
echo "installed and validated in $prefix"

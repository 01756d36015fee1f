#!/usr/bin/env bash
# The Debian package as a system gets it: made by CPack from the build's install rules (the one
# package build of a CI run), unpacked with dpkg-deb -x, and every file checked where the system
# looks for it: desktop entries and AppStream entries validate, both manual pages render without
# a warning, bash completes "zarn --s", the dependencies come from the programs, and lintian
# finds no error. A check whose tool is not installed is skipped, and then so is the test.
#
# usage: package_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build="$1"
work="$2"
for tool in cpack dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*"; exit 1; }
skipped=()
have() { command -v "$1" >/dev/null || { echo "skipped: $1 is not installed"; skipped+=("$1"); false; }; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/zarn_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made ${debs[*]}"
deb="${debs[0]}"
root="$work/root"
dpkg-deb -x "$deb" "$root"

for f in bin/zarn bin/zarn-window bin/orvik \
         share/zarn/zarn.txt share/zarn/inpattern.txt share/zarn/outpattern.txt \
         share/applications/zarn.desktop share/applications/orvik.desktop \
         share/icons/hicolor/scalable/apps/zarn.svg share/icons/hicolor/scalable/apps/orvik.svg \
         share/metainfo/org.example.zarn.metainfo.xml share/metainfo/org.example.orvik.metainfo.xml \
         share/man/man1/zarn.1.gz share/man/man1/orvik.1.gz share/man/man1/zarn-window.1.gz \
         share/bash-completion/completions/zarn share/bash-completion/completions/orvik \
         share/zsh/vendor-completions/_zarn share/zsh/vendor-completions/_orvik \
         share/doc/zarn/copyright share/doc/zarn/changelog.gz; do
  [ -f "$root/usr/$f" ] || fail "/usr/$f is not in the package"
done
# Nothing outside /usr, and no test data (the corpus files must not ship).
outside=$(cd "$root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[ -z "$outside" ] || fail "the package installs outside /usr: $outside"
! dpkg-deb -c "$deb" | grep -q -i 'corpus\|test' || fail "the package holds test files"

version=$(dpkg-deb -f "$deb" Version)
[ "$("$root/usr/bin/zarn" --version)" = "zarn $version (Pelmora 1.1)" ] \
  || fail "zarn --version does not say $version: $("$root/usr/bin/zarn" --version)"
[ "$("$root/usr/bin/orvik" --version)" = "orvik $version" ] || fail "orvik --version"
grep -q "release version=\"$version\"" "$root/usr/share/metainfo/org.example.zarn.metainfo.xml" \
  || fail "the AppStream release is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6widgets6 libqt6multimedia6 libc6 qt6-qpa-plugins; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

if have desktop-file-validate; then
  desktop-file-validate "$root/usr/share/applications/zarn.desktop" \
    "$root/usr/share/applications/orvik.desktop" || fail "desktop-file-validate"
fi
if have appstreamcli; then
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml || fail "appstreamcli validate"
fi
if have man; then
  for page in zarn orvik zarn-window; do
    # zarn-window's page points at zarn's, found through the unpacked tree's manual folder.
    warnings=$(cd "$root/usr/share/man" && LC_ALL=C.UTF-8 MANWIDTH=80 \
      man --warnings=w -l "man1/$page.1.gz" 2>&1 >"$work/$page.txt") || fail "man -l $page"
    [ -z "$warnings" ] || fail "man -l $page warned: $warnings"
    grep -q "SYNOPSIS" "$work/$page.txt" || fail "man -l $page rendered no page"
  done
fi
if [ -f /usr/share/bash-completion/bash_completion ]; then
  completed=$(bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    COMP_WORDS=(zarn --s); COMP_CWORD=1; COMP_LINE="zarn --s"; COMP_POINT=${#COMP_LINE}
    _zarn zarn --s zarn
    printf "%s " "${COMPREPLY[@]}"' _ "$root/usr/share/bash-completion/completions/zarn")
  [ "$completed" = "--set --sort " ] || fail "zarn --s completed to \"$completed\""
else
  echo "skipped: bash-completion is not installed"; skipped+=(bash-completion)
fi
# zsh is no dependency of the build; where it is installed, the completions must at least parse.
if command -v zsh >/dev/null; then
  for f in "$root"/usr/share/zsh/vendor-completions/_*; do zsh -n "$f" || fail "zsh -n $f"; done
fi
if have lintian; then
  lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 \
    || { cat "$work/lintian.txt"; fail "lintian found errors"; }
  cat "$work/lintian.txt"
fi
if [ ${#skipped[@]} -gt 0 ]; then
  echo "SKIP: not installed: ${skipped[*]} (scripts/deps.sh installs them)"
  exit 77
fi
echo "$deb: unpacked and checked"

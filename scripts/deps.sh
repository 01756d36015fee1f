#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need (only what is missing).
set -euo pipefail
# qt6-multimedia-dev plays through GStreamer: plugins-base brings playbin, plugins-good the MP3
# parser and decoder (mpegaudioparse, mpg123) and the PulseAudio sink. xdg-utils opens the manual
# in the user's text editor; desktop-file-utils checks the desktop entries. The desktop tests run
# the programs on a virtual display (xvfb) with a window manager (openbox), type with xdotool,
# find windows with xprop (x11-utils), take screenshots with import (imagemagick) and put a
# track list on the clipboard with xclip. The package
# test makes the Debian package (dpkg-dev: dpkg-shlibdeps, file for CPack's stripping) and checks
# it with appstream, man-db and groff-base (manual pages), bash-completion and lintian.
packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev python3 python3-mutagen
          qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
          xdg-utils desktop-file-utils
          xvfb openbox xdotool x11-utils imagemagick xclip
          dpkg-dev file appstream man-db groff-base bash-completion lintian)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

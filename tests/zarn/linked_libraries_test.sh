#!/usr/bin/env bash
# Fails when the program links a Qt library that only windows need: the command-line front must
# start on Qt Core alone. Prints "links NAME" for each such library it finds.
# Usage: linked_libraries_test.sh PROGRAM
set -euo pipefail
program="$1"
needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
# A reading that found nothing proves nothing.
grep -q '^libQt6Core\.so' <<<"$needed" || { echo "FAIL: $program needs no libQt6Core"; exit 1; }
found=0
for library in $(grep -E '^libQt6(Widgets|Gui|Multimedia)[^.]*\.so' <<<"$needed" || true); do
  echo "$program links $library"
  found=1
done
[ "$found" -eq 0 ] && echo "$program needs only: $(tr '\n' ' ' <<<"$needed")"
exit "$found"

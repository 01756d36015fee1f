#!/usr/bin/env bash
# Every option the built zarn's usage texts name (the general one and each command's) is in
# the manual page and in both shell completions, so that neither falls behind the program.
#
# usage: options_documented_test.sh ZARN SOURCE_DIR
set -euo pipefail
zarn="$1"
source_dir="$2"
usage=$("$zarn" --help; for command in --list --set --fix --sort; do "$zarn" $command --help; done)
options=$(grep -o -E -- '(^|[ [|])(--[a-z][a-z0-9-]*=?|\+[a-z]+=)' <<<"$usage" \
  | sed 's/^[ [|]//' | sort -u)
[ "$(wc -l <<<"$options")" -gt 20 ] || { echo "FAIL: too few options read: $options"; exit 1; }
# The page writes a hyphen as "\-".
page=$(sed 's/\\-/-/g' "$source_dir/zarn/data/zarn.1")
missing=0
for option in $options; do
  for where in page "$source_dir/zarn/data/completion/zarn.bash" \
               "$source_dir/zarn/data/completion/_zarn"; do
    if [ "$where" = page ]; then text=$page; else text=$(<"$where"); fi
    # A value option ("--format=") may stand without its "=" where the value is split off.
    if ! grep -q -F -e "$option" -e "${option%=}" <<<"$text"; then
      echo "FAIL: $option is not in $where"
      missing=1
    fi
  done
done
[ $missing -eq 0 ] && echo "$(wc -l <<<"$options") options documented and completed"
exit $missing

#!/usr/bin/env bash
# Runs every scripted session NAME.in through quillora-headless and compares the
# output with NAME.out. The first line of NAME.in may hold "#args: ..." for the driver.
set -uo pipefail
driver=$1
dir=$2
failed=0
for script in "$dir"/*.in; do
  name=$(basename "$script" .in)
  args=()
  first=$(head -n 1 "$script")
  if [[ $first == '#args: '* ]]; then
    eval "args=(${first#'#args: '})"
  fi
  actual=$(grep -v '^#args: ' "$script" | "$driver" "${args[@]}" 2>&1)
  if [[ "$actual" == "$(cat "$dir/$name.out")" ]]; then
    echo "ok $name"
  else
    echo "FAILED $name"
    diff <(printf '%s\n' "$actual") "$dir/$name.out"
    failed=1
  fi
done
exit $failed

#!/usr/bin/env bash
# run-inputs.sh <fuzz target> <folder>...
# Runs the target once on every file of the folders (its seed corpus and its saved crash inputs)
# and does no fuzzing, so the result is the same on every run. Inputs are passed as files, not
# folders, so libFuzzer never writes into the repository. A crash, a leak, an input that runs
# longer than the time limit or a sanitizer report makes the target exit non-zero.
set -euo pipefail
target=$1
shift
inputs=()
for folder in "$@"; do
  [ -d "$folder" ] || continue
  while IFS= read -r -d '' file; do
    inputs+=("$file")
  done < <(find "$folder" -type f ! -name '.*' -print0 | sort -z)
done
if [ ${#inputs[@]} -eq 0 ]; then
  echo "no inputs in: $*" >&2
  exit 1
fi
exec "$target" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 "${inputs[@]}"

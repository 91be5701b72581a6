#!/usr/bin/env bash
# tools/check-format.sh [source-root]
# Checks that every C++ source and header of the project reads as clang-format writes it with the
# project's .clang-format; names each file that does not. `clang-format -i <file>` mends one.
# The authored data under assets/ and the fuzz corpus are not code, and build/ is not ours.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "clang-format is not installed (tools/ensure-deps.sh test installs it)" >&2
  exit 1
fi

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print |
                       sed 's#^\./##')
fi

checked=()
for f in "${files[@]}"; do
  case "$f" in
  assets/* | fuzz/corpus/* | build/*) continue ;;
  esac
  [ -f "$f" ] && checked+=("$f")
done

# One clang-format for many files: its start is most of its time. Each file it would change is
# named in a warning of its own.
mapfile -t unformatted < <(printf '%s\0' "${checked[@]}" |
  xargs -0 -n 100 -P "$(nproc)" "$format" --dry-run 2>&1 |
  sed -n -E 's#^([^:]+):[0-9]+:[0-9]+: (warning|error): code should be clang-formatted.*#\1#p' |
  sort -u)

if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (clang-format -i <file> mends it):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi

#!/usr/bin/env bash
# The program's folders in layers, lowest first. A folder may include and link only folders listed
# before it (and itself); a lower layer reaches an upper one through a hub signal or an installed
# hook. tests/, fuzz/, bench/ and tools/ may use any layer and are not checked.
# Usage: tools/check-layers.sh [<source root>]; prints each breach and exits 1 when there is one.
set -euo pipefail
layers=(
  core/record   # the device record: the standard library only
  platform      # operating-system services and the simulated device library (platform/devicelib)
  core          # start-up, device state, hub, device link, stores, language tables
  shell/widgets # the theme and the custom widgets
  shell/dialogs # the notice frame and the shared notices and message dialogs
  sensor        # the pages, each using only pages before it
  macro
  buttons       # page/ and options/: one class over two folders, one library
  lighting
  settings      # hosts the lighting page's light-mode dialog
  shell         # main window, home page, device page
  app           # the program entry
)

root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"

sources=$(find "${layers[@]}" -type f \( -name '*.cpp' -o -name '*.h' -o -name CMakeLists.txt \) | sort -u)
# Every library a folder defines (zr35_folder_library) and the folder it is defined in.
libraries=$(grep -H -oE 'zr35_folder_library\([a-z0-9_]+' $(grep -l zr35_folder_library $sources) |
            sed -E 's#/CMakeLists.txt:zr35_folder_library\(# #')

# One pass over the include lines and the CMake lists: a file's folder is the longest listed folder
# that holds it; an include names the folder its path starts with; a CMake list names libraries.
grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/|zr35_[a-z_]+' $sources |
awk -v layers="${layers[*]}" -v libraries="$libraries" '
  BEGIN {
    n = split(layers, layer, " ")
    count = split(libraries, pairs, "\n")
    for (i = 1; i <= count; i++) { split(pairs[i], p, " "); library[p[2]] = p[1] "/" }
    failed = 0
  }
  function layer_of(path,   i, best, len) {
    best = 0; len = 0
    for (i = 1; i <= n; i++)
      if (index(path, layer[i] "/") == 1 && length(layer[i]) > len) { best = i; len = length(layer[i]) }
    return best
  }
  {
    file = $0; sub(/:.*/, "", file)
    rest = substr($0, length(file) + 2)
    line = rest; sub(/:.*/, "", line)
    text = substr(rest, length(line) + 2)
    own = layer_of(file)
    if (file ~ /CMakeLists\.txt$/) {
      while (match(text, /zr35_[a-z_]+/)) {
        name = substr(text, RSTART, RLENGTH); text = substr(text, RSTART + RLENGTH)
        if (!(name in library)) continue # not a library (the folder function, assets, pictures)
        to = layer_of(library[name])
        if (to > own) { printf "%s:%s: %s/ links %s of %s/, a later layer\n", file, line, layer[own], name, layer[to]; failed = 1 }
      }
      next
    }
    if (text !~ /^[ \t]*#[ \t]*include/) next
    target = text; sub(/^[^"]*"/, "", target); sub(/".*/, "", target)
    to = layer_of(target)
    if (to == 0) { printf "%s:%s: %s/ includes %s, from a folder the layers do not list\n", file, line, layer[own], target; failed = 1 }
    else if (to > own) { printf "%s:%s: %s/ includes %s/ (%s), a later layer\n", file, line, layer[own], layer[to], target; failed = 1 }
  }
  END {
    if (!failed) print "Every folder includes and links only its own layer and those below it."
    exit failed
  }'

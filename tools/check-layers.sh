#!/usr/bin/env bash
# The program's folders in layers, lowest first. A folder may include and link only folders listed
# before it (and itself); a lower layer reaches an upper one through a hub signal or an installed
# hook. tests/, fuzz/, bench/ and tools/ may use any layer and are not checked.
# Below shell/widgets only platform/desktop may use Qt Widgets, and so may no page's model folder:
# the device side, core/ and the models build without the GUI.
# Usage: tools/check-layers.sh [<source root>]; prints each breach and exits 1 when there is one.
# The Qt Widgets headers are those of the folder ZR35_QT_WIDGETS_HEADERS names, or else of the
# QtWidgets folder pkg-config or qmake report.
set -euo pipefail
layers=(
  core/record      # the device record: the standard library only
  platform         # operating-system services and the simulated device library (platform/devicelib)
  core             # start-up, device state, hub, device link, stores, language tables
  platform/desktop # the desktop's services for the GUI: screen, keys, links, file dialogs
  shell/widgets    # the theme and the custom widgets
  shell/dialogs    # the notice frame and the shared notices and message dialogs
  sensor           # the pages, each using only pages before it
  macro
  buttons          # page/ and options/: one class over two folders, one library
  lighting
  settings         # hosts the lighting page's light-mode dialog
  shell            # main window, home page, device page
  app              # the program entry
)
# The pages' widget-free models: libraries of their own that the fuzz targets link.
models=(sensor/model macro/model buttons/model)

root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$root"

widgets_dir="${ZR35_QT_WIDGETS_HEADERS:-}"
if [[ -z "$widgets_dir" ]]; then
  qt_headers=$(pkg-config --variable=includedir Qt5Widgets 2>/dev/null ||
               qmake -query QT_INSTALL_HEADERS 2>/dev/null || true)
  widgets_dir="$qt_headers/QtWidgets"
fi
if [[ ! -d "$widgets_dir" ]]; then
  echo "The Qt Widgets headers were not found; set ZR35_QT_WIDGETS_HEADERS to their folder." >&2
  exit 2
fi
widgets_headers=$(ls "$widgets_dir")

present=()
for folder in "${layers[@]}"; do
  if [[ -d "$folder" ]]; then present+=("$folder"); fi
done
sources=$(find "${present[@]}" -type f \( -name '*.cpp' -o -name '*.h' -o -name CMakeLists.txt \) |
          sort -u)
if [[ -z "$sources" ]]; then
  echo "No folder of the layers holds a source."
  exit 0
fi
# Every library a folder defines (zr35_folder_library) and the folder it is defined in.
libraries=$({ grep -H -oE 'zr35_folder_library\([a-z0-9_]+' $sources || true; } |
            sed -E 's#/CMakeLists.txt:zr35_folder_library\(# #')

# One pass over the include lines and the CMake lists: a file's folder is the longest listed folder
# that holds it; an include names the folder its path starts with; a CMake list names libraries.
# An include in angle brackets names a folder of ours only when its path starts with one (the rest
# are the system's and Qt's headers).
{ grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]|zr35_[a-z_]+|Qt5::Widgets' $sources ||
  true; } |
awk -v layers="${layers[*]}" -v models="${models[*]}" -v libraries="$libraries" \
    -v widgets="$widgets_headers" '
  BEGIN {
    n = split(layers, layer, " ")
    for (i = 1; i <= n; i++) {
      top = layer[i]; sub(/\/.*/, "", top); ours[top] = 1
      if (layer[i] == "shell/widgets") gui = i
      if (layer[i] == "platform/desktop") desktop = i
    }
    m = split(models, model, " ")
    count = split(libraries, pairs, "\n")
    for (i = 1; i <= count; i++) { split(pairs[i], p, " "); library[p[2]] = p[1] "/" }
    count = split(widgets, names, "\n")
    for (i = 1; i <= count; i++) widget_header[names[i]] = 1
    failed = 0
  }
  function layer_of(path,   i, best, len) {
    best = 0; len = 0
    for (i = 1; i <= n; i++)
      if (index(path, layer[i] "/") == 1 && length(layer[i]) > len) { best = i; len = length(layer[i]) }
    return best
  }
  # Whether a file must build without Qt Widgets.
  function widget_free(file, own,   i) {
    for (i = 1; i <= m; i++) if (index(file, model[i] "/") == 1) return 1
    return own < gui && own != desktop
  }
  function is_widgets(target,   name) {
    name = target
    if (sub(/^QtWidgets\//, "", name)) return 1
    return name in widget_header
  }
  {
    file = $0; sub(/:.*/, "", file)
    rest = substr($0, length(file) + 2)
    line = rest; sub(/:.*/, "", line)
    text = substr(rest, length(line) + 2)
    own = layer_of(file)
    if (file ~ /CMakeLists\.txt$/) {
      if (text ~ /Qt5::Widgets/ && widget_free(file, own)) {
        printf "%s:%s: %s/ links Qt Widgets, which only platform/desktop/ may below shell/widgets/\n", file, line, layer[own]; failed = 1
      }
      while (match(text, /zr35_[a-z_]+/)) {
        name = substr(text, RSTART, RLENGTH); text = substr(text, RSTART + RLENGTH)
        if (!(name in library)) continue # not a library (the folder function, assets, pictures)
        to = layer_of(library[name])
        if (to > own) { printf "%s:%s: %s/ links %s of %s/, a later layer\n", file, line, layer[own], name, layer[to]; failed = 1 }
      }
      next
    }
    if (text !~ /^[ \t]*#[ \t]*include/) next
    target = text; sub(/^[^"<]*["<]/, "", target); sub(/[">].*/, "", target)
    angled = text ~ /^[^"<]*</
    if (is_widgets(target)) {
      if (widget_free(file, own)) {
        printf "%s:%s: %s/ includes the Qt Widgets header %s, which only platform/desktop/ may below shell/widgets/\n", file, line, layer[own], target; failed = 1
      }
      next
    }
    if (target !~ /\//) next # a header of its own folder or a generated one
    top = target; sub(/\/.*/, "", top)
    if (angled && !(top in ours)) next
    to = layer_of(target)
    if (to == 0) { printf "%s:%s: %s/ includes %s, from a folder the layers do not list\n", file, line, layer[own], target; failed = 1 }
    else if (to > own) { printf "%s:%s: %s/ includes %s/ (%s), a later layer\n", file, line, layer[own], layer[to], target; failed = 1 }
  }
  END {
    if (!failed) print "Every folder includes and links only its own layer and those below it."
    exit failed
  }'

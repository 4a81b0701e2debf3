#!/usr/bin/env bash
# Takes docs/screenshot.png: the viewer on a virtual display with the bundled
# example open and the normal modes and the dipole derivative shown, beside
# the spectrum preview (which opens centred over the view, so it is taken in a
# second run and set next to the first). Needs a built viewer (./run.sh or a
# cmake build), xvfb-run, xwininfo and ImageMagick (scripts/packages.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
viewer="${KALVIRO_VIEWER:-}"
if [ -z "$viewer" ]; then
  for candidate in build-release/src/app/kalviro build/src/app/kalviro; do
    if [ -x "$candidate" ]; then viewer="$candidate"; break; fi
  done
fi
if [ -z "$viewer" ]; then
  echo "No viewer built; run ./run.sh or build with cmake first." >&2
  exit 1
fi
out="${1:-docs/screenshot.png}"
mkdir -p "$(dirname "$out")"

# A private configuration and runtime folder: no recent files of the user,
# and no running viewer that would take the file over.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/config" "$scratch/runtime"
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
export VIEWER="$viewer" SCRATCH="$scratch"

# shot COMMANDS WINDOW-TITLE OUTPUT: starts the viewer on the example, runs the
# view commands, waits for the window and saves it (the whole screen region
# of the main window and the data selection dialog when the title is KALVIRO).
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  shot() {
    KALVIRO_COMMANDS="$1" "$VIEWER" examples/formaldehyde_opt_freq.log &
    local pid=$!
    local id=""
    for _ in $(seq 1 100); do
      id=$(xwininfo -root -tree 2>/dev/null | grep "\"$2\":" | awk "{print \$1}" | head -1 || true)
      if [ -n "$id" ]; then break; fi
      sleep 0.2
    done
    sleep 1.5 # let every window finish drawing
    if [ "$2" = KALVIRO ]; then
      # The frame and the data selection dialog beside it.
      local geo
      geo=$(xwininfo -id "$id" | awk "/Absolute upper-left X/{x=\$NF} /Absolute upper-left Y/{y=\$NF} END{print x, y}")
      set -- "$@" $geo
      import -window root -crop "930x620+$4+$5" +repage "$3"
    else
      import -window "$id" "$3"
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  }
  # Modes (32786) and dipole derivative (32789) shown, then fitted again
  # with the arrows (32880).
  shot "32786 32789 32880" KALVIRO "$SCRATCH/view.png"
  # The same, then the spectrum (32840).
  shot "32786 32789 32880 32840" "相対強度の表示(プレビュー)" "$SCRATCH/preview.png"
'
convert "$scratch/view.png" "$scratch/preview.png" -background black -gravity north +append "$out"
echo "Wrote $out"

#!/usr/bin/env bash
# Installs what is missing, builds a release build and opens FILE (or the
# bundled example) in the viewer. Without a display, or before the viewer is
# built, it runs the batch commands on the file instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKALVIRO_BUILD_TESTS=OFF \
  -DKALVIRO_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j2
file="${1:-examples/formaldehyde_opt_freq.log}"
viewer=build-release/src/app/kalviro
if [ -x "$viewer" ] && [ -n "${DISPLAY:-}" ]; then
  exec "$viewer" "$file"
fi
if [ ! -x "$viewer" ]; then
  echo "The viewer is not built yet; showing what kalviro-cli reads from $file:"
else
  echo "No display; showing what kalviro-cli reads from $file:"
fi
build-release/src/kalviro-cli dump --summary "$file"
build-release/src/kalviro-cli dump "$file"

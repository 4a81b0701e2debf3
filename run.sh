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
  echo "The viewer is not built; running the batch commands on $file instead."
else
  echo "No display; running the batch commands on $file instead."
fi
cli=build-release/src/kalviro-cli
mkdir -p out
"$cli" dump "$file" > out/dump.json
"$cli" ir "$file" -o out/ir.csv
"$cli" ir "$file" --by-symmetry -o out/irsorted.csv || true
"$cli" coords "$file" -o out/default.txt
if "$cli" spectrum "$file" -o out/IRSpec.csv 2>/dev/null; then
  "$cli" projection "$file" --axis x -o out/projection-x.csv
  "$cli" projection "$file" --axis z -o out/projection-z.csv
  "$cli" plot "$file" --kind spectrum -o out/spectrum.svg
  "$cli" plot "$file" --kind z -o out/projection-z.svg
fi
if command -v xvfb-run >/dev/null; then
  xvfb-run -a "$cli" render "$file" -o out/picture.png --show modes,dipole,numbers || true
fi
echo "Wrote:"
ls -1 out | sed 's/^/  out\//'

#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then builds
# everything again with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs the tests that need no display and the tests of the desktop window (the
# command storm, under Xvfb) once more; then runs each fuzz target a minute.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
# Tests labelled gl and gui need a display; Xvfb gives them one.
(cd build && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 "$@")

if [ "${KALVIRO_SKIP_SANITIZERS:-0}" != "1" ]; then
  echo "== Sanitizer build (address, undefined) =="
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKALVIRO_SANITIZE=ON \
    -DKALVIRO_BUILD_GUI=ON -DKALVIRO_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan -j2
  # GTK, fontconfig and Mesa keep caches until exit; lsan.supp names those
  # libraries and nothing of ours.
  export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS="suppressions=$(pwd)/tests/support/lsan.supp:print_suppressions=0"
  (cd build-asan && ctest --output-on-failure -j2 -L 'unit|corpus')
  echo "== The desktop window under the sanitizers: command storm and gui tests =="
  (cd build-asan && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 -L gui)
  unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
fi

if [ "${KALVIRO_SKIP_FUZZ:-0}" != "1" ]; then
  echo "== Fuzz targets, 60 seconds each =="
  # A fixed seed, so that a run repeats what earlier runs explored.
  FUZZ_SEED=1 scripts/fuzz.sh 60
fi

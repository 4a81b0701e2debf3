#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then builds
# the tests that need no display with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them again, and does the same for the
# tests of the desktop window (the command storm) under Xvfb.
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
    -DKALVIRO_BUILD_GUI=OFF -DKALVIRO_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan -j2
  (cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j2 -L 'unit|corpus')

  echo "== The desktop window under the sanitizers: command storm and gui tests =="
  # Only the window tests' program is built in this folder. GTK, fontconfig
  # and Mesa keep caches until exit; lsan.supp names those libraries and
  # nothing of ours.
  cmake -S . -B build-asan-gui -DCMAKE_BUILD_TYPE=Debug -DKALVIRO_SANITIZE=ON \
    -DKALVIRO_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan-gui -j2 --target kalviro_app_gui_tests
  suppressions="$(pwd)/tests/support/lsan.supp"
  (cd build-asan-gui && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=0" \
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 -L gui)
fi

if [ "${KALVIRO_SKIP_FUZZ:-0}" != "1" ]; then
  echo "== Fuzz targets, 60 seconds each =="
  # A fixed seed, so that a run repeats what earlier runs explored.
  FUZZ_SEED=1 scripts/fuzz.sh 60
fi

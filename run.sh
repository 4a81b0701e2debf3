#!/usr/bin/env bash
# Installs what is missing, builds a release build and opens FILE (or the
# bundled example) in the viewer. Without a display, or before the viewer is
# built, it runs the whole batch pipeline on the file instead and lists what
# it wrote.
#
#   KALVIRO_PREBUILT=DIR  use the programs already built in DIR (no package
#                         installation, no build)
#   KALVIRO_OUT=DIR       write the batch results to DIR instead of out/
set -euo pipefail
caller="$PWD"
cd "$(dirname "$0")"

# Paths the caller gave are relative to where the script was started.
absolute() {
  case "$1" in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s\n' "$caller/$1" ;;
  esac
}

if [ -n "${KALVIRO_PREBUILT:-}" ]; then
  build="$(absolute "$KALVIRO_PREBUILT")"
else
  scripts/install-deps.sh
  cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKALVIRO_BUILD_TESTS=OFF \
    -DKALVIRO_BUILD_BENCH=OFF >/dev/null
  cmake --build build-release -j2
  build="$PWD/build-release"
fi
if [ $# -gt 0 ]; then
  file="$(absolute "$1")"
else
  file=examples/formaldehyde_opt_freq.log
fi
viewer="$build/src/app/kalviro"
if [ -x "$viewer" ] && [ -n "${DISPLAY:-}" ]; then
  exec "$viewer" -- "$file"
fi
if [ ! -x "$viewer" ]; then
  echo "The viewer is not built; running the batch commands on $file instead."
else
  echo "No display; running the batch commands on $file instead."
fi

cli="$build/src/kalviro-cli"
if [ -n "${KALVIRO_OUT:-}" ]; then
  out="$(absolute "$KALVIRO_OUT")"
else
  out="$PWD/out"
fi
mkdir -p "$out"
wrote=()
failed=()

# step NAMES COMMAND...: runs a command that writes the files NAMES (blank
# separated) in $out, and keeps count of what was written and what failed.
step() {
  local names
  read -r -a names <<<"$1"
  shift
  if "$@"; then
    wrote+=("${names[@]}")
  else
    failed+=("${names[@]}")
  fi
}
# dump prints to standard output; a failed run must not leave a stale or
# empty dump.json behind.
dump_json() {
  local tmp="$out/.dump.json.$$"
  if "$cli" dump "$1" >"$tmp"; then
    mv -f "$tmp" "$out/dump.json"
  else
    rm -f "$tmp"
    return 1
  fi
}

lower="$(printf '%s' "$file" | tr '[:upper:]' '[:lower:]')"
orbital_file=""
case "$lower" in
  *.fchk | *.fch)
    orbital_file="$file"
    step dump.json dump_json "$file"
    ;;
  *)
    step dump.json dump_json "$file"
    step default.txt "$cli" coords "$file" -o "$out/default.txt"
    # "atoms N modes M dipoleDerivatives K": which tables the file can give.
    summary="$("$cli" dump "$file" --summary 2>/dev/null || echo "atoms 0 modes 0 dipoleDerivatives 0")"
    read -r _ _ _ modes _ dipoles <<<"$summary"
    if [ "${modes:-0}" -gt 0 ]; then
      step ir.csv "$cli" ir "$file" -o "$out/ir.csv"
      step irsorted.csv "$cli" ir "$file" --by-symmetry -o "$out/irsorted.csv"
    else
      echo "$file holds no normal modes: no IR table."
    fi
    if [ "${dipoles:-0}" -gt 0 ]; then
      step IRSpec.csv "$cli" spectrum "$file" -o "$out/IRSpec.csv"
      step projection-x.csv "$cli" projection "$file" --axis x -o "$out/projection-x.csv"
      step projection-z.csv "$cli" projection "$file" --axis z -o "$out/projection-z.csv"
      step spectrum.svg "$cli" plot "$file" --kind spectrum -o "$out/spectrum.svg"
      step projection-x.svg "$cli" plot "$file" --kind x -o "$out/projection-x.svg"
      step projection-z.svg "$cli" plot "$file" --kind z -o "$out/projection-z.svg"
    else
      echo "$file holds no dipole derivatives: no spectrum, projection or plots."
    fi
    ;;
esac

# The orbital: of a checkpoint file named on the command line, or, for the
# bundled example, of the example's own checkpoint file.
example_fchk=examples/formaldehyde_631gs.FChk
if [ $# -eq 0 ] && [ -f "$example_fchk" ]; then
  orbital_file="$example_fchk"
fi
if [ -n "$orbital_file" ]; then
  step "orbital.cube orbital-contours.txt" "$cli" orbital "$orbital_file" \
    --cube "$out/orbital.cube" --contours "$out/orbital-contours.txt"
fi

# The picture needs an X server; Xvfb gives one without a display.
case "$lower" in
  *.fchk | *.fch) ;;
  *)
    if command -v xvfb-run >/dev/null && command -v Xvfb >/dev/null; then
      step picture.png xvfb-run -a -s "-screen 0 1280x1024x24" "$cli" render "$file" \
        -o "$out/picture.png" --show modes,dipole,numbers
    else
      echo "Xvfb is not installed; no picture."
    fi
    ;;
esac

# Listed as the caller would name them.
shown="${out#"$caller"/}"
echo "Wrote:"
for name in "${wrote[@]}"; do
  echo "  $shown/$name"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed (see the messages above): ${failed[*]}"
  exit 1
fi

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 60) on a corpus seeded from the project's own fixtures and examples.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]  (FUZZ_NO_BUILD=1 skips the build;
# FUZZ_SEED fixes libFuzzer's seed, 0 picks one)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
dir="${FUZZ_BUILD_DIR:-build-fuzz}"
shift || true
if [ "${FUZZ_NO_BUILD:-0}" != "1" ]; then
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DKALVIRO_FUZZ=ON -DKALVIRO_BUILD_TESTS=OFF \
  -DKALVIRO_BUILD_BENCH=OFF -DKALVIRO_BUILD_GUI=OFF >/dev/null
cmake --build "$dir" -j2 --target fuzz_targets
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(cd fuzz && ls *Fuzz.cpp | sed 's/\.cpp$//')
fi
# Files of the shared corpus (beside the repository) in the named folders,
# copied into the work folder at run time only; nothing when it is absent.
corpus="${KALVIRO_CORPUS:-/work/shared/corpus}"
[ -d "$corpus/files" ] || corpus="../shared/corpus"
corpus_files() {
  [ -d "$corpus/files" ] || return 0
  for d in "$@"; do
    [ -d "$corpus/files/$d" ] && find "$corpus/files/$d" -type f
  done
  return 0
}
seeds_for() {
  case "$1" in
    GaussianOutputFuzz) find tests/data examples -type f \( -name '*.log' -o -name '*.out' \) ;;
    GaussianInputFuzz) find tests/data examples -type f \( -name '*.dat' -o -name '*.com' -o -name '*.gjf' \) ;;
    GamessInputFuzz) find tests/data examples -type f -iname '*.inp' ;;
    CheckpointFuzz) find tests/data examples -type f \( -iname '*.fchk' -o -iname '*.fch' \) ;;
    OtherOutputFuzz)
      find tests/data examples -type f \( -name '*.log' -o -name '*.out' \)
      corpus_files orca qchem gamess-out psi4 nwchem g09 g16 | grep -v -i '\.fchk$' ;;
    MeasuredSpectrumFuzz) find tests/data/ir -type f; corpus_files jcamp ;;
    BasisFuzz)
      find tests/data/orbital -type f ! -name '*.py'
      corpus_files g03 g09 g16 | grep -i '\.fchk$' ;;
  esac
}
dict_for() {
  case "$1" in
    OtherOutputFuzz) echo fuzz/dict/outputs.dict ;;
    MeasuredSpectrumFuzz) echo fuzz/dict/spectrum.dict ;;
    BasisFuzz) echo fuzz/dict/basis.dict ;;
    *) echo fuzz/dict/gaussian.dict ;;
  esac
}
status=0
for t in "${targets[@]}"; do
  work="$dir/corpus/$t"
  mkdir -p "$work"
  while IFS= read -r f; do cp -n "$f" "$work/" 2>/dev/null || true; done < <(seeds_for "$t")
  echo "== $t for ${seconds}s =="
  if ! "$dir/fuzz/$t" -max_total_time="$seconds" -seed="${FUZZ_SEED:-0}" -dict="$(dict_for "$t")" \
       -max_len=262144 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$dir/$t-" "$work" 2> "$dir/$t.log"; then
    echo "$t found a problem; see $dir/$t.log"
    tail -40 "$dir/$t.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|cov:' "$dir/$t.log" | tail -3
  fi
done
exit $status

#!/usr/bin/env bash
# Builds every libFuzzer target (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each on its seeds and on the inputs that once broke it; a crash, a leak or a
# sanitizer report fails.
# Usage: scripts/fuzz.sh [seconds | replay] [target ...]
#   seconds  explore for that long per target (default 60; CI runs this), growing the corpus
#            kept in build-fuzz/corpus/ from one run to the next
#   replay   every seed and every past failure once, no mutation (the sanitizer suite's
#            Fuzz.<name> tests do the same without clang)
# A target's seeds are the folder its source names in a "Seeds: <folder>." comment; the
# inputs that once broke it are kept in fuzz/regressions/<name>/ and always replayed.
set -euo pipefail
cd "$(dirname "$0")/.."
budget=${1:-60}
shift || true
scripts/deps.sh fuzz
dir=build-fuzz
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DMYCAD_BUILD_FUZZ=ON -DMYCAD_BUILD_TESTS=OFF \
  -DMYCAD_BUILD_DEMO=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
cmake --build "$dir" --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
# One fuzzer per core at a time: each is a single process, so the whole run takes about
# budget x targets / cores. An input that runs longer than the timeout counts as a hang.
jobs=${FUZZ_JOBS:-$(nproc)}
run_one() {
  local target=$1 name=${1#fuzz_} seeds corpus limits log
  local inputs=()
  seeds=$(grep -o -m1 'Seeds: [^ .]*' "fuzz/$target.cpp" | cut -d' ' -f2)
  [ -n "$seeds" ] && inputs+=("$seeds")
  [ -d "fuzz/regressions/$name" ] && inputs+=("fuzz/regressions/$name")
  if [ "$budget" = replay ]; then
    corpus="$dir/corpus-replay/$name"
    rm -rf "$corpus"
    limits=(-runs=0)
  else
    corpus="$dir/corpus/$name"
    limits=(-max_total_time="$budget")
  fi
  mkdir -p "$corpus"
  log="$dir/$target.log"
  echo "fuzz: $target, $budget, on ${inputs[*]:-no seeds}"
  if ! "$dir/fuzz/$target" "${limits[@]}" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$dir/$name-" "$corpus" "${inputs[@]}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $target failed (the input is saved as $dir/$name-crash-*, -leak-* or -timeout-*)"
    return 1
  fi
  echo "fuzz: $target clean:" "$(awk '/^stat::number_of_executed_units:/ { runs = $2 }
    /^stat::new_units_added:/ { found = $2 } END { print runs " runs, " found " new inputs" }' "$log")"
}
failed=0
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  run_one "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
if [ "$failed" -ne 0 ]; then
  echo "fuzz: a target failed"
  exit 1
fi
echo "fuzz: every target ran clean"

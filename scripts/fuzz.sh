#!/usr/bin/env bash
# Builds every libFuzzer target (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each on its seeds and on the inputs that once broke it; a crash, a leak or a
# sanitizer report fails.
# Usage: scripts/fuzz.sh [seconds | replay] [target ...]
#   seconds  explore for that long per target (default 60), growing the corpus kept in
#            build-fuzz/corpus/ from one run to the next
#   replay   what CI runs: every seed and every past failure once, no mutation, so that the
#            same sources always give the same verdict (exploring is random: a gate that
#            explored would pass or fail by chance)
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
for target in "${targets[@]}"; do
  name=${target#fuzz_}
  seeds=$(grep -o -m1 'Seeds: [^ .]*' "fuzz/$target.cpp" | cut -d' ' -f2)
  inputs=()
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
  echo "fuzz: $target, $budget, on ${inputs[*]:-no seeds}"
  log="$dir/$target.log"
  if ! "$dir/fuzz/$target" "${limits[@]}" -print_final_stats=1 -artifact_prefix="$dir/" \
    "$corpus" "${inputs[@]}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $target failed (the input is saved as $dir/crash-* or $dir/leak-*)"
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|new_units_added)' "$log" || true
done
echo "fuzz: every target ran clean"

#!/usr/bin/env bash
# Builds every libFuzzer target (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each for a while on its seeds; a crash, a leak or a sanitizer report fails.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target ...]
# A target's seeds are the folder its source names in a "Seeds: <folder>." comment.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/deps.sh ci
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
  seeds=$(grep -o -m1 'Seeds: [^ .]*' "fuzz/$target.cpp" | cut -d' ' -f2)
  corpus="$dir/corpus/${target#fuzz_}"
  mkdir -p "$corpus"
  echo "fuzz: $target for $seconds s on ${seeds:-no seeds}"
  log="$dir/$target.log"
  if ! "$dir/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$dir/" \
    "$corpus" ${seeds:+"$seeds"} >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $target failed (the input is saved as $dir/crash-* or $dir/leak-*)"
    exit 1
  fi
  tail -n 12 "$log"
done
echo "fuzz: every target ran clean"

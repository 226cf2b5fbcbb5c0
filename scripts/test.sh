#!/usr/bin/env bash
# Builds the whole test suite and runs it headless.
# Usage: scripts/test.sh [--sanitize]   (--sanitize builds with ASan and UBSan in build-asan/)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags=(-DMYCAD_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
else
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
scripts/deps.sh build
cmake -S . -B "$dir" -G Ninja -DMYCAD_BUILD_TESTS=ON -DMYCAD_BUILD_BENCH=ON "${flags[@]}" >/dev/null
cmake --build "$dir"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"

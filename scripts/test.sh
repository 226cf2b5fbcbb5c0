#!/usr/bin/env bash
# Builds the whole test suite and runs it headless.
# Usage: scripts/test.sh [--sanitize]
#   default     build/ (RelWithDebInfo with line tables): the library, the tests, the benchmarks
#               and the demo
#   --sanitize  build-asan/ (Debug with line tables, AddressSanitizer with leak checking and
#               UndefinedBehaviorSanitizer): the library and the tests
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  # Line tables are all the sanitizers' reports need: -g1 halves the tests' compile time.
  flags=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g1" "-DCMAKE_C_FLAGS_DEBUG=-g1" -DMYCAD_SANITIZE=ON
         -DMYCAD_BUILD_BENCH=OFF -DMYCAD_BUILD_DEMO=OFF)
else
  dir=build
  # Line tables are enough for profiles and backtraces, and compile in two thirds of the time.
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
         "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" -DMYCAD_BUILD_BENCH=ON)
fi
scripts/deps.sh build
# Objects compiled once are reused by the other builds of the same sources (the example
# hosts, other build folders).
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=pch_defines,time_macros
  flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja -DMYCAD_BUILD_TESTS=ON "${flags[@]}" >/dev/null
cmake --build "$dir"
export QT_QPA_PLATFORM=offscreen
# Leaks are reported; the suppressions cover only leaks inside Qt and the system libraries.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"

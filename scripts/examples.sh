#!/usr/bin/env bash
# Builds and runs the example hosts: one that adds the component's sources with
# add_subdirectory, one that finds the installed component with find_package(MyCAD).
# The installed component comes from build/ (scripts/test.sh builds it first when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
# Compiling the component again for the add_subdirectory host reuses the cached objects.
export CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

[ -f build/CMakeCache.txt ] || scripts/test.sh
cmake --build build --target mycad
cmake --install build --prefix "$work/prefix" >/dev/null
cmake -S examples/package_host -B "$work/pkg" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/pkg"
"$work/pkg/package_host"

cmake -S examples/subdir_host -B "$work/subdir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMYCAD_SOURCE_DIR="$root" "${launcher[@]}" >/dev/null
cmake --build "$work/subdir"
"$work/subdir/subdir_host"
echo "examples: both hosts built and ran"

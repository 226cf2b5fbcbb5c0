#!/usr/bin/env bash
# Builds the example hosts: one that adds the component with add_subdirectory,
# one that finds the installed component with find_package(MyCAD).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

cmake -S examples/subdir_host -B "$work/subdir" -G Ninja -DMYCAD_SOURCE_DIR="$root" >/dev/null
cmake --build "$work/subdir"
"$work/subdir/subdir_host"

cmake -S . -B "$work/lib" -G Ninja -DMYCAD_BUILD_TESTS=OFF -DMYCAD_BUILD_DEMO=OFF \
  -DCMAKE_INSTALL_PREFIX="$work/prefix" >/dev/null
cmake --build "$work/lib"
cmake --install "$work/lib" >/dev/null
cmake -S examples/package_host -B "$work/pkg" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/pkg"
"$work/pkg/package_host"
echo "examples: both hosts built and ran"

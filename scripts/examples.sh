#!/usr/bin/env bash
# Builds and runs the example hosts: the one that finds the installed component with
# find_package(MyCAD) against the component built both ways, static (the default) and
# shared (libmycad.so); the one that adds the component's sources with add_subdirectory
# statically.
# The static component comes from build/ (scripts/test.sh builds it first when missing);
# the shared one is built in build-shared/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
# Compiling the component again for the add_subdirectory hosts reuses the cached objects.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=pch_defines,time_macros
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# The component compiled again for these checks is compiled for a quick build: they check how
# it builds, installs, links and starts, not how fast it runs, and unoptimised code without
# debug information compiles in well under half the time.
quick=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DCMAKE_C_FLAGS_DEBUG=-O0)

[ -f build/CMakeCache.txt ] || scripts/test.sh
# Everything that installs is built: the libraries, the starter library and mycad-convert.
cmake --build build
cmake -S . -B build-shared -G Ninja "${quick[@]}" -DBUILD_SHARED_LIBS=ON \
  -DMYCAD_BUILD_TESTS=OFF -DMYCAD_BUILD_DEMO=OFF "${launcher[@]}" >/dev/null
cmake --build build-shared

for kind in static shared; do
  from=build
  shared=OFF
  if [ "$kind" = shared ]; then from=build-shared; shared=ON; fi
  prefix="$work/prefix-$kind"
  cmake --install "$from" --prefix "$prefix" >/dev/null
  cmake -S examples/package_host -B "$work/pkg-$kind" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
  cmake --build "$work/pkg-$kind"
  hosts=("$work/pkg-$kind/package_host")
  # The sources are compiled into a host once, statically: the shared library's build and
  # install are what the shared round checks.
  if [ "$kind" = static ]; then
    cmake -S examples/subdir_host -B "$work/subdir-$kind" -G Ninja "${quick[@]}" \
      -DMYCAD_SOURCE_DIR="$root" -DBUILD_SHARED_LIBS=$shared "${launcher[@]}" >/dev/null
    cmake --build "$work/subdir-$kind"
    hosts+=("$work/subdir-$kind/subdir_host")
  fi
  for host in "${hosts[@]}"; do
    # ldd's list is read whole first: grep -q leaving a pipe early would make ldd fail on
    # the closed pipe, and pipefail would take that for a missing library.
    libs=$(ldd "$host")
    if [ "$kind" = shared ] && ! grep -q 'libmycad\.so' <<<"$libs"; then
      echo "examples: $host does not load libmycad.so"; exit 1
    fi
    if [ "$kind" = static ] && grep -q 'libmycad\.so' <<<"$libs"; then
      echo "examples: $host loads libmycad.so"; exit 1
    fi
    "$host"
  done
  # Only CAD.h and the generated headers sit at the top of the installed include folder.
  extra=$(find "$prefix/include/MyCAD" -maxdepth 1 -type f ! -name CAD.h ! -name 'mycad_*.h')
  [ -z "$extra" ] || { echo "examples: loose headers under include/MyCAD: $extra"; exit 1; }
done
ls "$work/prefix-shared/lib"/libmycad.so.* >/dev/null
# The converter installs with the library and runs from the prefix.
for kind in static shared; do
  "$work/prefix-$kind/bin/mycad-convert" --version >/dev/null
done
echo "examples: both hosts built and ran against the static and the shared library"

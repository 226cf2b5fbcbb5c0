#!/usr/bin/env bash
# Builds the demonstration application and starts it (needs a display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh demo
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target mycad_demo
exec build/demo/mycad_demo "$@"

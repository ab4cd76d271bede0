#!/usr/bin/env bash
# Configures and builds into build/ (or $VERDALO_BUILD_DIR). Extra arguments go to CMake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VERDALO_BUILD_DIR:-$root/build}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
else
    cmake -S "$root" -B "$build" "$@" >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"

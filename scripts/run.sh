#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the embedded database in the data folder
# (--data DIR, else $VERDALO_HOME, else ~/.local/share/verdalo). Arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: running offscreen, messages go to the terminal."
    export QT_QPA_PLATFORM=offscreen
fi
exec "${VERDALO_BUILD_DIR:-$root/build}/src/verdalo" "$@"

#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Ondrel, installs Ondrel.so into ~/.vst
# and shows it loading in the test host, and its editor in a window when
# there is an X display or xvfb-run.
#   tools/setup-and-build.sh            (as root, or with sudo available)
# BUILD_DIR (default: build) and JOBS (default: all cores) may be set.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"
jobs="${JOBS:-$(nproc)}"

sudo_cmd=""
if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi

export DEBIAN_FRONTEND=noninteractive
$sudo_cmd apt-get update
# shellcheck disable=SC2046
$sudo_cmd apt-get install -y --no-install-recommends $(grep -v '^#' "$here/tools/packages.txt")

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$jobs"

plugin="$(find "$build" -name Ondrel.so -path '*VST*' | head -n 1)"
mkdir -p "$HOME/.vst"
cp "$plugin" "$HOME/.vst/Ondrel.so"
echo "Installed $HOME/.vst/Ondrel.so"

host="$build/tools/host/ondrel-host"
if [ -x "$host" ]; then
    "$host" info "$HOME/.vst/Ondrel.so"
fi

# The editor in the test host's window, saved as a picture, on the X display
# there is or else on a virtual one.
if [ -x "$host" ] && { [ -n "${DISPLAY:-}" ] || command -v xvfb-run > /dev/null; }; then
    display=()
    [ -n "${DISPLAY:-}" ] || display=(xvfb-run -a -s "-screen 0 1280x800x24")
    if "${display[@]}" "$host" editor "$HOME/.vst/Ondrel.so" --screenshot "$build/editor.png"; then
        echo "The editor as the host shows it: $build/editor.png"
    fi
fi

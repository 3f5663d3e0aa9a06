#!/usr/bin/env bash
# Installs what is missing, builds, and starts Pellix on the virtual board.
# With no display set it runs under Xvfb, saves a screenshot of what the user
# would see to build/screenshot.png and stops again; with a display Pellix
# keeps running until it is closed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/platform.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH"

. "$root/scripts/wine-env.sh"
trap wine_session_stop EXIT

if [ -z "${DISPLAY:-}" ]; then
  xvfb_start "${XVFB_DISPLAY:-77}" 1280x800x24
  headless=1
else
  headless=0
fi

WINE_GRAPHICS=x11 wine_env_start
wine_healthy_machine
cd "$build/Pellix"
if [ $headless -eq 1 ]; then
  wine Pellix.exe "$@" &
  sleep "${SCREENSHOT_DELAY:-6}"
  screen_capture "$build/screenshot.png"
  echo "screenshot: $build/screenshot.png"
else
  wine Pellix.exe "$@"
fi

#!/usr/bin/env bash
# Pictures of the automation page under Xvfb (Wine's X11 driver), once per
# language: the hotkeys, programs and schedule tabs over a few stored
# settings (a taken hotkey, an invalid program, an overlapping window),
# saved as <build>/screens/automation-<tab>-<language>.png.
# Environment: BUILD_DIR (default build), XVFB_DISPLAY (default 86),
# LANGUAGES (default "en de fr ja").
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/platform.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null ||
  cmake --build "$build" --target automationshot || exit 1

# The form sits at 40, 30 and is 640 x 440.
"$root/tools/shot-program.sh" automationshot.exe automation- 660x460+30+20 "${XVFB_DISPLAY:-86}"
status=$?
echo "pictures: $build/screens/automation-*.png"
exit $status

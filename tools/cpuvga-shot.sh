#!/usr/bin/env bash
# Pictures of the CPU and graphics-card forms under Xvfb (Wine's X11
# driver), once per language: the CPU form over the large and the shrunk
# main window, the graphics-card form over the cover as it opens and with
# the pointer on its link, saved as <build>/screens/<form>-<language>.png.
# Environment: BUILD_DIR (default build), XVFB_DISPLAY (default 88),
# LANGUAGES (default "en de fr ja").
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/platform.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null ||
  cmake --build "$build" --target cpuvgashot || exit 1

# The stand-in main window sits at 40, 30; the graphics-card form at the
# centre of the screen, reaching x = 795.
"$root/tools/shot-program.sh" cpuvgashot.exe "" 780x570+30+20 "${XVFB_DISPLAY:-88}"
status=$?
echo "pictures: $build/screens/cpu-*.png $build/screens/vga*.png"
exit $status

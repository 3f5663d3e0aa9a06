#!/usr/bin/env bash
# Pictures of the savings history window under Xvfb (Wine's X11 driver),
# once per language: 30 days, 12 weeks, 12 months and a bar under the
# pointer and the emission factor an organisation manages, saved as
# <build>/screens/history-<view>-<language>.png.
# Environment: BUILD_DIR (default build), XVFB_DISPLAY (default 89),
# LANGUAGES (default "en de fr ja").
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/platform.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null ||
  cmake --build "$build" --target historyshot || exit 1

# The form sits at 40, 30 and is 640 x 340; the picture reaches 30 px below
# it for a tool-tip under the bottom row.
"$root/tools/shot-program.sh" historyshot.exe history- 660x390+30+20 "${XVFB_DISPLAY:-89}"
status=$?
echo "pictures: $build/screens/history-*.png"
exit $status

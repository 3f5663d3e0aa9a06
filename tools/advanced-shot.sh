#!/usr/bin/env bash
# Pictures of the advanced-settings form under Xvfb (Wine's X11 driver),
# once per language: the basic and the extended layout with their rows as
# on the Medium tab, with a long and a short list open, and as on the Turbo
# tab with the locked rows greyed and the nap row without its feature,
# saved as <build>/screens/advanced-<layout>-<what>-<language>.png.
# Environment: BUILD_DIR (default build), XVFB_DISPLAY (default 94),
# LANGUAGES (default "en de fr ja").
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
. "$root/tools/program-pictures.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

if [ ! -f "$build/build.ninja" ]; then
  "$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null || exit 1
fi
cmake --build "$build" --target advancedshot >/dev/null || exit 1

# The form is centred on the 1024 x 768 screen.
program_pictures advancedshot advanced 460x440+282+164 "${XVFB_DISPLAY:-94}"

#!/usr/bin/env bash
# Pictures of the dialogs under Xvfb (Wine's X11 driver), once per
# language: every question and notice of the dialog service, the progress
# form half-way and the cover over the large and the shrunk main window,
# saved as <build>/screens/dialog-<use>-<language>.png.
# Environment: BUILD_DIR (default build), XVFB_DISPLAY (default 87),
# LANGUAGES (default "en de fr ja").
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
. "$root/tools/program-pictures.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null ||
  cmake --build "$build" --target dialogsshot || exit 1

# The stand-in main window sits at 40, 30; the dialogs at the centre.
program_pictures dialogsshot dialog 700x560+35+25 "${XVFB_DISPLAY:-87}"

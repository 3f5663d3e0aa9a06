#!/usr/bin/env bash
# Starts the real Pellix.exe on the virtual board under Xvfb (Wine's X11
# driver) once per language and saves pictures of its windows into
# <build>/screens/: the main window large, with a hover preview, in the
# middle of a mode change and with Auto running a gear, each as
# main-<what>-<language>.png, and the question a newcomer meets when the
# window is brought up again (first-run-<language>.png). The pointer is moved and clicked for real
# (screensdrive.exe) so the pictures show what a user would see.
# Environment: BUILD_DIR (default build), XVFB_DISPLAY (default 81),
# LANGUAGES (default "en de fr ja").
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/install-deps.sh" || exit 1
"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null ||
  cmake --build "$build" --target Pellix screensdrive boardctl || exit 1

# The folder is also where the build keeps the screens' objects: only the
# pictures are replaced.
out="$build/screens"
mkdir -p "$out" && rm -f "$out"/*.png
trap wine_session_stop EXIT
xvfb_start "${XVFB_DISPLAY:-81}" 1024x768x24

# English is Wine's language of the plain C locale.
declare -A locales=([en]=C.UTF-8 [de]=de_DE.UTF-8 [fr]=fr_FR.UTF-8 [ja]=ja_JP.UTF-8)

# The main window's rectangle "left top width height", from the driver.
geometry=
shot() {
  screen_capture "$out/$1.png" "$geometry"
}

# Registry entries every run needs: Japanese fonts resolve to the IPA
# Gothic font of the system; the Auto thresholds a calibration would have
# stored, so that Auto can be chosen without running one.
prepare_prefix() {
  for face in "MS UI Gothic" "MS Gothic" "MS PGothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "IPAGothic" /f >/dev/null 2>&1
  done
  for n in 1 2 3 4 5 6; do
    wine reg add 'HKLM\Software\VANTOR\TAMSEL3' /v "Threshold$n" /t REG_DWORD /d $((n * 10)) /f >/dev/null 2>&1
  done
}

cd "$build/Pellix"
status=0
for lang in ${LANGUAGES:-en de fr ja}; do
  export LC_ALL=${locales[$lang]} LANG=${locales[$lang]}
  WINE_GRAPHICS=x11 wine_env_start
  wine_healthy_machine
  prepare_prefix
  wine Pellix.exe >/dev/null 2>&1 &
  pellix=$!
  drive() { wine screensdrive.exe "$@" 2>/dev/null | tr -d '\r'; }
  geometry=$(drive wait)
  if [ -z "$geometry" ]; then
    echo "$lang: the main window did not show" >&2
    status=1
    wine_env_stop
    continue
  fi
  sleep 2
  drive away >/dev/null
  sleep 0.5
  shot "main-large-$lang"
  drive hover 1 >/dev/null
  # Before the button's tool-tip (after 500 ms) covers the mode buttons.
  sleep 0.35
  shot "main-hover-$lang"
  sleep 1.2
  shot "main-tooltip-$lang"
  drive click 4 >/dev/null
  sleep 0.8
  shot "main-transition-$lang"
  sleep 2.5
  drive click 0 >/dev/null
  sleep 3
  drive away >/dev/null
  sleep 1
  shot "main-auto-$lang"
  # Started again, the program brings its window forward; on a first run
  # that asks for the first calibration, and nothing else.
  # (The second start waits for the question to be answered, so it is left
  # running; the end of the session stops it.)
  wine Pellix.exe >/dev/null 2>&1 &
  sleep 4
  geometry=1024x768+0+0
  shot "first-run-$lang"
  wine_env_stop
  wait $pellix 2>/dev/null
done
unset LC_ALL LANG

# ---- Dialogs: each dialog use, the progress form and the cover -----------
"$root/tools/dialogs-shot.sh" || status=1

ls "$out"/*.png 2>/dev/null
exit $status

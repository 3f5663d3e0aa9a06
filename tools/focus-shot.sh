#!/usr/bin/env bash
# Pictures of the keyboard focus cue under Xvfb (Wine's X11 driver), once
# per language, everything reached with keys alone: the main window with
# the cue on a mode knob (focus-main-<language>.png) and on the settings
# button (focus-main-button-<language>.png); the advanced settings it opens,
# moved to the Medium tab with the arrows, with the cue on the CPU slider
# moved three steps (focus-settings-slider-<language>.png) and on a list
# (focus-settings-list-<language>.png).
# Environment: BUILD_DIR (default build), XVFB_DISPLAY (default 87),
# LANGUAGES (default "en de fr ja").
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null ||
  cmake --build "$build" --target Pellix screensdrive || exit 1

out="$build/screens"
mkdir -p "$out"
trap wine_session_stop EXIT
xvfb_start "${XVFB_DISPLAY:-87}" 1024x768x24
declare -A locales=([en]=C.UTF-8 [de]=de_DE.UTF-8 [fr]=fr_FR.UTF-8 [ja]=ja_JP.UTF-8)
drive() { wine screensdrive.exe "$@" 2>/dev/null | tr -d '\r'; }
TAB=9 SPACE=32 RIGHT=39

cd "$build/Pellix"
status=0
for lang in ${LANGUAGES:-en de fr ja}; do
  export LC_ALL=${locales[$lang]} LANG=${locales[$lang]}
  WINE_GRAPHICS=x11 wine_env_start
  wine_healthy_machine
  for face in "MS UI Gothic" "MS Gothic" "MS PGothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "IPAGothic" /f >/dev/null 2>&1
  done
  # A known machine: no first-run question over the windows.
  wine reg add 'HKLM\Software\VANTOR\Tamsel3' /v NotFirstTime /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine Pellix.exe >/dev/null 2>&1 &
  app=$!
  geometry=$(drive wait)
  if [ -z "$geometry" ]; then
    echo "$lang: the main window did not show" >&2
    status=1
    wine_env_stop
    continue
  fi
  sleep 2
  drive away >/dev/null
  # The window opens at the running mode; one knob on.
  drive key $RIGHT >/dev/null
  sleep 0.8
  screen_capture "$out/focus-main-$lang.png" "$geometry"
  # On to the settings button, which Space presses.
  drive key $TAB >/dev/null
  sleep 0.5
  screen_capture "$out/focus-main-button-$lang.png" "$geometry"
  drive key $SPACE >/dev/null
  sleep 2
  drive notice >/dev/null
  sleep 1
  form=$(wine screensdrive.exe settings-rect 2>/dev/null | tr -d '\r')
  [ -n "$form" ] || form=460x440+282+164
  # The form opens at OK: Cancel, Close (Minimize is disabled), the tabs.
  drive key $TAB 3 >/dev/null
  drive key $RIGHT >/dev/null
  drive key $TAB >/dev/null
  drive key $RIGHT 3 >/dev/null
  sleep 0.8
  screen_capture "$out/focus-settings-slider-$lang.png" "$form"
  drive key $TAB 2 >/dev/null
  sleep 0.8
  screen_capture "$out/focus-settings-list-$lang.png" "$form"
  wine_env_stop
  wait $app 2>/dev/null || true
done
echo "pictures: $out/focus-*.png"
exit $status

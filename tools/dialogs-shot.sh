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
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null ||
  cmake --build "$build" --target dialogsshot || exit 1

out="$build/screens"
mkdir -p "$out"
trap wine_session_stop EXIT
xvfb_start "${XVFB_DISPLAY:-87}" 1024x768x24

declare -A locales=([en]=C.UTF-8 [de]=de_DE.UTF-8 [fr]=fr_FR.UTF-8 [ja]=ja_JP.UTF-8)

cd "$build/Pellix"
status=0
for lang in ${LANGUAGES:-en de fr ja}; do
  export LC_ALL=${locales[$lang]} LANG=${locales[$lang]}
  WINE_GRAPHICS=x11 wine_env_start
  # Japanese fonts resolve to the IPA Gothic font of the system.
  for face in "MS UI Gothic" "MS Gothic" "MS PGothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "IPAGothic" /f >/dev/null 2>&1
  done
  rm -f ./*.done dialogsshot.log
  wine dialogsshot.exe > dialogsshot.log 2>/dev/null &
  app=$!
  taken=0
  for _ in $(seq 1 1200); do
    while read -r name; do
      [ -f "$name.done" ] && continue
      # The stand-in main window sits at 40, 30; the dialogs at the centre.
      screen_capture "$out/dialog-$name-$lang.png" 700x560+35+25
      touch "$name.done"
      taken=$((taken + 1))
    done < <(tr -d '\r' < dialogsshot.log | sed -n 's/^shot //p')
    kill -0 $app 2>/dev/null || break
    sleep 0.1
  done
  wait $app || status=1
  echo "$lang: $taken pictures"
  rm -f ./*.done
  wine_env_stop
done
echo "pictures: $out/dialog-*.png"
exit $status

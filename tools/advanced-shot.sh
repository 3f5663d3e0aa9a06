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
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

if [ ! -f "$build/build.ninja" ]; then
  "$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null || exit 1
fi
cmake --build "$build" --target advancedshot >/dev/null || exit 1

out="$build/screens"
mkdir -p "$out"
trap wine_session_stop EXIT
xvfb_start "${XVFB_DISPLAY:-94}" 1024x768x24

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
  rm -f ./*.done advancedshot.log
  wine advancedshot.exe > advancedshot.log 2>/dev/null &
  app=$!
  taken=0
  for _ in $(seq 1 1200); do
    while read -r name; do
      [ -f "$name.done" ] && continue
      # The form is centred on the 1024 x 768 screen.
      xwd -root -silent > "$out/shot.xwd"
      convert "xwd:$out/shot.xwd" -crop 460x440+282+164 +repage "$out/advanced-$name-$lang.png"
      rm -f "$out/shot.xwd"
      touch "$name.done"
      taken=$((taken + 1))
    done < <(tr -d '\r' < advancedshot.log | sed -n 's/^shot //p')
    kill -0 $app 2>/dev/null || break
    sleep 0.1
  done
  wait $app || status=1
  echo "$lang: $taken pictures"
  rm -f ./*.done
  wine_env_stop
done
echo "pictures: $out/advanced-*.png"
exit $status

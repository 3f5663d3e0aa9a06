#!/usr/bin/env bash
# Runs a picture program under Xvfb (Wine's X11 driver) once per language
# and saves the pictures it asks for. The program prints "shot <name>" when
# its windows are ready and waits for "<name>.done"; each picture is the
# frame <crop> of the screen, saved as <build>/screens/<prefix><name>-<language>.png.
# Usage: tools/shot-program.sh <program.exe> <prefix> <crop> <display>
# Environment: BUILD_DIR (default build), LANGUAGES (default "en de fr ja").
# The caller builds the program first.
set -uo pipefail
program=$1 prefix=$2 crop=$3 display=$4
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

out="$build/screens"
mkdir -p "$out"
trap wine_session_stop EXIT
xvfb_start "$display" 1024x768x24

declare -A locales=([en]=C.UTF-8 [de]=de_DE.UTF-8 [fr]=fr_FR.UTF-8 [ja]=ja_JP.UTF-8)

cd "$build/Pellix"
log=${program%.exe}.log
status=0
for lang in ${LANGUAGES:-en de fr ja}; do
  export LC_ALL=${locales[$lang]} LANG=${locales[$lang]}
  WINE_GRAPHICS=x11 wine_env_start
  # Japanese fonts resolve to the IPA Gothic font of the system.
  for face in "MS UI Gothic" "MS Gothic" "MS PGothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "IPAGothic" /f >/dev/null 2>&1
  done
  rm -f ./*.done "$log"
  wine "$program" > "$log" 2>/dev/null &
  app=$!
  taken=0
  for _ in $(seq 1 1200); do
    while read -r name; do
      [ -f "$name.done" ] && continue
      screen_capture "$out/$prefix$name-$lang.png" "$crop"
      touch "$name.done"
      taken=$((taken + 1))
    done < <(tr -d '\r' < "$log" | sed -n 's/^shot //p')
    kill -0 $app 2>/dev/null || break
    sleep 0.1
  done
  wait $app || status=1
  echo "$lang: $taken pictures"
  rm -f ./*.done
  wine_env_stop
done
exit $status

# Sourced by the picture scripts of the picture programs: runs a program
# under Xvfb (Wine's X11 driver) once per language of $LANGUAGES (default
# "en de fr ja"). Each time the program prints "shot <name>" the screen is
# cropped to the given geometry and saved as
# <build>/screens/<prefix>-<name>-<language>.png; then "<name>.done" lets
# the program go on. Needs $root and $build; returns non-zero when a run
# failed.

program_pictures() { # program prefix crop display
  local program=$1 prefix=$2 crop=$3
  local out="$build/screens"
  mkdir -p "$out"
  trap wine_session_stop EXIT
  xvfb_start "$4" 1024x768x24
  declare -A locales=([en]=C.UTF-8 [de]=de_DE.UTF-8 [fr]=fr_FR.UTF-8 [ja]=ja_JP.UTF-8)
  cd "$build/Pellix" || return 1
  local status=0 lang app taken name
  for lang in ${LANGUAGES:-en de fr ja}; do
    export LC_ALL=${locales[$lang]} LANG=${locales[$lang]}
    WINE_GRAPHICS=x11 wine_env_start
    # Japanese fonts resolve to the IPA Gothic font of the system.
    for face in "MS UI Gothic" "MS Gothic" "MS PGothic"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "IPAGothic" /f >/dev/null 2>&1
    done
    rm -f ./*.done "$program.log"
    wine "$program.exe" > "$program.log" 2>/dev/null &
    app=$!
    taken=0
    for _ in $(seq 1 1200); do
      while read -r name; do
        [ -f "$name.done" ] && continue
        screen_capture "$out/$prefix-$name-$lang.png" "$crop"
        touch "$name.done"
        taken=$((taken + 1))
      done < <(tr -d '\r' < "$program.log" | sed -n 's/^shot //p')
      kill -0 $app 2>/dev/null || break
      sleep 0.1
    done
    wait $app || status=1
    echo "$lang: $taken pictures"
    rm -f ./*.done
    wine_env_stop
  done
  echo "pictures: $out/$prefix-*.png"
  return $status
}

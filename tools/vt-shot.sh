#!/usr/bin/env bash
# Shows the skinned-control check form (one of each control in each look)
# under Xvfb with Wine's X11 driver and saves a screenshot of it as
# <build>/vt-controls.png.
#   BUILD_DIR   build folder (default: build)
#   VT_WINE     the Wine loader to use (default: wine); a 64-bit build of
#               the form runs with VT_WINE=wine64
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=${VT_SHOT_OUT:-$build/vt-controls.png}
wine=${VT_WINE:-wine}

cmake --build "$build" --target vtshot >/dev/null || exit 1

. "$root/scripts/wine-env.sh"
trap wine_session_stop EXIT

export WINEPREFIX="$build/wineprefix-shot" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "$wine" = wine64 ]; then
  export WINEARCH=win64 WINESERVER=/usr/lib/wine/wineserver64
  wine=/usr/lib/wine/wine64
  wineserver() { /usr/lib/wine/wineserver64 "$@"; }
else
  export WINEARCH=${WINEARCH:-win32}
fi
rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
# The prefix is made without a display (quicker, and nothing waits on the
# screen); a fresh server then lets the form's process open the display.
DISPLAY= "$wine" wineboot -i >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p
xvfb_start "${XVFB_DISPLAY:-79}" 1024x768x24

cd "$build/Pellix"
rm -f vtshot.done vtshot.log
"$wine" vtshot.exe > vtshot.log 2>/dev/null &
app=$!
for _ in $(seq 1 600); do
  if grep -q "^shot" vtshot.log 2>/dev/null; then
    xwd -root -silent > "$build/vt-shot.xwd"
    python3 "$root/tools/xwd2png.py" "$build/vt-shot.xwd" "$out" 20 20 760 468
    rm -f "$build/vt-shot.xwd"
    touch vtshot.done
    break
  fi
  kill -0 $app 2>/dev/null || break
  sleep 0.2
done
wait $app
rc=$?
rm -f vtshot.done
[ -f "$out" ] && echo "screenshot: $out" || { echo "no screenshot taken"; rc=1; }
exit $rc

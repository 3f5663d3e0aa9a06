#!/usr/bin/env bash
# Shows the skinned-control check form (one of each control in each look)
# under Xvfb with Wine's X11 driver and saves a screenshot of it.
#   BUILD_DIR     build folder base (default: build); on machines without
#                 32-bit code the 64-bit build beside it is used
#   VT_SHOT_BUILD the exact build folder instead
#   VT_SHOT_OUT   the picture (default: <build>/vt-controls.png)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
build=${VT_SHOT_BUILD:-$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")}
out=${VT_SHOT_OUT:-$build/vt-controls.png}

if [ ! -f "$build/build.ninja" ]; then
  "$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null || exit 1
fi
cmake --build "$build" --target vtshot >/dev/null || exit 1

if [ "$PELLIX_ARCH" = x86_64 ]; then
  # The plain wineserver launcher prefers the 32-bit server.
  wineserver() { /usr/lib/wine/wineserver64 "$@"; }
fi
trap wine_session_stop EXIT

export WINEPREFIX="$build/wineprefix-shot" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
# The prefix is made without a display (quicker, and nothing waits on the
# screen); a fresh server then lets the form's process open the display.
DISPLAY= wine wineboot -i >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
xvfb_start "${XVFB_DISPLAY:-79}" 1024x768x24

cd "$build/Pellix"
rm -f vtshot.done vtshot.log
wine vtshot.exe > vtshot.log 2>/dev/null &
app=$!
for _ in $(seq 1 600); do
  if grep -q "^shot" vtshot.log 2>/dev/null; then
    screen_capture "$out" 760x468+20+20
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

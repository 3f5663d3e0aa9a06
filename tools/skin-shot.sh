#!/usr/bin/env bash
# Shows the shaped-window check program under Xvfb with Wine's X11 driver,
# takes two screenshots (skins shown; after the drags) and prints whether a
# left drag on the image moved the region-cut form and a right drag left the
# layered form in place. Screenshots: <build>/skin-shot-1.png, -2.png.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null ||
  cmake --build "$build" --target skinshot || exit 1

trap wine_session_stop EXIT

xvfb_start "${XVFB_DISPLAY:-78}" 1024x768x24
WINE_GRAPHICS=x11 wine_env_start

cd "$build/Pellix"
rm -f skinshot-*.done skinshot.log
wine skinshot.exe > skinshot.log 2>/dev/null &
app=$!
shots=0
for _ in $(seq 1 600); do
  for n in 1 2; do
    if [ $shots -lt $n ] && grep -q "^shot $n" skinshot.log 2>/dev/null; then
      screen_capture "$build/skin-shot-$n.png"
      touch "skinshot-$n.done"
      shots=$n
    fi
  done
  kill -0 $app 2>/dev/null || break
  sleep 0.1
done
wait $app
rc=$?
grep -v '^shot' skinshot.log
echo "screenshots: $build/skin-shot-1.png $build/skin-shot-2.png"
[ $rc -eq 0 ] && echo "skin check passed" || echo "skin check FAILED"
exit $rc

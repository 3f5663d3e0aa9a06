# Sourced by the run and test scripts: a fresh, headless Wine prefix inside
# the build folder with one persistent wineserver for all processes.
# Needs $build set. Call wine_env_stop when done (the scripts trap it).
# wine_env_start and wine_env_stop take another prefix folder as argument,
# so that several prefixes (the test lanes) can run side by side.
# xvfb_start/wine_session_stop add a virtual X display for pictures.

. "$(dirname "${BASH_SOURCE[0]}")/platform.sh"

wine_env_start() { # [prefix folder]
  export WINEPREFIX="${1:-$build/wineprefix}"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineserver -p
  wine wineboot -i >/dev/null 2>&1
  if [ "${WINE_GRAPHICS:-null}" = null ]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  fi
  # The desktop process that wineboot left running keeps the graphics driver
  # it started with; restart the server so every later process gets the
  # setting above.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p
  # The server may still be coming up when -p returns; a first process now
  # waits for it (or starts it) and starts Wine's own services. Either way
  # they hold no output pipe of a later test runner, which would otherwise
  # wait for that pipe to close long after the test has ended.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

wine_env_stop() { # [prefix folder]
  local prefix=${1:-${WINEPREFIX:-}}
  [ -n "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
}

# What a user's machine has beside the program: the driver of the board's
# graphics boost (the virtual board offers the boost). Tests leave it out to
# see the program cope without it.
wine_healthy_machine() {
  wine reg add 'HKLM\Software\VANTOR\Gruvo Driver' /v Version /d 1.0.0.0 /f >/dev/null 2>&1
}

# A virtual display for runs that need real windows on screen, with a
# compositing manager so that translucent windows (the dimming cover) show
# as they do on Windows instead of as opaque blocks.
xvfb_pid=
compositor_pid=
xvfb_start() {
  export DISPLAY=:$1
  Xvfb "$DISPLAY" -screen 0 "$2" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  sleep 1
  xcompmgr >/dev/null 2>&1 &
  compositor_pid=$!
}

# Saves the virtual screen as a picture, cropped when a geometry WxH+X+Y is
# given. The root window is read in one request: xwd rebuilds the screen
# window by window when windows have colormaps of their own, as all of
# Wine's have, and then paints the lower window over any pop-up above it.
screen_capture() {
  import -window root ${2:+-crop "$2" +repage} "$1"
}

# Stops the Wine server and, when one was started, the virtual display.
wine_session_stop() {
  wine_env_stop
  [ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

# Sourced by the run and test scripts: a fresh, headless Wine prefix inside
# the build folder with one persistent wineserver for all processes.
# Needs $build set. Call wine_env_stop when done (the scripts trap it).

wine_env_start() {
  export WINEARCH=win32
  export WINEPREFIX="$build/wineprefix"
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
}

wine_env_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}

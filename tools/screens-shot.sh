#!/usr/bin/env bash
# Starts the real Pellix.exe on the virtual board under Xvfb (Wine's X11
# driver) once per language and saves pictures of its windows into
# <build>/screens/: the main window large, with a hover preview, in the
# middle of a mode change and with Auto running a gear, each as
# main-<what>-<language>.png, and the question a newcomer meets when the
# window is brought up again (first-run-<language>.png), the energy
# readouts: the CO2 figure in each unit, the Current view, the shrunk window
# and the CPU form (energy-<what>-<language>.png), the advanced settings
# (settings-*.png), the savings history (history-<view>-<language>.png) and
# the automation page (automation-<tab>-<language>.png).
# the controls the organisation's policies manage (policy-<what>-<language>.png).
# The pointer is moved and clicked for real (screensdrive.exe) so the
# pictures show what a user would see.
# Environment: BUILD_DIR (default build), XVFB_DISPLAY (default 81),
# LANGUAGES (default "en de fr ja").
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
build=$(pellix_build_dir "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH")

"$root/scripts/install-deps.sh" || exit 1
"$root/scripts/build.sh" "${BUILD_DIR:-$root/build}" "$PELLIX_ARCH" >/dev/null ||
  cmake --build "$build" --target Pellix screensdrive boardctl || exit 1

# The folder is also where the build keeps the screens' objects: only the
# pictures are replaced.
out="$build/screens"
mkdir -p "$out" && rm -f "$out"/*.png
trap wine_session_stop EXIT
xvfb_start "${XVFB_DISPLAY:-81}" 1024x768x24

# English is Wine's language of the plain C locale.
declare -A locales=([en]=C.UTF-8 [de]=de_DE.UTF-8 [fr]=fr_FR.UTF-8 [ja]=ja_JP.UTF-8)

# The main window's rectangle "left top width height", from the driver.
geometry=
shot() {
  screen_capture "$out/$1.png" "$geometry"
}

# Registry entries every run needs: Japanese fonts resolve to the IPA
# Gothic font of the system; the Auto thresholds a calibration would have
# stored, so that Auto can be chosen without running one.
prepare_prefix() {
  for face in "MS UI Gothic" "MS Gothic" "MS PGothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "IPAGothic" /f >/dev/null 2>&1
  done
  for n in 1 2 3 4 5 6; do
    wine reg add 'HKLM\Software\VANTOR\TAMSEL3' /v "Threshold$n" /t REG_DWORD /d $((n * 10)) /f >/dev/null 2>&1
  done
}

drive() { wine screensdrive.exe "$@" 2>/dev/null | tr -d '\r'; }

# Starts Pellix.exe in a fresh prefix, after the optional command that
# prepares it, and waits for the main window; false (and the session
# stopped) when the window does not show.
start_pellix() {
  WINE_GRAPHICS=x11 wine_env_start
  wine_healthy_machine
  prepare_prefix
  "$@"
  wine Pellix.exe >/dev/null 2>&1 &
  pellix=$!
  geometry=$(drive wait)
  if [ -z "$geometry" ]; then
    echo "$lang: the main window did not show" >&2
    status=1
    wine_env_stop
    return 1
  fi
}

cd "$build/Pellix"
status=0
for lang in ${LANGUAGES:-en de fr ja}; do
  export LC_ALL=${locales[$lang]} LANG=${locales[$lang]}
  start_pellix || continue
  sleep 2
  drive away >/dev/null
  sleep 0.5
  shot "main-large-$lang"
  drive hover 1 >/dev/null
  # Before the button's tool-tip (after 500 ms) covers the mode buttons.
  sleep 0.35
  shot "main-hover-$lang"
  sleep 1.2
  shot "main-tooltip-$lang"
  drive click 4 >/dev/null
  sleep 0.8
  shot "main-transition-$lang"
  sleep 2.5
  drive click 0 >/dev/null
  sleep 3
  drive away >/dev/null
  sleep 1
  shot "main-auto-$lang"
  # Started again, the program brings its window forward; on a first run
  # that asks for the first calibration, and nothing else.
  # (The second start waits for the question to be answered, so it is left
  # running; the end of the session stops it.)
  wine Pellix.exe >/dev/null 2>&1 &
  sleep 4
  geometry=1024x768+0+0
  shot "first-run-$lang"
  wine_env_stop
  wait $pellix 2>/dev/null
done
unset LC_ALL LANG

# ---- Energy readouts: the CO2 figure in mg, g and kg, the Current view ----
# with its date, the shrunk window and the CPU form's readouts, each as
# energy-<what>-<language>.png. The accounts are stored before each start
# (the program reads them once): 412.3456 Wh, 5234.5678 Wh and 2,200,000 Wh
# in all, 3.6 Wh since the last reset.
mb='HKLM\Software\VANTOR\Tamsel3\Ordun\MB'
declare -A totals=([mg]=f697dd9387c57940 [g]=ab3e575b9172b440 [kg]=00000000e0c84041)
store_accounts() { # total (the double's bytes in hex)
  wine reg add "$mb" /v TotalSaving /t REG_BINARY /d "$1" /f >/dev/null 2>&1
  wine reg add "$mb" /v CumulativeSaving /t REG_BINARY /d cdcccccccccc0c40 /f >/dev/null 2>&1
}
for lang in ${LANGUAGES:-en de fr ja}; do
  export LC_ALL=${locales[$lang]} LANG=${locales[$lang]}
  for unit in mg g kg; do
    start_pellix store_accounts "${totals[$unit]}" || continue
    sleep 2
    drive away >/dev/null
    sleep 0.5
    shot "energy-$unit-$lang"
    if [ "$unit" = mg ]; then
      drive tap 565 245 >/dev/null   # SwitchButton: the Current view
      drive away >/dev/null
      sleep 1
      shot "energy-current-$lang"
      drive tap 653 209 >/dev/null   # ShrinkButton
      drive away >/dev/null
      sleep 1
      geometry=$(drive wait)
      shot "energy-small-$lang"
      drive tap 81 111 >/dev/null    # CpuButton: the CPU form over the window
      drive away >/dev/null
      sleep 1.5
      shot "energy-cpu-$lang"
    fi
    wine_env_stop
    wait $pellix 2>/dev/null
  done
done
unset LC_ALL LANG

# ---- Advanced settings: each tab in both layouts, an open list ----------
# settings-<layout>-tab<i>-<language>.png for the tabs (Turbo shows the
# rows it locks, High Performance its disabled slider) and
# settings-<layout>-list-<language>.png with the disk row's list open on
# the Medium tab. The extended layout needs the graphics-boost software,
# the basic one runs without it.
settings_shots() {
  local lang=$1 layout=$2
  # A known machine: no first-run question over the form.
  wine reg add 'HKLM\Software\VANTOR\Tamsel3' /v NotFirstTime /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine Pellix.exe >/dev/null 2>&1 &
  local app=$!
  if [ -z "$(drive wait)" ]; then
    echo "$lang: the main window did not show" >&2
    return 1
  fi
  sleep 2
  # Without the graphics software the program first says it is missing.
  drive notice >/dev/null
  sleep 1
  geometry=$(drive settings)
  if [ -z "$geometry" ]; then
    echo "$lang $layout: the settings form did not show" >&2
    return 1
  fi
  for tab in 0 1 2 3; do
    drive tab $tab >/dev/null
    # Off the tab before its hint comes up over the rows.
    drive away >/dev/null
    sleep 0.8
    shot "settings-$layout-tab$tab-$lang"
  done
  drive tab 2 >/dev/null
  sleep 0.5
  drive drop 4 >/dev/null
  drive away >/dev/null
  sleep 0.8
  shot "settings-$layout-list-$lang"
  wine_env_stop
  # Ended with the Wine session: its exit status tells nothing.
  wait $app 2>/dev/null || true
}

for lang in ${LANGUAGES:-en de fr ja}; do
  export LC_ALL=${locales[$lang]} LANG=${locales[$lang]}
  drive() { wine screensdrive.exe "$@" 2>/dev/null | tr -d '\r'; }
  WINE_GRAPHICS=x11 wine_env_start
  wine_healthy_machine
  prepare_prefix
  settings_shots "$lang" extended || status=1
  WINE_GRAPHICS=x11 wine_env_start
  prepare_prefix
  wine reg delete 'HKLM\Software\VANTOR\Gruvo Driver' /v Version /f >/dev/null 2>&1
  settings_shots "$lang" basic || status=1
done
unset LC_ALL LANG

# ---- Managed by the organisation's policies ------------------------------
# policy-<what>-<language>.png: the main window under a forced Max Power
# Saving with the advanced settings and the calibration switched off (the
# other modes and both buttons unavailable), the tool-tip of a managed mode
# button and of the settings button, and the tray menu with run at log-on
# and exit grayed.
policies='HKLM\Software\Policies\Pellix'
store_policies() {
  wine reg add "$policies" /v ForcedMode /d max /f >/dev/null 2>&1
  for name in DisableAdvancedSettings DisableCalibration ExitHidden; do
    wine reg add "$policies" /v $name /t REG_DWORD /d 1 /f >/dev/null 2>&1
  done
  wine reg add "$policies" /v RunAtLogOn /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$policies" /v EmissionFactor /t REG_DWORD /d 380 /f >/dev/null 2>&1
  wine reg add 'HKLM\Software\VANTOR\Tamsel3' /v NotFirstTime /t REG_DWORD /d 1 /f >/dev/null 2>&1
}
for lang in ${LANGUAGES:-en de fr ja}; do
  export LC_ALL=${locales[$lang]} LANG=${locales[$lang]}
  start_pellix store_policies || continue
  sleep 3
  drive away >/dev/null
  sleep 0.5
  shot "policy-main-$lang"
  drive hover 1 >/dev/null     # Turbo
  sleep 1.5
  shot "policy-mode-tooltip-$lang"
  drive away >/dev/null
  sleep 0.5
  drive point 100 515 >/dev/null   # on the settings button
  sleep 0.2
  drive point 107 519 >/dev/null
  sleep 1.5
  # The tip shows below the button, past the window's lower edge.
  main=$geometry
  read -r w h x y <<<"$(tr 'x+' '  ' <<<"$geometry")"
  geometry="${w}x$((h + 40))+$x+$y"
  shot "policy-settings-tooltip-$lang"
  geometry=$main
  drive away >/dev/null
  sleep 0.5
  drive point 300 300 >/dev/null
  drive traymenu >/dev/null
  sleep 1
  geometry=1024x768+0+0
  shot "policy-traymenu-$lang"
  drive escape >/dev/null
  geometry=$main
  wine_env_stop
  wait $pellix 2>/dev/null
done
unset LC_ALL LANG

# ---- Dialogs: each dialog use, the progress form and the cover -----------
"$root/tools/dialogs-shot.sh" || status=1

# ---- CPU and graphics-card forms over the main window --------------------
"$root/tools/cpuvga-shot.sh" || status=1

# ---- Savings history window: 30 days, weeks, months, a bar under the pointer
"$root/tools/history-shot.sh" || status=1

# ---- Automation page: its three tabs over stored settings with problems ----
"$root/tools/automation-shot.sh" || status=1
# ---- The keyboard focus cue on the main window and the advanced settings --
"$root/tools/focus-shot.sh" || status=1

ls "$out"/*.png 2>/dev/null
exit $status

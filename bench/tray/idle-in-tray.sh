#!/usr/bin/env bash
# Pellix.exe and the minimal tray program (mintray.exe) started side by side
# as at log-on ("-b": hidden, only the tray icon) on the virtual board; after
# they have settled, both idle for a while. Prints, against the minimal
# program measured in the same run, the CPU time Pellix used while idling and
# its resident memory at the end (figure lines, see bench/README.md).
# Usage: bench/tray/idle-in-tray.sh [build-dir] [idle seconds, default 60]
#   METRICS_INTERVAL=S  with the machine's policy asking for the metrics file
#                       every S seconds (the figures say so)
#   BENCH_RULES=N   with N program rules stored (see below)
# Inside scripts/bench.sh it uses that script's Wine prefix; run alone it
# starts a headless prefix of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-${BUILD_DIR:-$root/build}}" && pwd)
idle=${2:-60}
settle=${SETTLE_SECONDS:-15}
exe_dir="$build_dir/Pellix"
for exe in Pellix.exe mintray.exe; do
  [ -f "$exe_dir/$exe" ] || { echo "no $exe_dir/$exe: build first (scripts/build.sh $build_dir)" >&2; exit 1; }
done

own_prefix=0
if [ -z "${WINEPREFIX:-}" ]; then
  . "$root/scripts/wine-env.sh"
  # wine_env_start puts its prefix under $build.
  build="$build_dir/bench-tray"
  mkdir -p "$build"
  unset DISPLAY
  wine_env_start
  own_prefix=1
fi
logs="$build_dir/bench-tray"
mkdir -p "$logs"

# The Windows process of a launcher is the launcher itself once wine has
# exec'd into it, or one of its descendants.
find_process() {
  local queue=("$1") pid
  while [ ${#queue[@]} -gt 0 ]; do
    pid=${queue[0]}
    queue=("${queue[@]:1}")
    if tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qi "$2"; then
      echo "$pid"
      return 0
    fi
    queue+=($(pgrep -P "$pid" || true))
  done
  return 1
}

start_program() {
  local launcher pid
  (cd "$exe_dir" && exec wine "$1" -b) >"$logs/$1.log" 2>&1 &
  launcher=$!
  for _ in $(seq 1 60); do
    pid=$(find_process "$launcher" "${1//./\\.}" || true)
    [ -n "$pid" ] && { echo "$pid"; return 0; }
    sleep 1
  done
  echo "$1 did not start; see $logs/$1.log" >&2
  return 1
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '$1 == "VmRSS:" {print $2}' "/proc/$1/status"; }

policy='HKLM\Software\Policies\Pellix'
metrics=
if [ -n "${METRICS_INTERVAL:-}" ]; then
  mkdir -p "$WINEPREFIX/drive_c/pellix-metrics"
  wine reg add "$policy" /v MetricsFile /d 'C:\pellix-metrics\pellix.prom' /f >/dev/null 2>&1
  wine reg add "$policy" /v MetricsIntervalSeconds /t REG_DWORD /d "$METRICS_INTERVAL" /f >/dev/null 2>&1
  metrics=" with the metrics file every $METRICS_INTERVAL s"
fi

pellix= floor=
cleanup() {
  for pid in $pellix $floor; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$metrics" ]; then
    wine reg delete "$policy" /f >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX/drive_c/pellix-metrics"
  fi
  [ $own_prefix -eq 1 ] && wine_env_stop
  return 0
}
trap cleanup EXIT

# BENCH_RULES=N stores N program rules (none of whose programs runs), so
# that the idle figures include one process snapshot per 5-second tick.
rules=${BENCH_RULES:-0}
if [ "$rules" -gt 0 ]; then
  text=
  for i in $(seq 1 "$rules"); do text+="16384|bench-rule-$i.exe"$'\n'; done
  wine reg add 'HKLM\Software\VANTOR\Tamsel3\Automation' /v Rules /t REG_SZ /d "$text" /f >/dev/null 2>&1
else
  wine reg delete 'HKLM\Software\VANTOR\Tamsel3\Automation' /f >/dev/null 2>&1 || true
fi
pellix=$(start_program Pellix.exe)
floor=$(start_program mintray.exe)
# Start-up (window creation, the first mode change) is not idling.
sleep "$settle"
p0=$(cpu_ticks "$pellix") f0=$(cpu_ticks "$floor")
sleep "$idle"
for pid in $pellix $floor; do
  [ -d "/proc/$pid" ] || { echo "a program ended while idling; see $logs/*.log" >&2; exit 1; }
done
p1=$(cpu_ticks "$pellix") f1=$(cpu_ticks "$floor")
prss=$(rss_kb "$pellix") frss=$(rss_kb "$floor")

hz=$(getconf CLK_TCK)
if [ -n "$metrics" ] && [ ! -s "$WINEPREFIX/drive_c/pellix-metrics/pellix.prom" ]; then
  echo "no metrics file written; see $logs/Pellix.exe.log" >&2
  exit 1
fi
awk -v hz="$hz" -v idle="$idle" -v p="$((p1 - p0))" -v f="$((f1 - f0))" -v pr="$prss" -v fr="$frss" \
    -v with="$metrics" 'BEGIN {
  printf "figure\tidle in the tray%s, %d s: CPU\t%.4f\t%% of a core\tminimal tray program\t%.4f\tvalue<=0.05\n",
         with, idle, 100 * p / hz / idle, 100 * f / hz / idle
  printf "figure\tidle in the tray%s: resident memory\t%.2f\tMB\tminimal tray program\t%.2f\tratio<=1.3\n",
         with, pr / 1024, fr / 1024
}'

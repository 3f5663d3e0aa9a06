#!/usr/bin/env bash
# Starts Pellix.exe as at log-on ("-b": hidden, only the tray icon) under
# Wine on the virtual board, lets it idle for a while and prints the
# process's resident memory and CPU time over the idle period.
# Usage: bench/tray/idle-in-tray.sh [build-dir] [idle seconds, default 60]
# Runs in a Wine prefix and virtual display of its own, so it does not
# disturb a test run in the same build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-${BUILD_DIR:-$root/build}}" && pwd)
idle=${2:-60}
settle=${SETTLE_SECONDS:-15}
exe_dir="$build_dir/Pellix"
[ -f "$exe_dir/Pellix.exe" ] || { echo "no $exe_dir/Pellix.exe: build first (scripts/build.sh $build_dir)" >&2; exit 1; }

. "$root/scripts/wine-env.sh"
# wine_env_start puts its prefix under $build.
build="$build_dir/bench-tray"
mkdir -p "$build"
trap wine_session_stop EXIT
xvfb_start "${XVFB_DISPLAY:-78}" 1024x768x24
WINE_GRAPHICS=x11 wine_env_start

cd "$exe_dir"
wine Pellix.exe -b >"$build/pellix.log" 2>&1 &
launcher=$!

# The Windows process is the launcher itself once wine has exec'd into it,
# or one of its descendants.
find_pellix() {
  local queue=("$launcher") pid
  while [ ${#queue[@]} -gt 0 ]; do
    pid=${queue[0]}
    queue=("${queue[@]:1}")
    if tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qi 'pellix\.exe'; then
      echo "$pid"
      return 0
    fi
    queue+=($(pgrep -P "$pid" || true))
  done
  return 1
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
status_kb() { awk -v key="$2:" '$1 == key {print $2}' "/proc/$1/status"; }

pid=
for _ in $(seq 1 60); do
  pid=$(find_pellix || true)
  [ -n "$pid" ] && break
  sleep 1
done
[ -n "$pid" ] || { echo "Pellix.exe did not start; see $build/pellix.log" >&2; exit 1; }

# Start-up (window creation, the first mode change) is not idling.
sleep "$settle"
[ -d "/proc/$pid" ] || { echo "Pellix.exe ended during start-up; see $build/pellix.log" >&2; exit 1; }
hz=$(getconf CLK_TCK)
start_ticks=$(cpu_ticks "$pid")
start_rss=$(status_kb "$pid" VmRSS)
sleep "$idle"
[ -d "/proc/$pid" ] || { echo "Pellix.exe ended while idling; see $build/pellix.log" >&2; exit 1; }
end_ticks=$(cpu_ticks "$pid")
end_rss=$(status_kb "$pid" VmRSS)
peak_rss=$(status_kb "$pid" VmHWM)

awk -v s="$start_ticks" -v e="$end_ticks" -v hz="$hz" -v idle="$idle" \
    -v r0="$start_rss" -v r1="$end_rss" -v peak="$peak_rss" 'BEGIN {
  cpu = (e - s) / hz
  printf "idle in tray for %d s\n", idle
  printf "  CPU time while idle: %.2f s (%.2f %% of one core)\n", cpu, 100 * cpu / idle
  printf "  CPU time since start: %.2f s\n", e / hz
  printf "  resident memory: %d kB at idle start, %d kB at end (peak %d kB)\n", r0, r1, peak
}'
kill "$pid" 2>/dev/null || true

#!/usr/bin/env bash
# The tray figures of Pellix.exe on the virtual board, each against the
# minimal tray program (mintray.exe) measured in the same run:
#   - start to the main window as at log-on ("-b"), by startbench.exe;
#   - CPU time and resident memory while both sit idle in the tray side by
#     side, started with "-b" (hidden, only the tray icon).
# Every figure is the median of RUNS runs (default 7), printed with its
# spread and its ratio to the floor.
# Usage: bench/tray/idle-in-tray.sh [build-dir] [idle seconds, default 60]
# Runs in a Wine prefix and virtual display of its own, so it does not
# disturb a test run in the same build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "${1:-${BUILD_DIR:-$root/build}}" && pwd)
idle=${2:-60}
runs=${RUNS:-7}
settle=${SETTLE_SECONDS:-15}
exe_dir="$build_dir/Pellix"
for exe in Pellix.exe mintray.exe startbench.exe; do
  [ -f "$exe_dir/$exe" ] || { echo "no $exe_dir/$exe: build first (scripts/build.sh $build_dir)" >&2; exit 1; }
done

. "$root/scripts/wine-env.sh"
# wine_env_start puts its prefix under $build.
build="$build_dir/bench-tray"
mkdir -p "$build"
trap 'stop_programs; wine_session_stop' EXIT
xvfb_start "${XVFB_DISPLAY:-78}" 1024x768x24
WINE_GRAPHICS=x11 wine_env_start

cd "$exe_dir"
wine startbench.exe "$runs"

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

wait_for_process() {
  local pid=
  for _ in $(seq 1 60); do
    pid=$(find_process "$1" "$2" || true)
    [ -n "$pid" ] && { echo "$pid"; return 0; }
    sleep 1
  done
  echo "$2 did not start; see $build/$2.log" >&2
  return 1
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '$1 == "VmRSS:" {print $2}' "/proc/$1/status"; }

pellix= floor=
stop_programs() {
  for pid in $pellix $floor; do kill "$pid" 2>/dev/null || true; done
  pellix= floor=
}

hz=$(getconf CLK_TCK)
samples="$build/idle-samples"
: >"$samples"
for run in $(seq 1 "$runs"); do
  wine Pellix.exe -b >"$build/pellix.exe.log" 2>&1 &
  pellix=$(wait_for_process $! 'pellix\.exe')
  wine mintray.exe -b >"$build/mintray.exe.log" 2>&1 &
  floor=$(wait_for_process $! 'mintray\.exe')
  # Start-up (window creation, the first mode change) is not idling.
  sleep "$settle"
  p0=$(cpu_ticks "$pellix") f0=$(cpu_ticks "$floor")
  sleep "$idle"
  for pid in $pellix $floor; do
    [ -d "/proc/$pid" ] || { echo "a program ended while idling; see $build/*.log" >&2; exit 1; }
  done
  echo "$(($(cpu_ticks "$pellix") - p0)) $(($(cpu_ticks "$floor") - f0)) $(rss_kb "$pellix") $(rss_kb "$floor")" >>"$samples"
  stop_programs
  # Let the single-instance guard and the tray go before the next run.
  sleep 2
done

awk -v hz="$hz" -v idle="$idle" -v runs="$runs" '
function median(list, n,    i, j, t, a) {
  split(list, a, " ")
  for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
  return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
function spread(list, n, fmt,    i, a, lo, hi) {
  split(list, a, " "); lo = hi = a[1]
  for (i = 2; i <= n; i++) { if (a[i] < lo) lo = a[i]; if (a[i] > hi) hi = a[i] }
  return sprintf(fmt "-" fmt, lo, hi)
}
{
  pc = pc " " 100 * $1 / hz / idle; fc = fc " " 100 * $2 / hz / idle
  pr = pr " " $3 / 1024; fr = fr " " $4 / 1024; n++
}
END {
  printf "idle in the tray, %d s, %d runs\n", idle, runs
  printf "  CPU, Pellix                  %6.3f %% of a core (median; %s)\n", median(pc, n), spread(pc, n, "%.3f")
  printf "  CPU, minimal tray program    %6.3f %% of a core (median; %s)\n", median(fc, n), spread(fc, n, "%.3f")
  printf "  resident memory, Pellix      %6.1f MB (median; %s)\n", median(pr, n), spread(pr, n, "%.1f")
  printf "  resident memory, floor       %6.1f MB (median; %s)\n", median(fr, n), spread(fr, n, "%.1f")
  printf "  memory ratio                 %6.2f\n", median(pr, n) / median(fr, n)
}' "$samples"

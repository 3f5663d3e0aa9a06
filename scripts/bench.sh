#!/usr/bin/env bash
# Builds what is missing and runs every benchmark under a headless Wine
# prefix of its own, each BENCH_RUNS times (default 7). Prints one table row
# per figure: the median value, the median of its floor measured in the same
# runs, the median ratio and the spread of the ratio over the runs, and
# whether the goal is met. Never part of the test run.
# Usage: scripts/bench.sh [pattern]   (only the benchmarks whose name matches)
# Each run's full output is kept in build/bench-results/.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
base=${BUILD_DIR:-$root/build}
runs=${BENCH_RUNS:-7}
pattern=${1:-}
. "$root/scripts/platform.sh"

"$root/scripts/install-deps.sh" || exit 1
"$root/scripts/build.sh" "$base" "$PELLIX_ARCH" >/dev/null || { echo "build failed" >&2; exit 1; }
build_dir=$(pellix_build_dir "$base" "$PELLIX_ARCH")
exe_dir="$build_dir/Pellix"
results="$build_dir/bench-results"
rm -rf "$results" && mkdir -p "$results"
figures="$results/figures.tsv"
: >"$figures"

. "$root/scripts/wine-env.sh"
# wine_env_start puts its prefix under $build: a folder of its own leaves the
# test run's prefix alone.
build="$build_dir/bench-prefix"
mkdir -p "$build"
trap wine_env_stop EXIT
unset DISPLAY
wine_env_start

failures=0
# Runs one benchmark (an executable beside Pellix.exe, or a command) $runs
# times, keeping its figure lines with the run number.
#   run_bench name command...
run_bench() {
  local name=$1 run
  shift
  [ -n "$pattern" ] && [[ "$name" != *$pattern* ]] && return 0
  for run in $(seq 1 "$runs"); do
    echo "$name: run $run of $runs" >&2
    if ! (cd "$exe_dir" && "$@") >"$results/$name.$run.log" 2>&1; then
      echo "$name: run $run failed, see $results/$name.$run.log" >&2
      failures=$((failures + 1))
      continue
    fi
    # Windows programs end their lines with CR LF.
    tr -d '\r' <"$results/$name.$run.log" | grep '^figure	' | sed "s/^figure	/$run	/" >>"$figures"
  done
}

# --- Pipes: the guarded client against a bare CallNamedPipeA -------------
run_bench pipebench wine pipebench.exe

# --- pellixctl: `pellixctl get` as a process against one bare ------------
# --- CallNamedPipeA client program, both to the same control pipe --------
run_bench ctl wine ctlbench.exe

# --- Mode change: SetModeNoVga against a bare TamselSetLevel --------------
run_bench modebench wine modebench.exe

# --- Graphics: window region and alpha blending against memcpy ------------
run_bench graphics wine bench_graphics.exe

# --- Tray: start to the main window, idle CPU and resident memory, -------
# --- each against a minimal tray program started the same way -----------
run_bench tray-start wine startbench.exe
run_bench tray-idle "$root/bench/tray/idle-in-tray.sh" "$build_dir"
# The same with the organisation's policy asking for the metrics file.
run_bench tray-idle-metrics env METRICS_INTERVAL=15 "$root/bench/tray/idle-in-tray.sh" "$build_dir"

# One row per figure, in the order the figures first appeared.
awk -F'\t' -v runs="$runs" '
function median(list, n,    v, i, j, t) {
  n = split(list, v, " ")
  for (i = 2; i <= n; ++i)
    for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; --j) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
  return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
}
function low(list,    v, n, i, m) { n = split(list, v, " "); m = v[1]; for (i = 2; i <= n; ++i) if (v[i] + 0 < m + 0) m = v[i]; return m }
function high(list,    v, n, i, m) { n = split(list, v, " "); m = v[1]; for (i = 2; i <= n; ++i) if (v[i] + 0 > m + 0) m = v[i]; return m }
{
  name = $2
  if (!(name in count)) { order[++names] = name; unit[name] = $4; floorName[name] = $5; goal[name] = $7 }
  count[name]++
  values[name] = values[name] " " $3
  floors[name] = floors[name] " " $6
  if ($6 + 0 > 0) ratios[name] = ratios[name] " " ($3 / $6)
}
END {
  print "| figure | Pellix | spread | floor | floor value | ratio | ratio spread | goal | met |"
  print "|---|---|---|---|---|---|---|---|---|"
  for (i = 1; i <= names; ++i) {
    name = order[i]
    value = median(values[name])
    ratio = ratios[name] != "" ? median(ratios[name]) : ""
    split(goal[name], g, "<=")
    met = g[1] == "ratio" ? (ratio != "" && ratio + 0 <= g[2] + 0) : (value + 0 <= g[2] + 0)
    printf "| %s | %.3g %s | %.3g–%.3g | %s | %.3g %s | %s | %s | ≤ %s%s | %s |\n", name, value, unit[name],
           low(values[name]), high(values[name]), floorName[name], median(floors[name]), unit[name],
           ratio != "" ? sprintf("%.2f×", ratio) : "—",
           ratio != "" ? sprintf("%.2f–%.2f×", low(ratios[name]), high(ratios[name])) : "—",
           g[2], g[1] == "ratio" ? "×" : " " unit[name],
           (count[name] < runs ? "(" count[name] " of " runs " runs) " : "") (met ? "yes" : "NO")
  }
}' "$figures"

[ $failures -eq 0 ] || { echo "$failures benchmark runs failed" >&2; exit 1; }

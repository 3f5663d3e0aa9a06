#!/usr/bin/env bash
# Runs the fuzz targets for a long time, by hand: each target in turn (or
# only those named), niced, growing the corpus in build-fuzz/corpus/<target>.
# Findings land in build-fuzz/artifacts/<target>/; fix them at the cause,
# add the reproducer to fuzz/corpus/<target>/ and a unit test.
#
# Usage: tools/fuzz-long.sh [target...]
#   FUZZ_HOURS   hours per target (default 2)
#   FUZZ_RUNS    stop a target after this many executions instead (e.g. 1000000)
#   FUZZ_BUILD   build folder (default build-fuzz)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
FUZZ_BUILD=$build "$root/scripts/fuzz.sh" --build-only

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$build"/fuzz_*; do [ -f "$t" ] && [ -x "$t" ] && targets+=("${t##*/fuzz_}"); done
fi
for name in "${targets[@]}"; do
  corpus="$build/corpus/$name"
  artifacts="$build/artifacts/$name"
  mkdir -p "$corpus" "$artifacts" "$build/logs"
  options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/")
  if [ -n "${FUZZ_RUNS:-}" ]; then
    options+=(-runs="$FUZZ_RUNS")
  else
    options+=(-max_total_time=$(( ${FUZZ_HOURS:-2} * 3600 )))
  fi
  [ -f "$root/fuzz/dict/$name.dict" ] && options+=(-dict="$root/fuzz/dict/$name.dict")
  echo "== $name"
  nice "$build/fuzz_$name" "${options[@]}" "$corpus" "$root/fuzz/corpus/$name" 2>&1 |
    tee "$build/logs/$name.long.log" | grep -E '^(#[0-9]+ +(pulse|DONE)|==|SUMMARY|stat::)' || true
  echo "corpus: $(ls "$corpus" | wc -l) files"
done

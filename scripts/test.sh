#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test executable once under
# fresh headless Wine prefixes. Ends with "N passed, N failed" (test cases).
#   PELLIX_TEST_LANES  test executables run at once (default: the cores)
#   CTEST_ARGS         CTest arguments, e.g. "-R name" for a subset
#   PELLIX_FUZZ=0      skips the sanitizer and fuzz stage
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
base=${BUILD_DIR:-$root/build}
. "$root/scripts/platform.sh"

"$root/scripts/install-deps.sh" || exit 1
# The shipped 32-bit program is always built; where this machine cannot run
# 32-bit code the tests run on a 64-bit build of the same sources.
"$root/scripts/build.sh" "$base" i686 || { echo "0 passed, 1 failed"; exit 1; }
if [ "$PELLIX_ARCH" = x86_64 ]; then
  echo "this machine runs no 32-bit code: testing the 64-bit build"
  "$root/scripts/build.sh" "$base" x86_64 || { echo "0 passed, 1 failed"; exit 1; }
fi
build=$(pellix_build_dir "$base" "$PELLIX_ARCH")

# The test executables run in PELLIX_TEST_LANES lanes at once, each with a
# fresh Wine prefix and a copy of the program folder of its own (see
# scripts/test-lane.sh); CTest hands each test a free lane, the costliest
# tests first.
. "$root/scripts/wine-env.sh"
lanes=${PELLIX_TEST_LANES:-$(nproc)}
[ "$lanes" -ge 1 ] 2>/dev/null || lanes=1
export PELLIX_TEST_LANE_ROOT="$build/lanes"
lane_prefix() { echo "$PELLIX_TEST_LANE_ROOT/$1/wineprefix"; }
fuzz_pid=
stop() {
  for ((lane = 0; lane < lanes; lane++)); do wine_env_stop "$(lane_prefix $lane)"; done
  [ -n "$fuzz_pid" ] && kill "$fuzz_pid" 2>/dev/null
}
trap stop EXIT
unset DISPLAY
rm -rf "$PELLIX_TEST_LANE_ROOT"
starting=() ids=
for ((lane = 0; lane < lanes; lane++)); do
  mkdir -p "$PELLIX_TEST_LANE_ROOT/$lane"
  cp -al "$build/Pellix" "$PELLIX_TEST_LANE_ROOT/$lane/" || exit 1
  # The installer test finds Setup beside the program folder.
  ln -s "$build/installer" "$PELLIX_TEST_LANE_ROOT/$lane/installer"
  wine_env_start "$(lane_prefix $lane)" &
  starting+=($!)
  ids+=${ids:+,}"{\"id\":\"$lane\",\"slots\":1}"
done
wait "${starting[@]}"
spec="$PELLIX_TEST_LANE_ROOT/resources.json"
echo "{\"version\":{\"major\":1,\"minor\":0},\"local\":[{\"wineprefix\":[$ids]}]}" >"$spec"

results="$build/test-results"
rm -rf "$results" && mkdir -p "$results"
export GTEST_OUTPUT="xml:$(WINEPREFIX=$(lane_prefix 0) wine winepath -w "$results")\\"
export PELLIX_ASSERT_QUIET=1

# The decoders natively under the sanitizers and the fuzzers, meanwhile in
# the background: the Wine tests mostly wait. The stage keeps its processor
# load off the tests that measure this machine's load (label
# "processor_load"): it starts once they have left their reports, or when
# CTest ends. Skipped when only a subset of the test executables was asked
# for.
fuzz_log="$build/fuzz.log"
tests_done="$results/.done"
if [ -z "${CTEST_ARGS:-}" ] && [ "${PELLIX_FUZZ:-1}" != 0 ]; then
  quiet=$(ctest --test-dir "$build" -N -L processor_load | sed -n 's/^ *Test *#[0-9]*: *//p')
  (
    for name in $quiet; do
      while [ ! -f "$results/$name.xml" ] && [ ! -f "$tests_done" ]; do sleep 1; done
    done
    exec "$root/scripts/fuzz.sh"
  ) >"$fuzz_log" 2>&1 &
  fuzz_pid=$!
fi

ctest --test-dir "$build" --output-on-failure --timeout 900 -j "$lanes" --resource-spec-file "$spec" \
  ${CTEST_ARGS:-}
ctest_rc=$?
touch "$tests_done"

# Sum the test cases of every executable; one that left no report crashed
# or hung and counts as one failure.
passed=0 failed=0
for name in $(ctest --test-dir "$build" -N ${CTEST_ARGS:-} | sed -n 's/^ *Test *#[0-9]*: *//p'); do
  xml="$results/$name.xml"
  if [ ! -f "$xml" ]; then
    echo "no report from $name"
    failed=$((failed + 1))
    continue
  fi
  head=$(grep -m1 '<testsuites' "$xml")
  t=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
  f=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
  e=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$head")
  d=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$head")
  bad=$(( ${f:-0} + ${e:-0} ))
  passed=$(( passed + ${t:-0} - ${d:-0} - bad ))
  failed=$(( failed + bad ))
done
[ $ctest_rc -ne 0 ] && [ $failed -eq 0 ] && failed=1

if [ -n "$fuzz_pid" ]; then
  wait "$fuzz_pid"
  fuzz_pid=
  cat "$fuzz_log" >&2
  fuzz_summary=$(tail -1 "$fuzz_log")
  fuzz_passed=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1/p' <<<"$fuzz_summary")
  fuzz_failed=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\2/p' <<<"$fuzz_summary")
  passed=$((passed + ${fuzz_passed:-0}))
  failed=$((failed + ${fuzz_failed:-1}))
fi
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]

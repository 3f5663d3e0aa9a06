#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test executable once under
# a fresh headless Wine prefix. Ends with "N passed, N failed" (test cases).
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

. "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
unset DISPLAY
wine_env_start

results="$build/test-results"
rm -rf "$results" && mkdir -p "$results"
export GTEST_OUTPUT="xml:$(wine winepath -w "$results")\\"
export PELLIX_ASSERT_QUIET=1

ctest --test-dir "$build" --output-on-failure --timeout 900 ${CTEST_ARGS:-}
ctest_rc=$?

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

# The decoders natively under the sanitizers and the fuzzers; skipped when
# only a subset of the test executables was asked for.
if [ -z "${CTEST_ARGS:-}" ] && [ "${PELLIX_FUZZ:-1}" != 0 ]; then
  fuzz_summary=$("$root/scripts/fuzz.sh" | tee /dev/stderr | tail -1)
  fuzz_passed=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1/p' <<<"$fuzz_summary")
  fuzz_failed=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\2/p' <<<"$fuzz_summary")
  passed=$((passed + ${fuzz_passed:-0}))
  failed=$((failed + ${fuzz_failed:-1}))
fi
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]

#!/usr/bin/env bash
# Builds the decoders natively with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (fuzz/ into build-fuzz/), runs their unit tests,
# then every fuzz target for a bounded time. Ends with "N passed, N failed":
# the unit tests count as their test cases, each fuzz target as one.
# A crash, leak, sanitizer report or time-out fails the run; the reproducer
# stays in build-fuzz/artifacts/<target>/.
#
# Usage: scripts/fuzz.sh [--build-only]
#   FUZZ_SECONDS   time per target (default 15)
#   FUZZ_BUILD     build folder (default build-fuzz)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-15}

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$build/build.ninja" ]; then
  CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja "${launcher[@]}" >/dev/null ||
    { echo "0 passed, 1 failed"; exit 1; }
fi
if ! nice cmake --build "$build" -- -j"$(nproc)"; then
  echo "0 passed, 1 failed"
  exit 1
fi
[ "${1:-}" = --build-only ] && exit 0

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
passed=0 failed=0

# Unit tests of the decoders under the sanitizers.
xml="$build/decoder_tests.xml"
rm -f "$xml"
"$build/decoder_tests" --gtest_output="xml:$xml" >"$build/decoder_tests.log" 2>&1
tests_rc=$?
if [ -f "$xml" ]; then
  head=$(grep -m1 '<testsuites' "$xml")
  t=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
  f=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
  passed=$((passed + ${t:-0} - ${f:-0}))
  failed=$((failed + ${f:-0}))
fi
if [ $tests_rc -ne 0 ]; then
  # A sanitizer report ends the run before the report is complete.
  grep -E 'FAILED|ERROR|runtime error' "$build/decoder_tests.log" | head -20
  [ ! -f "$xml" ] || [ "${f:-0}" -eq 0 ] && failed=$((failed + 1))
fi
echo "decoder unit tests: exit $tests_rc"

# Each target starts from the committed seeds and the corpus earlier runs
# grew (kept in the build folder), and adds what it finds to the latter.
for target in "$build"/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=${target##*/fuzz_}
  corpus="$build/corpus/$name"
  artifacts="$build/artifacts/$name"
  mkdir -p "$corpus" "$artifacts" "$build/logs"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$artifacts/")
  [ -f "$root/fuzz/dict/$name.dict" ] && options+=(-dict="$root/fuzz/dict/$name.dict")
  log="$build/logs/$name.log"
  if nice "$target" "${options[@]}" "$corpus" "$root/fuzz/corpus/$name" >"$log" 2>&1; then
    passed=$((passed + 1))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $name: ok, ${runs:-?} runs"
  else
    failed=$((failed + 1))
    echo "fuzz $name: FAILED (log $log, reproducer in $artifacts)"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -5
  fi
done

echo "$passed passed, $failed failed"
[ $failed -eq 0 ]

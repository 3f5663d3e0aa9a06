#!/bin/sh
# Runs the metrics program test (the emulator if any, then the executable)
# with PELLIX_METRICS_FOLDER, a fresh folder for the file, then has
# promtool check the copies of the file the test kept there: the format and
# the metric names as Prometheus reads them.
folder=$(mktemp -d /tmp/pellix-metrics-file.XXXXXX)
trap 'rm -rf "$folder"' EXIT
trap 'exit 1' INT TERM
# Wine reaches every Unix folder through drive Z:.
export PELLIX_METRICS_FOLDER="Z:$(printf '%s' "$folder" | tr / '\\')"
"$@" || exit 1
checked=0
for copy in "$folder"/first.txt "$folder"/second.txt; do
  [ -f "$copy" ] || continue
  if ! promtool check metrics <"$copy"; then
    echo "promtool rejects ${copy##*/}:" >&2
    cat "$copy" >&2
    exit 1
  fi
  checked=$((checked + 1))
done
echo "promtool: $checked copies of the metrics file checked"
[ "$checked" -eq 2 ]

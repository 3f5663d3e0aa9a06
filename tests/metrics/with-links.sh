#!/bin/sh
# Runs the metrics file test (the emulator if any, then the executable) with
# what a Windows test cannot make under Wine: PELLIX_LINKED_FOLDER, a
# symbolic link to a folder (a reparse point to Wine), PELLIX_LINKED_FILE, a
# link to the file PELLIX_LINK_TARGET, and PELLIX_FULL_FOLDER, the root of a
# drive on a 64 KiB tmpfs, when the machine lets it mount one (root; a drive
# letter, because Wine shows a mounted folder as a reparse point); without
# it the full-disk case is skipped and says so.
scratch=$(mktemp -d /tmp/pellix-metrics.XXXXXX)
mkdir -p "$scratch/real" "$scratch/full"
echo "kept" >"$scratch/target.prom"
ln -s "$scratch/real" "$scratch/linked"
ln -s "$scratch/target.prom" "$scratch/linked-file.prom"
devices=${WINEPREFIX:-$HOME/.wine}/dosdevices
drive=
cleanup() {
  [ -n "$drive" ] && rm -f "$devices/$drive:"
  umount "$scratch/full" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
# Wine reaches every Unix folder through drive Z:.
windows() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
export PELLIX_LINKED_FOLDER=$(windows "$scratch/linked")
export PELLIX_LINKED_FILE=$(windows "$scratch/linked-file.prom")
export PELLIX_LINK_TARGET=$(windows "$scratch/target.prom")
if mount -t tmpfs -o size=64k tmpfs "$scratch/full" 2>/dev/null; then
  for letter in m n o p q r s t u v w x y; do
    if [ ! -e "$devices/$letter:" ] && [ ! -L "$devices/$letter:" ]; then
      ln -s "$scratch/full" "$devices/$letter:" && drive=$letter
      break
    fi
  done
  [ -n "$drive" ] && export PELLIX_FULL_FOLDER="$drive:"
fi
"$@"

#!/bin/sh
# Runs the installer test (the emulator if any, then the executable) with two
# small tmpfs folders for the failure cases: PELLIX_READONLY_FOLDER, mounted
# read-only, and PELLIX_FULL_FOLDER, 1 MiB, too small for Pellix. Mounting
# needs root; without it those cases are skipped and say so.
disks=$(mktemp -d /tmp/pellix-drives.XXXXXX)
mkdir -p "$disks/readonly" "$disks/full"
cleanup() {
  umount "$disks/readonly" "$disks/full" 2>/dev/null
  rm -rf "$disks"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
if mount -t tmpfs -o size=1m,ro tmpfs "$disks/readonly" 2>/dev/null &&
   mount -t tmpfs -o size=1m tmpfs "$disks/full" 2>/dev/null; then
  # Wine reaches every Unix folder through drive Z:.
  export PELLIX_READONLY_FOLDER="Z:$(echo "$disks/readonly" | tr / '\\')"
  export PELLIX_FULL_FOLDER="Z:$(echo "$disks/full" | tr / '\\')"
fi
"$@"

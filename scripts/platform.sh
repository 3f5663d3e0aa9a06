# Sourced by the build, run and test scripts: which Windows architecture the
# tests and runs on this machine use.
#
# Pellix ships as a 32-bit program. Some machines (certain virtual
# machines) cannot execute 32-bit x86 code at all, so neither can the
# 32-bit Wine; there the same sources are also built for 64-bit Windows and
# everything that runs, runs on the 64-bit Wine. PELLIX_ARCH (i686 or
# x86_64) overrides the choice.

pellix_native_32bit() {
  # An emulator registered for 32-bit binaries would run Wine far too slowly
  # to count.
  [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && return 1
  [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

if [ -z "${PELLIX_ARCH:-}" ]; then
  if pellix_native_32bit; then PELLIX_ARCH=i686; else PELLIX_ARCH=x86_64; fi
fi
export PELLIX_ARCH

# The build folder of an architecture: 64-bit builds sit beside the 32-bit
# one with a "-x64" suffix.
pellix_build_dir() { # base-dir arch
  if [ "$2" = x86_64 ]; then echo "$1-x64"; else echo "$1"; fi
}

# The Wine loader of the architecture in use.
if [ "$PELLIX_ARCH" = x86_64 ]; then
  export WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64
  wine() { /usr/lib/wine/wine64 "$@"; }
else
  export WINEARCH=win32
fi

#!/usr/bin/env bash
# Installs what building, running and testing Pellix needs on Debian.
# Idempotent: does nothing (and needs no network) when all is present.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have_cmd cmake                          || need+=(cmake)
have_cmd ninja                          || need+=(ninja-build)
have_cmd i686-w64-mingw32-g++-posix     || need+=(g++-mingw-w64-i686-posix)
have_cmd i686-w64-mingw32-gcc-posix     || need+=(gcc-mingw-w64-i686-posix)
have_cmd i686-w64-mingw32-windres       || need+=(binutils-mingw-w64-i686)
# The 64-bit toolchain builds the tests on machines that run no 32-bit code.
have_cmd x86_64-w64-mingw32-g++-posix   || need+=(g++-mingw-w64-x86-64-posix)
have_cmd x86_64-w64-mingw32-gcc-posix   || need+=(gcc-mingw-w64-x86-64-posix)
have_cmd x86_64-w64-mingw32-windres     || need+=(binutils-mingw-w64-x86-64)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
have_cmd Xvfb                           || need+=(xvfb)
have_cmd xcompmgr                       || need+=(xcompmgr)
have_pkg imagemagick                     || need+=(imagemagick)
have_pkg wine                           || need+=(wine)
have_pkg wine32:i386                    || need+=(wine32:i386)
have_pkg wine64                         || need+=(wine64)
# JSON for pellixctl's machine output and its tests (header-only).
[ -f /usr/include/nlohmann/json.hpp ]   || need+=(nlohmann-json3-dev)
# Pellix Setup is built with NSIS.
have_cmd makensis                       || need+=(nsis)
# promtool checks the metrics file as Prometheus reads it (test_metrics_program).
have_cmd promtool                       || need+=(prometheus)
# The native sanitizer and fuzzing build of the decoders (scripts/fuzz.sh).
have_cmd clang++                        || need+=(clang)
have_pkg libclang-rt-14-dev             || need+=(libclang-rt-14-dev)
# The screenshots in other languages: Wine takes its language from the
# locale, and Japanese texts need a font with the Shift-JIS repertoire.
have_pkg locales                        || need+=(locales)
have_pkg fonts-ipafont-gothic           || need+=(fonts-ipafont-gothic)
# Wine's own fonts (Tahoma and friends), which the skinned windows name.
have_pkg fonts-wine                     || need+=(fonts-wine)

# The locales the program's language files cover, generated once.
ensure_locales() {
  local missing=()
  for locale in de_DE fr_FR ja_JP; do
    locale -a 2>/dev/null | grep -qix "$locale.utf8" || missing+=("$locale")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing locales: ${missing[*]} (run as root to generate them)" >&2
    return 1
  fi
  for locale in "${missing[@]}"; do
    sed -i "s/^# *\($locale.UTF-8 UTF-8\)/\1/" /etc/locale.gen
  done
  locale-gen >/dev/null
}

if [ ${#need[@]} -eq 0 ]; then
  ensure_locales
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${need[*]} (run as root to install them)" >&2
  exit 1
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
echo "installing: ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
update_log=$(mktemp)
pins=$(mktemp)
trap 'rm -f "$update_log" "$pins"' EXIT
# A mirror in mid-sync may fail one index; what was read still serves.
if ! apt-get update -qq 2>"$update_log"; then
  cat "$update_log" >&2
  echo "some package indexes could not be read; going on with the others" >&2
fi
install() { apt-get install -y -qq --no-install-recommends "$@" "${need[@]}" >/dev/null; }
if ! install; then
  # A suite whose index failed for one architecture only offers the other
  # architecture newer versions, and libraries installed for both (32-bit
  # Wine beside 64-bit) must have the same version. Take such suites last.
  suites=$(grep -o 'dists/[^/]*/' "$update_log" | cut -d/ -f2 | sort -u)
  [ -n "$suites" ] || exit 1
  for suite in $suites; do
    printf 'Package: *\nPin: release n=%s\nPin-Priority: 1\n\n' "$suite"
  done >"$pins"
  echo "retrying with these suites taken last: $suites" >&2
  install -o Dir::Etc::Preferences="$pins"
fi
ensure_locales

#!/bin/sh
# Runs one test command (the emulator, the test executable, its arguments)
# in the lane CTest gave it. scripts/test.sh runs the test executables in
# several lanes at once; each lane is a folder of PELLIX_TEST_LANE_ROOT with
# its own Wine prefix (own registry, wineserver, pipes and temp folder) and
# its own hard-linked copy of the program folder, so that a test that takes
# a library or picture away, or leaves a file beside the program, cannot
# disturb a test running in another lane.
# CTest names the lane in CTEST_RESOURCE_GROUP_0_WINEPREFIX ("id:1,slots:1");
# without it (CTest run by hand) the command runs as it is.
lane=$(printf '%s' "${CTEST_RESOURCE_GROUP_0_WINEPREFIX:-}" | sed -n 's/^id:\([0-9][0-9]*\),.*/\1/p')
if [ -n "$lane" ] && [ -n "${PELLIX_TEST_LANE_ROOT:-}" ]; then
  # CTest starts the test in the program folder.
  program=$PWD
  folder=$PELLIX_TEST_LANE_ROOT/$lane
  copy=$folder/${program##*/}
  export WINEPREFIX=$folder/wineprefix
  cd "$copy" || exit 1
  for argument do
    shift
    case $argument in
      "$program"/*) argument=$copy/${argument#"$program"/} ;;
    esac
    set -- "$@" "$argument"
  done
fi
exec "$@"

#!/usr/bin/env bash
# Sets up the machine, builds the optimised game and its data set (nothing else), and starts it
# with the options given, e.g. scripts/play.sh -record
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
-h | --help)
    cat <<'USAGE'
usage: scripts/play.sh [OPTION]...

Installs what the build needs, builds the game and its data set into build/release/bin/ and
starts it. The options are passed on to the game (a value follows its option after "="):
  -record            record this run into the demo file
  -play              play the demo file back
  -demofile=NAME     the demo file to record or play (default vuroapp.dmo beside the game)
  -recnum=N          record into a new numbered demo file, keeping at most N of them
  -playnum=N         play back the N-th newest numbered demo file
  -crash             raise a test fault, to see the crash report
  -screensaver       run as a screen saver
USAGE
    exit 0
    ;;
esac

scripts/setup.sh

cmake --preset release
cmake --build --preset release --target quandrellis dataset

exec build/release/bin/quandrellis "$@"

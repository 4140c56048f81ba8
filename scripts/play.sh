#!/usr/bin/env bash
# Sets up the machine, builds the optimised program with its data set, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake --preset release
cmake --build --preset release

program=build/release/bin/quandrellis
if [ ! -x "$program" ]; then
    echo "The game program is not built yet: the framework stands, the game comes later."
    exit 0
fi
exec "$program" "$@"

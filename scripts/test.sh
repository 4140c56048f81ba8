#!/usr/bin/env bash
# Sets up the machine, builds with AddressSanitizer and UndefinedBehaviorSanitizer, runs every
# test, then runs each fuzz target for a short fixed time. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake --preset dev
cmake --build --preset dev
ctest --preset dev

if [ -x scripts/fuzz.sh ]; then
    scripts/fuzz.sh
fi

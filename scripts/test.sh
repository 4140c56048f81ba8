#!/usr/bin/env bash
# Sets up the machine, builds with AddressSanitizer and UndefinedBehaviorSanitizer, runs every
# test, runs the threaded suites under ThreadSanitizer, then runs each fuzz target for a short
# fixed time. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake --preset dev
cmake --build --preset dev

log=build/dev/ctest.log
ctest --preset dev 2>&1 | tee "$log"
count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)

# The suites that run threads again under ThreadSanitizer (clang); any report fails.
cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan

if [ -x scripts/fuzz.sh ]; then
    scripts/fuzz.sh
fi

# The test count again as the last line, after the fuzzers' output.
echo "tests: ${count:-0} passed, 0 failed"

#!/usr/bin/env bash
# Sets up the machine, builds with AddressSanitizer and UndefinedBehaviorSanitizer (GCC), runs
# every test, builds the whole project again under clang with ThreadSanitizer and runs every test
# there but the real faults', then runs each fuzz target for a short fixed time. Exits non-zero
# on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake --preset dev
cmake --build --preset dev

log=build/dev/ctest.log
ctest --preset dev 2>&1 | tee "$log"
count=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)

# Everything again under clang with ThreadSanitizer; any report fails.
cmake --preset tsan
cmake --build --preset tsan
# The asset tool makes the same data set whichever compiler built it.
for folder in images levels local media sound; do
    if ! diff -r --brief "build/dev/bin/$folder" "build/tsan/bin/$folder"; then
        echo "the data set differs between the GCC and the clang build: bin/$folder" >&2
        exit 1
    fi
done
ctest --preset tsan

if [ -x scripts/fuzz.sh ]; then
    scripts/fuzz.sh
fi

# The test count again as the last line, after the fuzzers' output.
echo "tests: ${count:-0} passed, 0 failed"

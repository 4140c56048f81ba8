#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer) and runs
# each one for a short fixed time, starting from its seed corpus in fuzz/corpus/<target>/.
# Exits non-zero on the first finding; the input that caused it is kept in
# build/fuzz/artifacts/<target>/ and can be replayed with build/fuzz/bin/fuzz_<target> FILE.
# FUZZ_SECONDS changes the time per target (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${FUZZ_SECONDS:-30}"
targets=(gif tga png jpeg xml text registry demo fontdesc sound ogg mp3 module resources http level playerdata)

cmake --preset fuzz
cmake --build --preset fuzz

# Any undefined behaviour is a finding, not a warning.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export ASAN_OPTIONS="detect_leaks=1"

for target in "${targets[@]}"; do
    work="build/fuzz/corpus/$target"
    artifacts="build/fuzz/artifacts/$target/"
    mkdir -p "$work" "$artifacts"
    args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -print_final_stats=1
          -artifact_prefix="$artifacts")
    if [ -f "fuzz/$target.dict" ]; then
        args+=(-dict="fuzz/$target.dict")
    fi
    echo "== fuzz_$target for ${seconds}s"
    # New inputs go to the work folder under build/; the seeds in the repository stay as they are.
    "build/fuzz/bin/fuzz_$target" "${args[@]}" "$work" "fuzz/corpus/$target"
done
echo "== all fuzz targets ran clean"

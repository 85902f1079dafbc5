#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time on a scratch copy of its seed
# corpus (the committed corpus is never modified). A crash, leak, sanitizer
# report or timeout makes libFuzzer exit non-zero, which fails the test; the
# reproducer is left in the run directory.
#
#   fuzz-run.sh FUZZER SEED_CORPUS_DIR RUN_DIR
# Environment: FUZZ_SECONDS (default 60), FUZZ_SEED (default 1, fixed so a CI
# run explores the same inputs each time).
set -euo pipefail

fuzzer=$1
seeds=$2
run=$3
seconds=${FUZZ_SECONDS:-60}
seed=${FUZZ_SEED:-1}

rm -rf "$run"
mkdir -p "$run/corpus" "$run/artifacts"
if [ -d "$seeds" ]; then
    cp -R "$seeds/." "$run/corpus/"
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$fuzzer" -max_total_time="$seconds" -seed="$seed" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$run/artifacts/" "$run/corpus"

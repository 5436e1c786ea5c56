#!/bin/sh
# Runs the replay fuzz target for a bounded time on a copy of the seed corpus; any crash, sanitizer report or slow
# input fails, and the input that did it is shown.
# Usage: run_fuzz.sh PATH-TO-replay_fuzz SEED-CORPUS-DIR [SECONDS]
set -u
fuzzer=$1
seeds=$2
seconds=${3:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/found"
cp "$seeds"/* "$work/corpus/"

"$fuzzer" -max_total_time="$seconds" -timeout=2 -max_len=4096 -rss_limit_mb=1024 -print_final_stats=1 \
    -error_exitcode=1 -timeout_exitcode=1 -artifact_prefix="$work/found/" "$work/corpus" 2>"$work/log"
status=$?
grep -E '^(INFO: Seed|stat::number_of_executed_units|stat::peak_rss_mb|Done )' "$work/log"
if [ "$status" -ne 0 ]; then
    echo "FAIL: the fuzz target stopped with status $status"
    tail -n 60 "$work/log"
    for input in "$work"/found/*; do
        [ -e "$input" ] || continue
        echo "--- the input, $(wc -c <"$input") bytes: ---"
        od -An -c "$input" | head -n 20
    done
    exit 1
fi
echo "the fuzz target ran ${seconds} s and found nothing"

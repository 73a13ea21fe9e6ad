#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS from its seed corpus; fails on a crash, a hang or
# a sanitizer report.
set -euo pipefail
build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in fuzz_number_pattern fuzz_datetime_pattern fuzz_parsers fuzz_color_text fuzz_ini \
              fuzz_xls_number_format fuzz_csv_reader fuzz_exporters fuzz_json; do
    corpus="$work/$target"
    mkdir -p "$corpus"
    [ -d "$root/fuzz/corpus/$target" ] && cp "$root/fuzz/corpus/$target"/* "$corpus"/
    echo "== $target (${seconds}s)"
    "$build/bin/$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=2048 -artifact_prefix="$work/" -print_final_stats=0 2>&1 | tail -n 3
    if ls "$work"/crash-* "$work"/timeout-* "$work"/oom-* >/dev/null 2>&1; then
        echo "$target found a failure" >&2
        exit 1
    fi
done

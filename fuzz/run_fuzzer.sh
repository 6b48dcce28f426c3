#!/usr/bin/env bash
# run_fuzzer.sh BINARY SEEDS WORK SECONDS MAX_LEN [DICT]
# Runs one fuzz target for SECONDS on the corpus in WORK/corpus (new inputs go there) and the
# seeds in SEEDS (only read), and exits non-zero on a finding; the input that broke a property,
# crashed, leaked or hung is kept in WORK as crash-*, leak-*, timeout-* or oom-*.
set -euo pipefail
binary=$1 seeds=$2 work=$3 seconds=$4 max_len=$5 dict=${6:-}
mkdir -p "$work/corpus"
args=(-max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048
      -print_final_stats=1 -artifact_prefix="$work/")
[ -n "$dict" ] && args+=(-dict="$dict")
exec "$binary" "${args[@]}" "$work/corpus" "$seeds"

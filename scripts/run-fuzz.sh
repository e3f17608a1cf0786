#!/usr/bin/env bash
# Runs every fuzz target of a build: first the inputs that once failed it
# (fuzz/regressions/<name>/), then new inputs for the given seconds, from
# the seeds of fuzz/corpus/<name>/. Inputs found on the way are kept in the
# build folder, crashes in the current folder as crash-*.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
targets=("$build"/fuzz/fuzz_*)
if ((${#targets[@]} == 0)); then
    echo "no fuzz targets in $build/fuzz" >&2
    exit 1
fi
for binary in "${targets[@]}"; do
    name=${binary##*/fuzz_}
    echo "== $name"
    log="$build/fuzz-$name.log"
    regressions=("$top/fuzz/regressions/$name"/*)
    if ((${#regressions[@]} > 0)) && ! "$binary" "${regressions[@]}" >"$log" 2>&1; then
        tail -n 40 "$log"
        exit 1
    fi
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    [[ -d $top/fuzz/corpus/$name ]] && seeds=("$top/fuzz/corpus/$name")
    if ! "$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix="$build/" "$corpus" "${seeds[@]}" \
        >"$log" 2>&1; then
        tail -n 40 "$log"
        exit 1
    fi
    grep -E '^#[0-9]+' "$log" | tail -n 1
done

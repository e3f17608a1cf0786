#!/usr/bin/env bash
# Prints the monthly report of the bundled samples.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
# The sample tariffs and reports are written in en-US conventions.
exec "$build/cli/dialtally-report" --home "$top/samples/home" --locale en-US --format text \
    "$top/samples/Monthly.rep"

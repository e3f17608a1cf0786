#!/usr/bin/env bash
# Prints the monthly report of the bundled samples.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
exec "$build/cli/dialtally-report" --home "$top/samples/home" --format text "$top/samples/Monthly.rep"

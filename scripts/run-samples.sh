#!/usr/bin/env bash
# Opens the window on the bundled samples' monthly report. With "report"
# as the second argument, prints that report with the report command.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
# The sample tariffs and reports are written in en-US conventions.
if [[ ${2:-} == report ]]; then
    exec "$build/cli/dialtally-report" --home "$top/samples/home" --locale en-US --format text \
        "$top/samples/Monthly.rep"
fi
exec "$build/gui/dialtally" --home "$top/samples/home" --locale en-US "$top/samples/Monthly.rep"

#!/bin/sh
# The window's usage errors end with their exit status and reason also where
# there is no display, as the usage and the version answer there.
# usage: check-window-usage-errors.sh DIALTALLY
set -u
window=$1
failed=0
export DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM=xcb

# status, DIALTALLY_LOCALE, arguments
check() {
    status=$1 locale=$2
    shift 2
    message=$(DIALTALLY_LOCALE=$locale "$window" "$@" 2>&1 >/dev/null)
    got=$?
    if [ "$got" -ne "$status" ]; then
        printf 'dialtally %s (DIALTALLY_LOCALE=%s): exit status %s, not %s: %s\n' \
            "$*" "$locale" "$got" "$status" "$message"
        failed=1
    fi
}

check 1 "" --bogus
check 1 "" --home
check 2 "" --locale xx-YY
check 2 xx-YY
check 2 "" --home /proc/no-such-folder
check 2 "" -platform offscreen --home /proc/no-such-folder
# a report named like an option is a usage error, not Qt's abort
check 1 "" -x.rep
# Qt's options, with one dash or two, are Qt's to take out
check 2 "" --platform offscreen --locale xx-YY
exit $failed

#!/bin/sh
# Renders each manual page as man(1) would and checks that it names every
# option its program's --help prints, and that its OPTIONS name no option
# the program lacks.
# usage: check-manual-pages.sh MAN_DIR DIALTALLY_REPORT DIALTALLY
set -eu
man_dir=$1 report=$2 window=$3
failed=0
export QT_QPA_PLATFORM=offscreen

options() { grep -oE '(^|[][ ,(])--?[a-zA-Z][a-zA-Z-]*' | grep -oE -- '--?[a-zA-Z][a-zA-Z-]*' | sort -u; }

check() {
    page=$man_dir/$1.1
    shift
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
        printf '%s: %s\n' "$page" "$warnings"
        failed=1
    fi
    # Plain text without hyphenation, so that no option is broken in two.
    text=$(groff -t -man -Tutf8 -rHY=0 -rLL=80n -P-cbou "$page")
    help=$("$@" --help)
    for option in $(printf '%s\n' "$help" | options); do
        if ! printf '%s\n' "$text" | grep -qE -- "(^|[^a-zA-Z-])$option([^a-zA-Z-]|\$)"; then
            echo "$page does not name $option, which --help prints"
            failed=1
        fi
    done
    # The option entries are the lines of OPTIONS that start with a dash at
    # the section's indent (their descriptions are indented further).
    documented=$(printf '%s\n' "$text" | sed -n '/^OPTIONS$/,/^[A-Z]/p' | grep -E '^ {7}-' | options)
    for option in $documented; do
        if ! printf '%s\n' "$help" | grep -qE -- "(^|[^a-zA-Z-])$option([^a-zA-Z-]|\$)"; then
            echo "$page names $option, which --help does not print"
            failed=1
        fi
    done
}

check dialtally-report "$report"
check dialtally "$window"
exit $failed

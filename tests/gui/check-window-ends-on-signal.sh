#!/bin/sh
# The window ended by a signal (the session's end, a closed terminal) exits
# normally and keeps its settings, as closing it does. (SIGINT is handled
# alike, but a shell's background job starts with it ignored.) When the
# settings cannot be written, it says so on standard error and still exits:
# a message box no one answers would hold the logout up.
# usage: check-window-ends-on-signal.sh WINDOW SAMPLE_HOME
set -eu
window=$1 samples=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for signal in TERM HUP UNWRITABLE; do
    home=$scratch/home-$signal runtime=$scratch/run-$signal
    cp -r "$samples" "$home"
    mkdir -m 700 "$runtime"
    # --foreground: the signal reaches the window once, from the test alone,
    # not a second time through timeout's process group.
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime timeout --foreground 60 \
        "$window" --home "$home" --locale en-US 2>"$scratch/err-$signal" &
    pid=$!
    # The window listens for a second start once its handlers are in place.
    tries=0
    while [ -z "$(find "$runtime" -type s 2>/dev/null)" ] && [ $tries -lt 600 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    sent=$signal
    if [ $signal = UNWRITABLE ]; then
        # A folder in the settings file's place fails its write, even as root.
        rm "$home/Dialtally.ini"
        mkdir "$home/Dialtally.ini"
        sent=TERM
    fi
    kill -s $sent $pid
    status=0
    wait $pid || status=$?
    if [ $status -ne 0 ]; then
        echo "SIG$signal: the window exited with $status after $tries waits for its socket"
        cat "$scratch/err-$signal"
        failed=1
    fi
    if [ $signal = UNWRITABLE ]; then
        if ! grep -q 'Error: An error occurred writing .*Dialtally.ini' "$scratch/err-$signal"; then
            echo "unwritable settings: no message on standard error"
            failed=1
        fi
    elif ! grep -q '^\[Options\]' "$home/Dialtally.ini"; then
        echo "SIG$signal: the settings were not written"
        failed=1
    fi
done
exit $failed

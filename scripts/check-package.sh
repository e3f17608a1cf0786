#!/usr/bin/env bash
# The whole life of the Debian package on this machine: apt-get installs it,
# both programs run from the PATH (the window under Xvfb), apt-get removes
# and purges it, and the system folders hold nothing of it afterwards.
#
#   scripts/check-package.sh [PACKAGE.deb] [DISPLAY]
#
# Needs root (or sudo) and a machine where dialtally is not installed; the
# package defaults to the newest build/dialtally_*.deb (`make package`),
# the display to :63. Prints each step; exits non-zero at the first failure.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
deb=${1:-$(ls -t "$top"/build/dialtally_*.deb 2>/dev/null | head -n 1)}
display=${2:-:63}
[[ -f $deb ]] || { echo "no package; run make package first" >&2; exit 1; }
deb=$(realpath "$deb")
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

# No progress lines from dpkg.
quiet="-o Dpkg::Use-Pty=0"

step() { printf '\n== %s\n' "$*"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

if dpkg-query -W -f='${Status}' dialtally 2>/dev/null | grep -q installed; then
    fail "dialtally is installed already; remove it first"
fi
work=$(mktemp -d)
xvfb=""
window=""
installed=""
cleanup() {
    [[ -z $window ]] || kill "$window" 2>/dev/null || true
    [[ -z $xvfb ]] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
    # A failed step leaves the machine as it found it.
    if [[ -n $installed ]] && dpkg-query -W dialtally >/dev/null 2>&1; then
        $sudo apt-get purge -y -q dialtally >/dev/null 2>&1 || true
    fi
}
trap cleanup EXIT
# The programs run as a fresh user would, with a home of their own.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME"
cp -r "$top/samples/home" "$work/samples"

# The folders a package may write to, without the package manager's own
# records; compared before and after.
system_files() {
    find /usr /etc /opt /var/lib -xdev \( -path /var/lib/dpkg -o -path /var/lib/apt \) -prune \
        -o -print 2>/dev/null | LC_ALL=C sort
}
system_files >"$work/before.txt"

step "apt-get install $(basename "$deb")"
$sudo apt-get install -y -q $quiet "$deb" 2>&1 | grep -vE '^(Reading|Building|N: Download)' || true
installed=yes
dpkg-query -W -f='${Package} ${Version} ${Status}\n' dialtally
dpkg-query -W -f='${Status}' dialtally | grep -q "install ok installed" || fail "not installed"

step "dialtally-report from the PATH"
cd "$work"
command -v dialtally dialtally-report
dialtally-report --version
dialtally-report --home "$work/samples" --locale en-US --format text \
    --output "$work/monthly.txt" "$top/samples/Monthly.rep"
head -n 4 "$work/monthly.txt"
man -w dialtally dialtally-report

step "the desktop knows the type and the entry"
grep -H "mime-type type" /usr/share/mime/packages/org.dialtally.Dialtally.xml
test -f /usr/share/mime/application/x-dialtally-report.xml || fail "MIME database lacks the type"
if [[ -f /usr/share/applications/mimeinfo.cache ]]; then
    grep -H "x-dialtally-report" /usr/share/applications/mimeinfo.cache ||
        fail "the desktop database does not know the entry"
fi

step "the window from the PATH under Xvfb on $display"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
dialtally --home "$work/samples" --locale en-US "$top/samples/Monthly.rep" \
    >"$work/window.log" 2>&1 &
window=$!
id=$(timeout 30 xdotool search --sync --onlyvisible --pid "$window" --name Dialtally | head -n 1) ||
    fail "no window appeared; $(cat "$work/window.log")"
echo "window $id: $(xdotool getwindowname "$id")"
xprop -id "$id" WM_CLASS
# The icon the window manager and the task switcher show.
icon=$(xprop -id "$id" _NET_WM_ICON)
[[ $icon == "_NET_WM_ICON(CARDINAL) = "*"Icon ("* ]] || fail "the window has no icon: $icon"
grep -o 'Icon ([0-9]* x [0-9]*)' <<<"$icon" | tr '\n' ' '
echo
kill "$window"
wait "$window" 2>/dev/null || true
window=""
kill "$xvfb"
wait "$xvfb" 2>/dev/null || true
xvfb=""
cd /

step "apt-get remove, then purge"
$sudo apt-get remove -y -q $quiet dialtally 2>&1 | grep -vE '^(Reading|Building)' || true
# A package without configuration files is gone after remove already.
if dpkg-query -W dialtally >/dev/null 2>&1; then
    $sudo apt-get purge -y -q $quiet dialtally 2>&1 | grep -vE '^(Reading|Building)' || true
else
    echo "dpkg keeps nothing of dialtally after remove: nothing to purge"
fi
if dpkg-query -W -f='${Status}' dialtally 2>/dev/null | grep -qv "not-installed"; then
    fail "still known to dpkg: $(dpkg-query -W -f='${Status}' dialtally)"
fi

step "nothing left behind"
system_files >"$work/after.txt"
if ! diff "$work/before.txt" "$work/after.txt"; then
    fail "the system folders changed"
fi
leftovers=$(grep -rlas "dialtally" /usr/share/mime /usr/share/applications \
    /usr/share/icons/hicolor/icon-theme.cache /var/lib/dpkg/info 2>/dev/null || true)
[[ -z $leftovers ]] || fail "caches still name dialtally: $leftovers"
echo "no file added, none removed; no cache names dialtally"
echo "PASSED"

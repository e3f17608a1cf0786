#!/usr/bin/env bash
# Installs the Debian packages of scripts/packages.txt that are missing.
# Idempotent: does nothing (and needs no network) when all are present.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t wanted < <(grep -vE '^\s*(#|$)' "$here/packages.txt")
missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$pkg")
done
if ((${#missing[@]} == 0)); then
    exit 0
fi
echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"

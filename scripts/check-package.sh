#!/usr/bin/env bash
# Builds the Debian package from a built tree, installs it with dpkg and starts the installed
# program offscreen as an ordinary user (check-installed.sh). Needs root for dpkg.
#   check-package.sh [BUILD]   the build folder, "build" when omitted
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
(cd "$build" && cpack -G DEB)
deb=$(ls -t "$build"/numora_*.deb | head -1)
dpkg-deb --info "$deb"
dpkg -i "$deb" || { apt-get install -y -f; dpkg -i "$deb"; }
./scripts/check-installed.sh /usr

#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when some are missing.
set -euo pipefail
packages=(cmake g++ make ccache libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libqt6opengl6-dev
          qt6-charts-dev qt6-tools-dev qt6-translations-l10n fontconfig fonts-liberation2
          # the end-to-end test: a virtual screen, a window manager, xprop to read the titles it shows and xdotool to type as a user
          xvfb xauth openbox x11-utils xdotool
          # qhelpgenerator and the help's database driver; dpkg-shlibdeps for the Debian package
          qt6-documentation-tools libqt6sql6-sqlite dpkg-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Pacchetti mancanti: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=""; elif command -v sudo >/dev/null; then sudo="sudo"; else
  echo "Installare i pacchetti come amministratore: apt-get install ${missing[*]}" >&2; exit 1
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Starts an installed Numora as an ordinary user, offscreen, and checks that it runs and keeps the
# user's data in the user's own folder, not in the read-only program folder.
#   check-installed.sh PREFIX   the prefix of the installation (/usr for the package)
# As root the programs run as the user "nobody" with a home of their own; otherwise as the caller.
set -euo pipefail
prefix=$1
for f in bin/numora bin/numora-cli lib/numora/numora lib/numora/Numora.ini lib/numora/Numora.smo \
         lib/numora/help/Numora.qch share/applications/numora.desktop share/icons/hicolor/scalable/apps/numora.svg; do
  [ -e "$prefix/$f" ] || { echo "manca $prefix/$f" >&2; exit 1; }
done
home=$(mktemp -d /tmp/numora-home.XXXXXX)
trap 'rm -rf "$home"' EXIT
chmod 755 "$home"
run=()
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$home"
  run=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
before=$(ls -la "$prefix/lib/numora")
set +e
"${run[@]}" env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen timeout -s TERM 6 "$prefix/bin/numora"
rc=$?
set -e
# Still running when the time ran out: 124.
[ "$rc" -eq 124 ] || { echo "numora è terminato con il codice $rc" >&2; exit 1; }
data="$home/.local/share/Numora"
for f in Numora.ini Numora.smo Condizioni.ori; do
  [ -f "$data/$f" ] || { echo "manca $data/$f" >&2; exit 1; }
done
[ "$before" = "$(ls -la "$prefix/lib/numora")" ] || { echo "la cartella del programma è cambiata" >&2; exit 1; }
"${run[@]}" env -u XDG_DATA_HOME HOME="$home" "$prefix/bin/numora-cli" info
echo "Numora installato in $prefix: avviato, dati in $data"

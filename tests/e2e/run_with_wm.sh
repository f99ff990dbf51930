#!/bin/sh
# Runs a test on a virtual screen of the given size with a real window manager (openbox), which
# decorates and places the windows as a desktop does.
# Usage: run_with_wm.sh WIDTHxHEIGHT PROGRAM [ARGUMENTS...]
set -eu
size=$1
shift
for tool in xvfb-run openbox xprop xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$tool non trovato: test saltato"
    exit 0
  fi
done
exec xvfb-run -a -s "-screen 0 ${size}x24" sh -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  # The manager is ready once it has claimed the screen.
  tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then echo "openbox non si è avviato" >&2; kill $wm; exit 1; fi
    sleep 0.1
  done
  status=0
  "$@" || status=$?
  kill $wm 2>/dev/null || true
  exit $status
' run-with-wm "$@"

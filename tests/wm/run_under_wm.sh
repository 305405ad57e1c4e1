#!/bin/sh
# Runs a program on a virtual X server with a small window manager (openbox), as a designer's
# desktop would show it.
set -eu
program="$1"
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  openbox >/dev/null 2>&1 &
  sleep 1
  QT_QPA_PLATFORM=xcb "$0"
  status=$?
  kill $! 2>/dev/null || true
  exit $status' "$program"

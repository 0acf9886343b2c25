#!/usr/bin/env bash
# Installs what is missing, builds, and starts the monitor under Wine.
#   scripts/run.sh        start it (on $DISPLAY, or on a private Xvfb when there is none)
#   scripts/run.sh stop   ask it to exit ("Korvane.exe -Q") and stop the private X server
set -u
. "$(dirname "$0")/env.sh"
prefix="$KV_BUILD/wineprefix-run"
xpid_file="$KV_BUILD/run-xvfb.pid"
xdisp_file="$KV_BUILD/run-display"

if [ "${1:-}" = stop ]; then
  export WINEPREFIX=$prefix
  [ -f "$xdisp_file" ] && export DISPLAY=$(cat "$xdisp_file")
  wine "$KV_WIN_BUILD/bin/Korvane.exe" -Q >/dev/null 2>&1 </dev/null
  # The monitor may be asking whether to exit (ConfirmExit): give it time, then end Wine.
  for _ in $(seq 50); do
    grep -qsa "$KV_WIN_BUILD/bin/Korvane.exe" /proc/[0-9]*/cmdline || break
    sleep 0.2
  done
  wineserver -k >/dev/null 2>&1
  if [ -f "$xpid_file" ]; then kill "$(cat "$xpid_file")" 2>/dev/null; rm -f "$xpid_file" "$xdisp_file"; fi
  kv_log "stopped"
  exit 0
fi

kv_setup || exit 1
kv_build programs-only || exit 1
if [ -z "${DISPLAY:-}" ]; then
  kv_start_x private || exit 1
  echo "$KV_XVFB_PID" >"$xpid_file"
  echo "$DISPLAY" >"$xdisp_file"
  kv_log "no DISPLAY: the monitor runs on a private Xvfb at $DISPLAY"
fi
kv_start_wine "$prefix"
setsid wine "$KV_WIN_BUILD/bin/Korvane.exe" >/dev/null 2>&1 </dev/null &
kv_log "Korvane.exe is running in $prefix; stop it with: scripts/run.sh stop"

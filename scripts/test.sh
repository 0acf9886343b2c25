#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the native core tests
# (ASan/UBSan, fuzz smoke runs) and the Windows tests under Wine in a fresh prefix.
set -u
. "$(dirname "$0")/env.sh"
kv_setup || exit 1
kv_build with-host || exit 1

status=0
kv_log "native core tests"
ctest --test-dir "$KV_HOST_BUILD" --output-on-failure || status=1

kv_start_x private || exit 1
rm -rf "$KV_BUILD/wineprefix-test"
kv_start_wine "$KV_BUILD/wineprefix-test"
trap kv_stop_wine EXIT
kv_log "Windows tests under Wine"
ctest --test-dir "$KV_WIN_BUILD" --output-on-failure || status=1
exit $status

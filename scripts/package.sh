#!/usr/bin/env bash
# Builds the three programs and their setup: build/Korvane-<version>-setup.exe (NSIS).
set -u
. "$(dirname "$0")/env.sh"
kv_setup || exit 1
kv_build programs-only || exit 1

version_file=$KV_WIN_BUILD/installer/version.nsh
version=$(sed -n 's/^!define KV_VERSION "\(.*\)"$/\1/p' "$version_file")
[ -n "$version" ] || { kv_log "no version in $version_file"; exit 1; }
setup=$KV_BUILD/Korvane-$version-setup.exe
kv_log "making $setup"
makensis -V2 -DKV_BIN="$KV_WIN_BUILD/bin" -DKV_VERSION_FILE="$version_file" \
  -DKV_OUTFILE="$setup" "$KV_ROOT/installer/korvane.nsi" || exit 1
kv_log "done: $setup ($(stat -c %s "$setup") bytes)"

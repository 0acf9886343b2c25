#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds each (default 60), starting from
# the seeds in fuzz/corpus. New inputs collect in $KV_BUILD/fuzz-corpus; crashing inputs
# are kept in $KV_BUILD/fuzz-artifacts. Exits non-zero when any target found a fault.
set -u
. "$(dirname "$0")/env.sh"
seconds=${1:-60}

if [ ! -f "$KV_HOST_BUILD/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$KV_ROOT" -B "$KV_HOST_BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null || exit 1
fi
cmake --build "$KV_HOST_BUILD" || exit 1

status=0
for exe in $(find "$KV_HOST_BUILD/fuzz" -maxdepth 1 -type f -executable -name 'fuzz_*' | sort); do
  name=$(basename "$exe")
  corpus="$KV_BUILD/fuzz-corpus/$name"
  artifacts="$KV_BUILD/fuzz-artifacts/$name"
  mkdir -p "$corpus" "$artifacts"
  seeds=()
  [ -d "$KV_ROOT/fuzz/corpus/$name" ] && seeds=("$KV_ROOT/fuzz/corpus/$name")
  kv_log "fuzzing $name for $seconds s"
  if ! "$exe" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$artifacts/" "$corpus" "${seeds[@]}"; then
    kv_log "$name found a fault; inputs in $artifacts"
    status=1
  fi
done
exit $status

# Shared settings of the build, run and test scripts. Sourced, not run.
KV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KV_BUILD=${KV_BUILD:-$KV_ROOT/build}
KV_WIN_BUILD=$KV_BUILD/windows
KV_HOST_BUILD=$KV_BUILD/host
KV_PACKAGES="mingw-w64 wine wine64 xvfb x11-utils cmake ninja-build imagemagick googletest clang libclang-rt-14-dev sox nsis openssl osslsigncode"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64

kv_log() { printf '== %s\n' "$*" >&2; }

# Installs whatever of the packages is missing (root, or through sudo).
kv_setup() {
  local missing=() p
  for p in $KV_PACKAGES; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  kv_log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Builds the Windows programs and tests (mingw-w64) and, with-host, the host core with its
# tests; programs-only builds the three programs and nothing else.
kv_build() {
  cmake -S "$KV_ROOT" -B "$KV_WIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$KV_ROOT/cmake/mingw-w64.cmake" >/dev/null || return 1
  if [ "${1:-}" = programs-only ]; then
    cmake --build "$KV_WIN_BUILD" --target Korvane KorvaneEx Tarvex
    return
  fi
  cmake --build "$KV_WIN_BUILD" || return 1
  if [ "${1:-}" = with-host ]; then
    CC=clang CXX=clang++ cmake -S "$KV_ROOT" -B "$KV_HOST_BUILD" -G Ninja \
      -DCMAKE_BUILD_TYPE=Debug >/dev/null || return 1
    cmake --build "$KV_HOST_BUILD" || return 1
  fi
}

# Starts a private X server when none is given; sets DISPLAY and KV_XVFB_PID.
kv_start_x() {
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != private ]; then return 0; fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  KV_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  kv_log "Xvfb did not start on $DISPLAY"; return 1
}

# Makes the prefix when missing and keeps one wineserver with Wine's services running,
# their output detached so that nothing waiting on our pipes waits on them.
kv_start_wine() {
  export WINEPREFIX=$1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    kv_log "making Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    WINEDLLOVERRIDES=mscoree,mshtml= wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -w
    # One virtual desktop with a taskbar and notification area, like a real session.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f >/dev/null 2>&1 </dev/null
    wineserver -w
  fi
  # Detached from our output, or a caller reading it would wait for the server to end.
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

kv_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  if [ -n "${KV_XVFB_PID:-}" ]; then kill "$KV_XVFB_PID" 2>/dev/null; wait "$KV_XVFB_PID" 2>/dev/null; fi
  return 0
}

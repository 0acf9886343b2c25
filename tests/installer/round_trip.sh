#!/usr/bin/env bash
# Installer round trip under Wine: a silent install of an older setup, an upgrade to the
# current one that keeps the user's history and settings, and a silent uninstall.
#   round_trip.sh <source dir> <programs folder> <version.nsh> <install_probe.exe> <work dir>
# Runs in the test prefix ($WINEPREFIX, with a wineserver running). Exit 77: no makensis.
set -u
[ $# -eq 5 ] || { echo "usage: $0 source bin version.nsh probe.exe workdir" >&2; exit 2; }
SOURCE=$1 BIN=$2 VERSION_FILE=$3 PROBE=$4 WORK=$5

command -v makensis >/dev/null || { echo "makensis is not installed: skipped"; exit 77; }
[ -n "${WINEPREFIX:-}" ] || { echo "WINEPREFIX is not set" >&2; exit 1; }

OLD_VERSION=15.1.0.0
NEW_VERSION=$(sed -n 's/^!define KV_VERSION "\(.*\)"$/\1/p' "$VERSION_FILE")
INSTDIR_WIN='C:\Program Files\Korvane'
INSTDIR="$WINEPREFIX/drive_c/Program Files/Korvane"
MENU="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Korvane"
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvane'
SETTINGS_KEY='HKCU\Software\Tamsel\Korvane'
RUN_COMMAND="\"$INSTDIR_WIN\\korvane.exe\" -expressboot"
SEED_NAME=InstallerRoundTrip
SEED_DATA="kept $$"
HISTORY_LINE="01/02/2008 10:00 *START_Remove round trip $$"
SETUP_TIMEOUT=180
WAIT_MS=30000

failures=0
check() {  # check <what> <command...>
  local what=$1; shift
  if "$@"; then echo "ok    $what"; else echo "FAIL  $what"; failures=$((failures + 1)); fi
}
same() { [ "$1" = "$2" ] || { echo "      got [$1], want [$2]"; return 1; }; }

# The data of a registry value, or nothing (reg prints "    name    REG_SZ    data").
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r' |
    sed -n "s/^    $2    REG_[A-Z_]*    //p"
}
reg_absent() { ! wine reg query "$1" ${2:+/v "$2"} >/dev/null 2>&1 </dev/null; }

make_setup() {  # make_setup <out> <version define>
  makensis -V2 -DKV_BIN="$BIN" "$2" -DKV_OUTFILE="$1" "$SOURCE/installer/korvane.nsi" ||
    { echo "makensis failed for $1" >&2; exit 1; }
}

run_setup() {  # run_setup <setup.exe>: silent, bounded
  timeout "$SETUP_TIMEOUT" wine "$1" /S </dev/null
}

monitor() { wine "$PROBE" window Korvane "$1" "$WAIT_MS" </dev/null; }

program_files_present() {
  local f
  for f in Korvane.exe KorvaneEx.exe Tarvex.dll uninstall.exe; do
    [ -f "$INSTDIR/$f" ] || { echo "      missing $f"; return 1; }
  done
}
program_files_gone() {
  local f
  for f in Korvane.exe KorvaneEx.exe Tarvex.dll; do
    [ ! -e "$INSTDIR/$f" ] || { echo "      left $f"; return 1; }
  done
}
menu_present() {
  [ -f "$MENU/Korvane Explorer.lnk" ] && [ -f "$MENU/Korvane Monitor.lnk" ] &&
    [ -f "$MENU/Uninstall Korvane.lnk" ]
}

check_installed() {  # check_installed <version> <phase>
  check "$2: program files in Program Files" program_files_present
  check "$2: Start-menu entries" menu_present
  check "$2: monitor running" monitor present
  check "$2: quoted autostart value" same "$(reg_value "$RUN_KEY" Korvane)" "$RUN_COMMAND"
  check "$2: uninstall entry version" same "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" "$1"
  check "$2: uninstall entry publisher" same "$(reg_value "$UNINSTALL_KEY" Publisher)" Tamsel
  check "$2: quoted uninstall command" same "$(reg_value "$UNINSTALL_KEY" UninstallString)" \
    "\"$INSTDIR_WIN\\uninstall.exe\""
  check "$2: quiet uninstall command" same "$(reg_value "$UNINSTALL_KEY" QuietUninstallString)" \
    "\"$INSTDIR_WIN\\uninstall.exe\" /S"
}

check_user_data_kept() {  # check_user_data_kept <phase>
  check "$1: seeded history line kept" grep -qF "$HISTORY_LINE" "$INSTDIR/history.txt"
  check "$1: seeded setting kept" same "$(reg_value "$SETTINGS_KEY" "$SEED_NAME")" "$SEED_DATA"
}

clean_up() {
  wine "$WINEPREFIX/drive_c/Program Files/Korvane/Korvane.exe" -Q >/dev/null 2>&1 </dev/null
  wine reg delete "$SETTINGS_KEY" /v "$SEED_NAME" /f >/dev/null 2>&1 </dev/null
  rm -rf "$INSTDIR"
}

mkdir -p "$WORK" || exit 1
[ -n "$NEW_VERSION" ] || { echo "no version in $VERSION_FILE" >&2; exit 1; }
make_setup "$WORK/Korvane-$OLD_VERSION-setup.exe" -DKV_VERSION="$OLD_VERSION"
make_setup "$WORK/Korvane-$NEW_VERSION-setup.exe" -DKV_VERSION_FILE="$VERSION_FILE"
trap clean_up EXIT
rm -rf "$INSTDIR"
monitor gone || { echo "a Korvane monitor already runs in this prefix" >&2; exit 1; }

check "install $OLD_VERSION (silent)" run_setup "$WORK/Korvane-$OLD_VERSION-setup.exe"
check_installed "$OLD_VERSION" install

printf '%s\r\n' "$HISTORY_LINE" >>"$INSTDIR/history.txt"
wine reg add "$SETTINGS_KEY" /v "$SEED_NAME" /d "$SEED_DATA" /f >/dev/null 2>&1 </dev/null
check "seed a setting" same "$(reg_value "$SETTINGS_KEY" "$SEED_NAME")" "$SEED_DATA"

check "upgrade to $NEW_VERSION (silent)" run_setup "$WORK/Korvane-$NEW_VERSION-setup.exe"
check_installed "$NEW_VERSION" upgrade
check_user_data_kept upgrade

check "uninstall (silent)" wine "$PROBE" uninstall "$INSTDIR_WIN" $((SETUP_TIMEOUT * 1000))
check "uninstall: monitor ended" monitor gone
check "uninstall: program files removed" program_files_gone
check "uninstall: Start-menu entries removed" test ! -e "$MENU"
check "uninstall: autostart value removed" reg_absent "$RUN_KEY" Korvane
check "uninstall: uninstall entry removed" reg_absent "$UNINSTALL_KEY"
check_user_data_kept uninstall

echo "setup size: $(stat -c %s "$WORK/Korvane-$NEW_VERSION-setup.exe") bytes"
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "installer round trip passed"

#!/usr/bin/env bash
# KorvaneEx.exe -Report under Wine, on a prefix seeded with startup entries whose titles are
# hostile: the JSON document is read by a strict JSON parser and lists them with their facts;
# the HTML report, opened in headless Chromium, shows the nine sections and the hostile title
# as text (the screenshot is kept in the work folder); a missing kind or file, and a folder
# that cannot be written, end with a non-zero code and a message on standard error.
#   report_switch.sh <KorvaneEx.exe> <work dir>
# Runs in the test prefix ($WINEPREFIX, with a wineserver running). Exit 77: no Chromium.
set -u
[ $# -eq 2 ] || { echo "usage: $0 KorvaneEx.exe workdir" >&2; exit 2; }
EXE=$1 WORK=$2
[ -n "${WINEPREFIX:-}" ] || { echo "WINEPREFIX is not set" >&2; exit 1; }
command -v python3 >/dev/null || { echo "python3 is not installed" >&2; exit 1; }

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
DETECTED_KEY='HKCU\Software\Tamsel\Detected\Startup'
HOSTILE='<script>alert(1)</script><b>x'
QUOTED='Kv "Quoted" Café \ Tool'
COMMAND='C:\windows\notepad.exe /kvreport'
PROGRAM='C:\WINDOWS\NOTEPAD.EXE'
OUT_WIN='C:\kvreport'
OUT="$WINEPREFIX/drive_c/kvreport"

failures=0
check() {  # check <what> <command...>
  local what=$1; shift
  if "$@"; then echo "ok    $what"; else echo "FAIL  $what"; failures=$((failures + 1)); fi
}

report() {  # report <kind> <file>: runs the switch; sets status and err
  wine "$EXE" -Report "$@" >"$WORK/out.txt" 2>"$WORK/err.txt" </dev/null
  status=$?
  err=$(tr -d '\r' <"$WORK/err.txt")
}

seed() {
  wine reg add "$RUN_KEY" /v "$HOSTILE" /d "$COMMAND" /f >/dev/null 2>&1 </dev/null &&
    wine reg add "$RUN_KEY" /v "$QUOTED" /d "$COMMAND -q" /f >/dev/null 2>&1 </dev/null &&
    wine reg add "$DETECTED_KEY" /v "$PROGRAM" /d '12/06/2008 2:07 PM' /f >/dev/null 2>&1 </dev/null
}

clean_up() {
  wine reg delete "$RUN_KEY" /v "$HOSTILE" /f >/dev/null 2>&1 </dev/null
  wine reg delete "$RUN_KEY" /v "$QUOTED" /f >/dev/null 2>&1 </dev/null
  wine reg delete "$DETECTED_KEY" /v "$PROGRAM" /f >/dev/null 2>&1 </dev/null
  rm -rf "$OUT"
}

json_lists_the_seeded_items() {
  python3 - "$OUT/items.json" "$HOSTILE" "$QUOTED" "$COMMAND" "$PROGRAM" <<'PY'
import json, sys
path, hostile, quoted, command, program = sys.argv[1:]
def no_constants(name):
    raise ValueError("not JSON: " + name)
with open(path, encoding="utf-8", errors="strict") as f:
    doc = json.load(f, parse_constant=no_constants)
categories = {"startup", "delayedStart", "activeTasks", "scheduledTasks", "ieHelpers",
              "fileTypes", "services", "hiddenFiles", "activeX"}
strings = ["category", "title", "command", "company", "version"]
assert doc["schema"] == 2 and isinstance(doc["items"], list), "document head"
for item in doc["items"]:
    assert item["category"] in categories, item
    assert isinstance(item["locationCode"], int), item
    assert all(isinstance(item[k], str) for k in strings), item
    for k in ("locationName", "programFile", "firstDetected"):
        assert item[k] is None or isinstance(item[k], str), item
    assert item["signature"] in (None, "valid", "invalid", "unsigned"), item
    assert item["signer"] is None or item["signature"] == "valid", item
seen = {i["title"]: i for i in doc["items"] if i["category"] == "startup"}
first = seen[hostile]
assert first["locationCode"] == 11 and first["command"] == command, first
assert first["programFile"] == program, first
assert first["locationName"] == "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", first
assert first["firstDetected"] == "2008-12-06T14:07:00", first
assert seen[quoted]["command"] == command + " -q", seen[quoted]
assert any(i["category"] == "activeTasks" for i in doc["items"]), "no running program"
print("      %d items" % len(doc["items"]))
PY
}

dom_shows_sections_and_the_title_as_text() {
  local dom=$WORK/report.dom.html
  timeout 120 chromium --headless --no-sandbox --disable-gpu --dump-dom "file://$OUT/report.html" \
    >"$dom" 2>/dev/null || return 1
  python3 - "$dom" <<'PY'
import sys
dom = open(sys.argv[1], encoding="utf-8", errors="replace").read()
headings = ["Startup Programs", "Delayed Start", "Active Tasks", "Scheduled Tasks", "IE Helpers",
            "File Types", "Services", "Hidden Files", "ActiveX"]
for h in headings:
    assert ("<h3> %s </h3>" % h) in dom or ("<h3>%s</h3>" % h) in dom, h
assert dom.count("<h3>") == 9, dom.count("<h3>")
assert "&lt;script&gt;alert(1)&lt;/script&gt;&lt;b&gt;x" in dom, "title not shown as text"
assert "<script" not in dom.lower(), "a script element came from the report"
assert "<b>x" not in dom, "markup came from the title"
PY
}

screenshot_taken() {
  rm -f "$WORK/report.png"
  timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
    --window-size=1280,1600 --screenshot="$WORK/report.png" "file://$OUT/report.html" \
    >/dev/null 2>&1
  [ -s "$WORK/report.png" ]
}

mkdir -p "$WORK" || exit 1
trap clean_up EXIT
clean_up
mkdir -p "$OUT"
check "seed two Run entries and a first-detected record" seed

report json "$OUT_WIN\\items.json"
check "-Report json exits 0 (stderr: $err)" test "$status" -eq 0
check "the JSON document parses strictly and lists the seeded entries" json_lists_the_seeded_items

report json "$OUT_WIN\\missing\\items.json"
check "-Report json into a missing folder exits 1" test "$status" -eq 1
check "and says why on standard error" test -n "$err"
check "and leaves no file" test ! -e "$OUT/missing"

report csv "$OUT_WIN\\items.csv"
check "-Report csv exits 0 and writes the file" test "$status" -eq 0 -a -s "$OUT/items.csv"
report csv "$OUT_WIN\\missing\\items.csv"
check "-Report csv into a folder that cannot be written exits 1" test "$status" -eq 1
check "and says so on standard error ($err)" test -n "$err"
if [ "$(id -u)" -ne 0 ]; then
  mkdir -p "$OUT/locked" && chmod 555 "$OUT/locked"
  report csv "$OUT_WIN\\locked\\items.csv"
  check "-Report csv into a read-only folder exits non-zero" test "$status" -ne 0
  chmod 755 "$OUT/locked"
fi

report
check "-Report without a kind exits 2 with the usage" test "$status" -eq 2 -a -n "$err"
report pdf "$OUT_WIN\\x.pdf"
check "-Report with an unknown kind exits 2" test "$status" -eq 2

report html "$OUT_WIN\\report.html"
check "-Report html exits 0 (stderr: $err)" test "$status" -eq 0
if command -v chromium >/dev/null; then
  check "Chromium shows the nine sections and the hostile title as text" \
    dom_shows_sections_and_the_title_as_text
  check "Chromium's screenshot of the report ($WORK/report.png)" screenshot_taken
else
  echo "chromium is not installed: the page was not opened"
  [ "$failures" -eq 0 ] && exit 77
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "report switch passed"

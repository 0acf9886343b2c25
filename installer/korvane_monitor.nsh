; What the setup and the uninstaller know about the monitor: its autostart value and how
; to stop it before its files are replaced or removed.

!define KV_ICON "${__FILEDIR__}/../resources/art/101-program.ico"
!define KV_SETTINGS_KEY "Software\Tamsel\Korvane"
!define KV_RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The names the monitor takes as its own autostart value: its caption, and the explorer's
; caption used by earlier versions.
!define KV_RUN_VALUE "Korvane"
!define KV_RUN_VALUE_OLD "Korvane VELT"
!define KV_RUN_COMMAND '$\"$INSTDIR\korvane.exe$\" -expressboot'
!define KV_MONITOR_CLASS "Korvane"
; Bounded wait, in steps of 250 ms, for the monitor's end after -Q.
!define KV_STOP_TICKS 60

; Asks a running monitor to end (Korvane.exe -Q) and waits until its window is gone and
; its program file can be written again. $0 = 1 once it has ended.
!macro KvDefineAwaitMonitorEnd un
Function ${un}KvAwaitMonitorEnd
  StrCpy $0 0
  StrCpy $1 0
  ${Do}
    FindWindow $2 "${KV_MONITOR_CLASS}"
    ${If} $2 = 0
      ClearErrors
      FileOpen $3 "$INSTDIR\Korvane.exe" a
      ${IfNot} ${Errors}
        FileClose $3
        StrCpy $0 1
        ${Break}
      ${EndIf}
    ${EndIf}
    Sleep 250
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= ${KV_STOP_TICKS}
FunctionEnd
!macroend

!macro KvDefineStopMonitor un
Function ${un}KvStopMonitor
  ${IfNot} ${FileExists} "$INSTDIR\Korvane.exe"
    Return
  ${EndIf}
kv_retry:
  ClearErrors
  ExecWait '"$INSTDIR\Korvane.exe" -Q'
  ${If} ${Errors}
    Abort "Could not ask the Korvane monitor to end."
  ${EndIf}
  Call ${un}KvAwaitMonitorEnd
  ${If} $0 <> 1
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "The Korvane monitor is still running. End it from its notification-area icon, then choose Retry." \
      /SD IDCANCEL IDRETRY kv_retry
    Abort "The Korvane monitor is still running."
  ${EndIf}
FunctionEnd
!macroend

!insertmacro KvDefineAwaitMonitorEnd ""
!insertmacro KvDefineStopMonitor ""
!insertmacro KvDefineAwaitMonitorEnd "un."
!insertmacro KvDefineStopMonitor "un."

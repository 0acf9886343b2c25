; Korvane setup: puts the monitor, the explorer and the companion into Program Files for
; every user of the machine, and takes them away again.
;
;   makensis -DKV_BIN=<folder with the built programs> -DKV_OUTFILE=<setup.exe>
;            -DKV_VERSION_FILE=<build>/installer/version.nsh korvane.nsi
;
; KV_VERSION may be given instead of KV_VERSION_FILE (the round-trip test makes an older setup).

Unicode true
Target amd64-unicode

!include x64.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include MUI2.nsh
!include "korvane_monitor.nsh"

!ifndef KV_VERSION
  !ifndef KV_VERSION_FILE
    !error "Give KV_VERSION_FILE (made by the build) or KV_VERSION"
  !endif
  !include "${KV_VERSION_FILE}"
!endif
!ifndef KV_BIN
  !error "Give KV_BIN, the folder holding Korvane.exe, KorvaneEx.exe and Tarvex.dll"
!endif
!ifndef KV_OUTFILE
  !define KV_OUTFILE "Korvane-${KV_VERSION}-setup.exe"
!endif

!define KV_PUBLISHER "Tamsel"
!define KV_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvane"
!define KV_UNINSTALLER "uninstall.exe"
!define KV_MENU_FOLDER "$SMPROGRAMS\Korvane"

Name "Korvane"
Caption "Korvane ${KV_VERSION} Setup"
OutFile "${KV_OUTFILE}"
InstallDir "$PROGRAMFILES64\Korvane"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${KV_VERSION}"
VIFileVersion "${KV_VERSION}"

!define MUI_ICON "${KV_ICON}"
!define MUI_UNICON "${KV_ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Korvane"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${KV_PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Korvane Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${KV_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${KV_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) ${KV_PUBLISHER}"

; Stops the install with the reason when the step before it failed.
!macro KvFailOnError what
  ${If} ${Errors}
    Abort "Could not ${what}."
  ${EndIf}
!macroend

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Korvane runs on 64-bit Windows only." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  SetShellVarContext all
  ; An upgrade goes where the earlier version is, unless another folder was asked for (/D).
  ${If} $INSTDIR == "$PROGRAMFILES64\Korvane"
    ReadRegStr $0 HKLM "${KV_UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
FunctionEnd

; Only the program files are written: history.txt, reports and settings stay as they are.
Section "Korvane" SecPrograms
  SectionIn RO
  Call KvStopMonitor
  SetOutPath "$INSTDIR"
  ClearErrors
  File "${KV_BIN}/Korvane.exe"
  File "${KV_BIN}/KorvaneEx.exe"
  File "${KV_BIN}/Tarvex.dll"
  !insertmacro KvFailOnError "copy the programs into $INSTDIR"
  WriteUninstaller "$INSTDIR\${KV_UNINSTALLER}"
  !insertmacro KvFailOnError "write the uninstaller"
  Call KvWriteMenu
  Call KvWriteAutostart
  Call KvWriteUninstallEntry
  Call KvStartMonitor
SectionEnd

Function KvWriteMenu
  ClearErrors
  CreateDirectory "${KV_MENU_FOLDER}"
  CreateShortcut "${KV_MENU_FOLDER}\Korvane Explorer.lnk" "$INSTDIR\KorvaneEx.exe"
  CreateShortcut "${KV_MENU_FOLDER}\Korvane Monitor.lnk" "$INSTDIR\Korvane.exe"
  CreateShortcut "${KV_MENU_FOLDER}\Uninstall Korvane.lnk" "$INSTDIR\${KV_UNINSTALLER}"
  !insertmacro KvFailOnError "create the Start-menu entries"
FunctionEnd

Function KvWriteAutostart
  ClearErrors
  WriteRegStr HKLM "${KV_RUN_KEY}" "${KV_RUN_VALUE}" "${KV_RUN_COMMAND}"
  !insertmacro KvFailOnError "put the monitor into autostart"
FunctionEnd

Function KvWriteUninstallEntry
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  ClearErrors
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "DisplayName" "Korvane"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "DisplayVersion" "${KV_VERSION}"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "Publisher" "${KV_PUBLISHER}"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Korvane.exe,0"
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${KV_UNINSTALLER}"'
  WriteRegStr HKLM "${KV_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${KV_UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${KV_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KV_UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${KV_UNINSTALL_KEY}" "EstimatedSize" $0
  !insertmacro KvFailOnError "register the uninstaller"
FunctionEnd

Function KvStartMonitor
  ClearErrors
  Exec '"$INSTDIR\Korvane.exe"'
  !insertmacro KvFailOnError "start the Korvane monitor"
FunctionEnd

; ---------------------------------------------------------------------------------------

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Uninstall"
  Call un.KvStopMonitor
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON1 \
    "Keep your Korvane settings and history for a later install?" /SD IDYES IDYES kv_keep
  Call un.KvRemoveUserData
kv_keep:
  DeleteRegValue HKLM "${KV_RUN_KEY}" "${KV_RUN_VALUE}"
  DeleteRegValue HKLM "${KV_RUN_KEY}" "${KV_RUN_VALUE_OLD}"
  Delete /REBOOTOK "$INSTDIR\Korvane.exe"
  Delete /REBOOTOK "$INSTDIR\KorvaneEx.exe"
  Delete /REBOOTOK "$INSTDIR\Tarvex.dll"
  Delete /REBOOTOK "$INSTDIR\send2ts.txt"
  Delete /REBOOTOK "$INSTDIR\sendex2ts.txt"
  Delete "${KV_MENU_FOLDER}\Korvane Explorer.lnk"
  Delete "${KV_MENU_FOLDER}\Korvane Monitor.lnk"
  Delete "${KV_MENU_FOLDER}\Uninstall Korvane.lnk"
  RMDir "${KV_MENU_FOLDER}"
  Delete /REBOOTOK "$INSTDIR\${KV_UNINSTALLER}"
  ; Not recursive: kept history, notes and disabled startup files keep the folder.
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${KV_UNINSTALL_KEY}"
  ${If} ${RebootFlag}
    MessageBox MB_OK|MB_ICONINFORMATION \
      "Some Korvane files were in use; Windows removes them at the next restart." /SD IDOK
  ${EndIf}
SectionEnd

; The machine-wide store of disabled startup entries stays: those programs could not be
; started again without it.
Function un.KvRemoveUserData
  DeleteRegKey HKCU "${KV_SETTINGS_KEY}"
  DeleteRegKey HKCU "Software\Tamsel\Detected"
  DeleteRegKey /ifempty HKCU "Software\Tamsel"
  DeleteRegKey HKLM "${KV_SETTINGS_KEY}\Sysfiles"
  Delete "$INSTDIR\history.txt"
  Delete "$INSTDIR\KorvaneLog.html"
  Delete "$INSTDIR\KorvaneLog.txt"
  Delete "$INSTDIR\KorvaneLog.csv"
  Delete "$INSTDIR\HijackKorvane.log"
  Delete "$INSTDIR\temp.url"
FunctionEnd

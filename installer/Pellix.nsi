; Pellix Setup: installs Pellix, registers its log-on start, upgrades over a
; running copy and removes it again. Built by the `installer` target, which
; passes VERSION, PAYLOAD (the generated file list), OUTFILE, ICON and TARGET.
;
; Command line
;   Setup:     /S silent, /BOARD also install the virtual board's libraries,
;              /D=<folder> install folder (last, unquoted)
;   Uninstall: /S silent, /REMOVESETTINGS also remove settings and energy
;              accounts, /FINISH (from RunOnce) complete an install that
;              waited for a restart
; Exit codes: 0 done, 1 cancelled, 3010 done but a restart replaces files in
; use, 10 no administrator rights, 11 folder not writable, 12 not enough
; disk space, 13 a file could not be written, 14 a file could not be
; replaced, 15 installed without the log-on start. The outcome of the last
; run is also written to %TEMP%\PellixSetup.log.

Unicode true
!ifndef VERSION | PAYLOAD | OUTFILE | ICON
  !error "define VERSION, PAYLOAD, OUTFILE and ICON"
!endif
!define /ifndef TARGET x86-unicode
Target ${TARGET}
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include nsDialogs.nsh
!include "${PAYLOAD}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pellix"
!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define PENDING_VALUE "Pellix Install"
!define SETTINGS_KEY "Software\VANTOR\Tamsel3"
!define INSTANCE_MUTEX "70714792-4D69-4785-8BF0-2572169B3F30"
!define TASK_NAME "Pellix"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!define STAGE_FOLDER "~update"
!define LOG_FILE "$TEMP\PellixSetup.log"
!define TASK_TIMEOUT_MS 60000

!define EXIT_REBOOT 3010
!define EXIT_NO_RIGHTS 10
!define EXIT_NOT_WRITABLE 11
!define EXIT_NO_SPACE 12
!define EXIT_COPY_FAILED 13
!define EXIT_REPLACE_FAILED 14
!define EXIT_NO_TASK 15

Name "Pellix"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
!if "${TARGET}" == "amd64-unicode"
  InstallDir "$PROGRAMFILES64\Pellix"
!else
  InstallDir "$PROGRAMFILES\Pellix"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

Var Stage
Var RemoveSettings
Var RemoveSettingsBox
; The installation in place has the virtual board's libraries. Without it,
; libraries of those names beside Pellix are the real board's and stay.
Var HadBoard

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Pellix.exe"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.SettingsPage un.SettingsPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the fallback; Setup picks the one of the system.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Japanese"
!include "lang/English.nsh"
!include "lang/German.nsh"
!include "lang/French.nsh"
!include "lang/Japanese.nsh"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Pellix"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "VANTOR"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Pellix Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) VANTOR"

; ---------------------------------------------------------------- shared

; Replaces %TEMP%\PellixSetup.log with one line (text on the stack), so that
; a silent run that failed can still tell why.
!macro WriteLogFunction prefix
Function ${prefix}WriteLog
  Exch $0
  Push $1
  FileOpen $1 "${LOG_FILE}" w
  ${If} $1 != ""
    FileWriteWord $1 0xFEFF
    FileWriteUTF16LE $1 "$0$\r$\n"
    FileClose $1
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro WriteLogFunction ""
!insertmacro WriteLogFunction "un."

; Asks a running Pellix to exit the way its own tray menu does (message
; 1024 with the tag 85) and waits until its instance mutex is gone, which
; happens only when the process has ended. A copy that does not end within
; 20 s keeps its files locked; they are then replaced at the next restart.
!macro StopPellixFunction prefix
Function ${prefix}StopPellix
  Push $0
  Push $1
  StrCpy $1 0
  ${Do}
    FindWindow $0 "TMainForm" "Pellix"
    ${If} $0 <> 0
      SendMessage $0 1024 85 0 /TIMEOUT=2000
    ${EndIf}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p.r0'
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    IntOp $1 $1 + 1
    ${If} $1 >= 80
      ${Break}
    ${EndIf}
    Sleep 250
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro StopPellixFunction ""
!insertmacro StopPellixFunction "un."

!macro RemoveFile folder relative source
  Delete /REBOOTOK "$INSTDIR\${relative}"
!macroend

!macro RemoveFolder relative
  RMDir "$INSTDIR\${relative}"
!macroend

; ---------------------------------------------------------------- setup

; Ends Setup with a message the user can act on: a message box unless
; silent, the log file and the exit code. Whatever was staged is removed;
; the installation in place has not been touched at this point.
!macro Fail code message
  StrCpy $R7 "${message}"
  SetErrorLevel ${code}
  Call Fail
!macroend

Function Fail
  ${If} $Stage != ""
    RMDir /r "$Stage"
    RMDir "$INSTDIR"
  ${EndIf}
  Push $R7
  Call WriteLog
  MessageBox MB_OK|MB_ICONSTOP "$R7" /SD IDOK
  Quit
FunctionEnd

; NSIS itself gives up when the disk fills while a file is being written;
; the partly written stage goes, the installation in place was not touched.
Function .onInstFailed
  ${If} $Stage != ""
    SetOutPath "$TEMP"
    RMDir /r "$Stage"
    RMDir "$INSTDIR"
    SetErrorLevel ${EXIT_COPY_FAILED}
    Push "$(MsgCopyFailed)"
    Call WriteLog
  ${EndIf}
FunctionEnd

!macro StageFile folder relative source
  SetOutPath "$Stage${folder}"
  StrCpy $R8 "$INSTDIR\${relative}"
  ClearErrors
  File "${source}"
  ${If} ${Errors}
    !insertmacro Fail ${EXIT_COPY_FAILED} "$(MsgCopyFailed)"
  ${EndIf}
!macroend

; Moves one staged file (relative path on the stack) into place. A file
; that is still in use is moved at the next restart instead.
Function CommitFile
  Exch $R8
  Push $0
  ${GetParent} "$INSTDIR\$R8" $0
  CreateDirectory "$0"
  Delete "$INSTDIR\$R8"
  ClearErrors
  Rename "$Stage\$R8" "$INSTDIR\$R8"
  ${If} ${Errors}
    ClearErrors
    Rename /REBOOTOK "$Stage\$R8" "$INSTDIR\$R8"
    ${If} ${Errors}
      StrCpy $R8 "$INSTDIR\$R8"
      StrCpy $Stage ""
      !insertmacro Fail ${EXIT_REPLACE_FAILED} "$(MsgReplaceFailed)"
    ${EndIf}
  ${EndIf}
  Pop $0
  Pop $R8
FunctionEnd

!macro CommitFile folder relative source
  Push "${relative}"
  Call CommitFile
!macroend

; The task definition with this installation's paths, as UTF-16 the way
; schtasks reads it.
Function WriteTaskDefinition
  InitPluginsDir
  File "/oname=$PLUGINSDIR\LogonTask.xml" "LogonTask.xml"
  ${WordReplace} "$INSTDIR" "&" "&amp;" "+" $R9
  FileOpen $0 "$PLUGINSDIR\LogonTask.xml" r
  FileOpen $1 "$Stage\LogonTask.xml" w
  FileWriteWord $1 0xFEFF
  ${Do}
    ClearErrors
    FileRead $0 $2
    ${If} ${Errors}
      ${Break}
    ${EndIf}
    ${WordReplace} "$2" "@COMMAND@" "$R9\Pellix.exe" "+" $2
    ${WordReplace} "$2" "@FOLDER@" "$R9" "+" $2
    ${WordReplace} "$2" "@DESCRIPTION@" "$(TaskDescription)" "+" $2
    FileWriteUTF16LE $1 "$2"
  ${Loop}
  FileClose $1
  FileClose $0
FunctionEnd

;  The install folder on the system path, so that pellixctl runs from any
;  prompt and script; the uninstaller takes it off again.
!macro SystemPathFunction prefix operation
Function ${prefix}SystemPath
  ClearErrors
  ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
  ${If} ${Errors}
    StrCpy $0 ""
  ${EndIf}
  ${${prefix}WordAdd} "$0" ";" "${operation}$INSTDIR" $1
  ${If} $1 != $0
    WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$1"
    SendMessage ${HWND_BROADCAST} ${WM_WININICHANGE} 0 "STR:Environment" /TIMEOUT=5000
  ${EndIf}
FunctionEnd
!macroend
!insertmacro SystemPathFunction "" "+"
!insertmacro SystemPathFunction "un." "-"

Section "$(SecProgramName)" SecProgram
  SectionIn RO
  Call PrepareStage
  !insertmacro PellixProgramFiles StageFile
SectionEnd

Section /o "$(SecBoardName)" SecBoard
  !insertmacro PellixBoardFiles StageFile
SectionEnd

Section "-Commit"
  ; The stage must not be the current folder when it is removed.
  SetOutPath "$INSTDIR"
  WriteUninstaller "$Stage\Uninstall.exe"
  Call WriteTaskDefinition
  ; Nothing has changed so far; from here on the installation is replaced.
  Call StopPellix
  !insertmacro PellixProgramFiles CommitFile
  ${If} ${SectionIsSelected} ${SecBoard}
    !insertmacro PellixBoardFiles CommitFile
  ${ElseIf} $HadBoard = 1
    !insertmacro PellixBoardFiles RemoveFile
  ${EndIf}
  !insertmacro CommitFile "" "Uninstall.exe" ""
  !insertmacro CommitFile "" "LogonTask.xml" ""

  Call SystemPath
  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\Pellix.lnk" "$INSTDIR\Pellix.exe"

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Pellix"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "VANTOR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pellix.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} ${SectionIsSelected} ${SecBoard}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VirtualBoard" 1
  ${Else}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "VirtualBoard" 0
  ${EndIf}

  ; Pellix refuses to start while this value exists; it goes when the
  ; finishing command runs after the restart.
  ${If} ${RebootFlag}
    WriteRegStr HKLM "${RUNONCE_KEY}" "${PENDING_VALUE}" '"$INSTDIR\Uninstall.exe" /FINISH'
  ${Else}
    DeleteRegValue HKLM "${RUNONCE_KEY}" "${PENDING_VALUE}"
    RMDir /r "$Stage"
  ${EndIf}

  ; The task service may never answer; Setup then ends without the log-on
  ; start (a "timeout" result) instead of waiting for ever.
  nsExec::ExecToLog /TIMEOUT=${TASK_TIMEOUT_MS} '"$SYSDIR\schtasks.exe" /create /tn "${TASK_NAME}" /xml "$INSTDIR\LogonTask.xml" /f'
  Pop $0
  ${If} $0 != 0
    StrCpy $R7 "$(MsgTaskFailed)"
    SetErrorLevel ${EXIT_NO_TASK}
    Push $R7
    Call WriteLog
    MessageBox MB_OK|MB_ICONEXCLAMATION "$R7" /SD IDOK
  ${ElseIf} ${RebootFlag}
    SetErrorLevel ${EXIT_REBOOT}
    Push "$(MsgRebootNeeded)"
    Call WriteLog
  ${Else}
    StrCpy $R8 "${VERSION}"
    Push "$(MsgInstalled)"
    Call WriteLog
  ${EndIf}
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/BOARD" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecBoard}
  ${EndIf}
  ReadRegDWORD $HadBoard HKLM "${UNINSTALL_KEY}" "VirtualBoard"
  ${If} $HadBoard = 1
    ; An upgrade keeps the virtual board when the installation had it.
    !insertmacro SelectSection ${SecBoard}
  ${EndIf}
  UserInfo::GetAccountType
  Pop $1
  ${If} $1 != "Admin"
    !insertmacro Fail ${EXIT_NO_RIGHTS} "$(MsgNeedAdmin)"
  ${EndIf}
  ; A /D= folder that cannot be made (below a file, on a missing drive) is
  ; dropped by NSIS in favour of the default; installing somewhere else than
  ; asked would surprise a deployment script.
  ; NSIS takes /D= off its own copy of the command line, not off the one
  ; the system keeps.
  System::Call 'kernel32::GetCommandLineW() w .r0'
  ClearErrors
  ${GetOptions} $0 "/D=" $1
  ${IfNot} ${Errors}
  ${AndIf} $1 != $INSTDIR
  ${AndIf} $1\ != $INSTDIR
    StrCpy $INSTDIR $1
    !insertmacro Fail ${EXIT_NOT_WRITABLE} "$(MsgCannotWrite)"
  ${EndIf}
FunctionEnd

; Everything is first written to a folder beside the installation, so that a
; full disk or a write error leaves the previous installation as it was.
Function PrepareStage
  StrCpy $Stage "$INSTDIR\${STAGE_FOLDER}"
  CreateDirectory "$INSTDIR"
  RMDir /r "$Stage"
  ClearErrors
  CreateDirectory "$Stage"
  FileOpen $0 "$Stage\write.test" w
  ${If} ${Errors}
  ${OrIf} $0 == ""
    !insertmacro Fail ${EXIT_NOT_WRITABLE} "$(MsgCannotWrite)"
  ${EndIf}
  FileClose $0
  Delete "$Stage\write.test"

  SectionGetSize ${SecProgram} $R8
  ${If} ${SectionIsSelected} ${SecBoard}
    SectionGetSize ${SecBoard} $0
    IntOp $R8 $R8 + $0
  ${EndIf}
  System::Call 'kernel32::GetDiskFreeSpaceExW(w "$Stage", *l .r1, p 0, p 0) i .r0'
  ${If} $0 <> 0
    System::Int64Op $1 / 1024
    Pop $R9
    System::Int64Op $R9 < $R8
    Pop $0
    ${If} $0 <> 0
      !insertmacro Fail ${EXIT_NO_SPACE} "$(MsgNoSpace)"
    ${EndIf}
  ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(SecProgramText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecBoard} "$(SecBoardText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; ---------------------------------------------------------------- uninstall

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/FINISH" $1
  ${IfNot} ${Errors}
    ; Run once after the restart that moved the files in use into place.
    DeleteRegValue HKLM "${RUNONCE_KEY}" "${PENDING_VALUE}"
    RMDir /r "$INSTDIR\${STAGE_FOLDER}"
    Quit
  ${EndIf}
  StrCpy $RemoveSettings 0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

Function un.SettingsPage
  !insertmacro MUI_HEADER_TEXT "$(RemoveSettingsTitle)" "$(RemoveSettingsText)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateCheckbox} 0 0 100% 12u "$(RemoveSettingsBox)"
  Pop $RemoveSettingsBox
  ${If} $RemoveSettings = 1
    ${NSD_Check} $RemoveSettingsBox
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function un.SettingsPageLeave
  ${NSD_GetState} $RemoveSettingsBox $RemoveSettings
FunctionEnd

Section "Uninstall"
  Call un.StopPellix
  nsExec::ExecToLog /TIMEOUT=${TASK_TIMEOUT_MS} '"$SYSDIR\schtasks.exe" /delete /tn "${TASK_NAME}" /f'
  Pop $0
  Call un.SystemPath
  SetShellVarContext all
  Delete "$SMPROGRAMS\Pellix.lnk"
  !insertmacro PellixProgramFiles RemoveFile
  ReadRegDWORD $HadBoard HKLM "${UNINSTALL_KEY}" "VirtualBoard"
  ${If} $HadBoard = 1
    !insertmacro PellixBoardFiles RemoveFile
  ${EndIf}
  Delete "$INSTDIR\LogonTask.xml"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /r "$INSTDIR\${STAGE_FOLDER}"
  !insertmacro PellixFolders RemoveFolder
  RMDir /REBOOTOK "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKLM "${RUNONCE_KEY}" "${PENDING_VALUE}"

  ; Settings, energy accounts and the calibration profile stay for a later
  ; installation unless the user asked otherwise.
  ${If} $RemoveSettings = 1
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "Software\VANTOR"
    DeleteRegKey /ifempty HKCU "Software\VANTOR"
    Delete "$APPDATA\Ordun\cal.oc"
    RMDir "$APPDATA\Ordun"
  ${EndIf}
  Push "$(MsgUninstalled)"
  Call un.WriteLog
SectionEnd

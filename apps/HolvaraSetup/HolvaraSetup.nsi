; HolvaraSetup.exe: installs the service, the notification-area program, its resource libraries,
; the command-line tool and the help documents into the 64-bit program-files folder, registers and
; starts the service, writes the installation marker the program checks at start, and makes the
; program start at every user's logon. The uninstaller undoes all of it. Both run silently with /S
; and need administrator rights.
;
; The installer never starts the program with its own (elevated) token. After an interactive
; installation the desktop's shell starts it in the installing user's session, unelevated; a
; silent installation starts it only when asked with /StartTray, and the same way. Each user gets
; the program at the next logon through Active Setup: the shell runs the component's StubPath once
; per user, and that command writes the user's own logon entry under HKCU\...\Run (the entry the
; program writes at its first start), so no machine-wide entry ever doubles it.
;
; Installing over an existing installation (an upgrade) finds it through the folder the uninstall
; entry remembers, asks every running copy of the program in every session to end (the global
; event below, which the program checks every two seconds), stops the service and waits for its
; process to end, and only then checks that no installed file is still held by another program:
; when one is, nothing is changed, the previous version is started again and the installer exits
; with ERROR_SHARING_VIOLATION (32). A file that becomes held after that check is written beside
; the old one and replaced at the next restart (exit code ERROR_SUCCESS_REBOOT_REQUIRED, 3010).
; The user's settings under HKCU\Software\ZELTO\Holvara are never touched, by the installer or by
; the uninstaller.
;
; Exit codes: 0 done; 1 the service could not be registered or started; 32 a file is in use,
; nothing changed; 740 not run with administrator rights; 3010 done, a restart finishes it.
;
; The build passes every input as a define (see CMakeLists.txt beside this script):
;   OUTFILE, VERSION_TEXT, VERSION_QUAD, COMPANY, PRODUCT, COPYRIGHT,
;   HOLVARA_EXE, SERVICE_EXE, RES_JA_DLL, RES_US_DLL, CLI_EXE, HELP_DIR, ICON

; A 64-bit installer, as the programs it installs: it needs no 32-bit subsystem, and it sees the
; registry and the program-files folder as Holvara.exe does. The 64-bit registry view is still
; asked for explicitly, so that the marker can never land under WOW6432Node.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define SERVICE_NAME "HolvaraService"
!define SERVICE_DISPLAY_NAME "${PRODUCT} Service"
; The key and value of the installation marker, read by Holvara.exe through the 64-bit view.
!define MARKER_KEY "Software\ZELTO\Holvara\Common"
!define MARKER_VALUE "CurrentMode"
!define MARKER 141421356
!define LOGON_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\run"
!define LOGON_VALUE "Holvara"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Holvara"
!define ACTIVE_SETUP_KEY "Software\Microsoft\Active Setup\Installed Components\{B8EA1AAB-C159-4E33-8A93-9FFB20D31790}"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define TRAY_WINDOW_TITLE "Holvara"
!define TRAY_PROGRAM "Holvara.exe"
!define TRAY_MESSAGE "HOLVARA"
; Set while the installer or the uninstaller replaces the files: every running copy of the
; program, in any session, ends when it sees it. Everyone may wait on it and read its owner;
; only SYSTEM and the administrators may set it. Its owner is the Administrators group, which no
; other user can give an object, so the program ignores an event of this name made by anyone else.
!define EXIT_EVENT "Global\HolvaraExit"
!define EXIT_EVENT_SDDL "O:BAD:(A;;0x001F0003;;;SY)(A;;0x001F0003;;;BA)(A;;0x00120000;;;WD)"

; Exit codes (Win32 error codes where one fits).
!define EXIT_SERVICE_FAILED 1
!define EXIT_FILE_IN_USE 32
!define EXIT_NOT_ADMIN 740
!define EXIT_RESTART_NEEDED 3010

; Service manager values.
!define SC_MANAGER_ALL_ACCESS 0xF003F
!define SERVICE_ALL_ACCESS 0xF01FF
!define SERVICE_WIN32_OWN_PROCESS 0x10
!define SERVICE_AUTO_START 2
!define SERVICE_ERROR_NORMAL 1
!define SERVICE_CONTROL_STOP 1
!define SERVICE_STOPPED 1
!define SERVICE_RUNNING 4
!define SC_STATUS_PROCESS_INFO 0
!define SERVICE_CONFIG_FAILURE_ACTIONS 2
!define SC_ACTION_NONE 0
!define SC_ACTION_RESTART 1
; Recovery: restart 5 s after the first failure and 60 s after the second; the count of failures
; starts again after a day without one.
!define RESTART_FIRST_MS 5000
!define RESTART_SECOND_MS 60000
!define FAILURE_RESET_S 86400
!define SYNCHRONIZE 0x00100000
!define PROCESS_TERMINATE 0x0001
!define WAIT_OBJECT_0 0
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define /math PROCESS_WAIT_AND_END ${SYNCHRONIZE} | ${PROCESS_TERMINATE}
!define /math PROCESS_ACCESS ${PROCESS_WAIT_AND_END} | ${PROCESS_QUERY_LIMITED_INFORMATION}
!define /math PROCESS_WAIT_ONLY ${SYNCHRONIZE} | ${PROCESS_QUERY_LIMITED_INFORMATION}
!define TH32CS_SNAPPROCESS 2
!define PROCESSENTRY32W_SIZE 568
!define GENERIC_READ_WRITE 0xC0000000
!define OPEN_EXISTING 3
!define ERROR_FILE_NOT_FOUND 2
!define ERROR_PATH_NOT_FOUND 3
!define TRAY_END_WAIT_MS 10000
!define SERVICE_END_WAIT_MS 20000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\ZELTO\Holvara"
; An upgrade goes where the earlier installation is, wherever it was put. The installer is 64-bit,
; so this reads the 64-bit view, where the uninstall entry is written.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION_TEXT}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"

; The files of an installation, each as the instruction given ("!insertmacro ${Do} NAME SOURCE").
!macro ForEachInstalledFile Do
  !insertmacro ${Do} "Holvara.exe" "${HOLVARA_EXE}"
  !insertmacro ${Do} "HolvaraService.exe" "${SERVICE_EXE}"
  !insertmacro ${Do} "HolvaraRes.dll" "${RES_JA_DLL}"
  !insertmacro ${Do} "HolvaraResUS.dll" "${RES_US_DLL}"
  !insertmacro ${Do} "HolvaraCli.exe" "${CLI_EXE}"
  !insertmacro ${Do} "Index.html" "${HELP_DIR}/Index.html"
  !insertmacro ${Do} "IndexJa.html" "${HELP_DIR}/IndexJa.html"
!macroend

Var ExitEvent
Var HeldFile
Var ScheduledFiles

!define MUI_ABORTWARNING
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The user's language when it is one of these, English otherwise.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

!macro VersionKeys LANG
  VIAddVersionKey /LANG=${LANG} "ProductName" "${PRODUCT}"
  VIAddVersionKey /LANG=${LANG} "CompanyName" "${COMPANY}"
  VIAddVersionKey /LANG=${LANG} "LegalCopyright" "${COPYRIGHT}"
  VIAddVersionKey /LANG=${LANG} "FileDescription" "${PRODUCT} Setup"
  VIAddVersionKey /LANG=${LANG} "FileVersion" "${VERSION_TEXT}"
  VIAddVersionKey /LANG=${LANG} "ProductVersion" "${VERSION_TEXT}"
  VIAddVersionKey /LANG=${LANG} "OriginalFilename" "HolvaraSetup.exe"
!macroend
!insertmacro VersionKeys ${LANG_ENGLISH}
!insertmacro VersionKeys ${LANG_JAPANESE}

LangString ServiceFailed ${LANG_ENGLISH} "The service ${SERVICE_NAME} could not be registered or started."
LangString ServiceFailed ${LANG_JAPANESE} "サービス ${SERVICE_NAME} を登録または開始できませんでした。"
LangString NeedsAdmin ${LANG_ENGLISH} "${PRODUCT} can only be installed or removed with administrator rights. Run the setup again as an administrator."
LangString NeedsAdmin ${LANG_JAPANESE} "${PRODUCT} のインストールと削除には管理者の権限が必要です。管理者として実行し直してください。"
LangString FileInUse ${LANG_ENGLISH} "The file $HeldFile is in use by another program. Nothing was changed and the installed version runs as before. Close that program and run the setup again."
LangString FileInUse ${LANG_JAPANESE} "ファイル $HeldFile は他のプログラムが使用中です。何も変更せず、インストール済みのバージョンをそのまま動かしています。そのプログラムを終了してから、もう一度セットアップを実行してください。"
LangString RestartNeeded ${LANG_ENGLISH} "These files are in use and will be replaced when Windows restarts:$ScheduledFiles"
LangString RemovedAtRestart ${LANG_ENGLISH} "Some files are in use; Windows removes them when it restarts."
LangString RemovedAtRestart ${LANG_JAPANESE} "使用中のファイルがあります。Windows の再起動時に削除します。"
LangString RestartNeeded ${LANG_JAPANESE} "次のファイルは使用中のため、Windows の再起動時に置き換えます:$ScheduledFiles"

; Installing and removing need administrator rights (with UAC off, a standard user's setup runs
; unelevated): without them the setup says so and ends with ERROR_ELEVATION_REQUIRED.
!macro DefineCheckAdministrator un
Function ${un}CheckAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DefineCheckAdministrator ""
!insertmacro DefineCheckAdministrator "un."

; Makes the exit event, set, for the time the files are replaced; $ExitEvent holds it.
!macro DefineRaiseExitEvent un
Function ${un}RaiseExitEvent
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${EXIT_EVENT_SDDL}", i 1, *p .r1, p 0) i .r0'
  ${If} $0 = 0
    StrCpy $1 0
  ${EndIf}
  System::Call '*(i 24, i 0, p r1, i 0, i 0) p .r2'
  System::Call 'kernel32::CreateEventW(p r2, i 1, i 1, w "${EXIT_EVENT}") p .r3'
  System::Call 'kernel32::SetEvent(p r3) i'
  StrCpy $ExitEvent $3
  System::Free $2
  ${If} $1 P<> 0
    System::Call 'kernel32::LocalFree(p r1) p'
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DefineRaiseExitEvent ""
!insertmacro DefineRaiseExitEvent "un."

; Takes the exit event down again, before anything starts the program anew.
!macro DefineLowerExitEvent un
Function ${un}LowerExitEvent
  ${If} $ExitEvent P<> 0
    System::Call 'kernel32::ResetEvent(p $ExitEvent) i'
    System::Call 'kernel32::CloseHandle(p $ExitEvent) i'
    StrCpy $ExitEvent 0
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DefineLowerExitEvent ""
!insertmacro DefineLowerExitEvent "un."

; Ends every running copy of the installed program, in every session: the exit event asks those
; that know it; the registered message "HOLVARA" with wParam 0 asks those of this desktop that
; came before it. Each process whose image is $INSTDIR\Holvara.exe is then waited for, up to 10
; seconds in all, and ended outright when it is still there (stuck in a box the user left open,
; say) and this account may end it. Another program's window that happens to carry the same
; title (a folder window named "Holvara", say), and other programs named Holvara.exe, are left
; alone. What still runs after this holds its files, which the file check then finds.
!macro DefineEndTrayPrograms un
Function ${un}EndTrayPrograms
  Call ${un}RaiseExitEvent
  System::Call 'user32::RegisterWindowMessage(t "${TRAY_MESSAGE}") i .r0'
  StrCpy $1 0
  ${Do}
    FindWindow $1 "" "${TRAY_WINDOW_TITLE}" "" $1
    ${If} $1 = 0
      ${ExitDo}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2) i'
    StrCpy $R8 $2
    Call ${un}IsInstalledTrayProcess
    ${If} $R9 = 1
      System::Call 'user32::PostMessage(p r1, i r0, p 0, p 0) i'
    ${EndIf}
  ${Loop}

  System::Call 'kernel32::GetTickCount() i .r5'
  IntOp $5 $5 + ${TRAY_END_WAIT_MS}
  System::Call 'kernel32::CreateToolhelp32Snapshot(i ${TH32CS_SNAPPROCESS}, i 0) p .r6'
  System::Alloc ${PROCESSENTRY32W_SIZE}
  Pop $7
  System::Call '*$7(i ${PROCESSENTRY32W_SIZE})'
  System::Call 'kernel32::Process32FirstW(p r6, p r7) i .r0'
  ${DoWhile} $0 <> 0
    System::Call '*$7(i, i, i .R8, i, p, i, i, i, i, i, &w260 .r4)'
    ${If} $4 == "${TRAY_PROGRAM}"
      Call ${un}IsInstalledTrayProcess
      ${If} $R9 = 1
        Call ${un}AwaitOrEndProcess
      ${EndIf}
    ${EndIf}
    System::Call '*$7(i ${PROCESSENTRY32W_SIZE})'
    System::Call 'kernel32::Process32NextW(p r6, p r7) i .r0'
  ${Loop}
  System::Free $7
  System::Call 'kernel32::CloseHandle(p r6) i'
FunctionEnd

; $R9 = 1 when process $R8 runs $INSTDIR\Holvara.exe.
Function ${un}IsInstalledTrayProcess
  StrCpy $R9 0
  System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i R8) p .r3'
  ${If} $3 P<> 0
    StrCpy $4 ""
    System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i ${NSIS_MAX_STRLEN}) i'
    ${If} $4 == "$INSTDIR\${TRAY_PROGRAM}"
      StrCpy $R9 1
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r3) i'
  ${EndIf}
FunctionEnd

; Waits for process $R8 until the tick count $5, then ends it when it may.
Function ${un}AwaitOrEndProcess
  System::Call 'kernel32::OpenProcess(i ${PROCESS_ACCESS}, i 0, i R8) p .r3'
  ${If} $3 P= 0
    System::Call 'kernel32::OpenProcess(i ${PROCESS_WAIT_ONLY}, i 0, i R8) p .r3'
  ${EndIf}
  ${If} $3 P= 0
    Return
  ${EndIf}
  System::Call 'kernel32::GetTickCount() i .r2'
  IntOp $2 $5 - $2
  ${If} $2 < 0
    StrCpy $2 0
  ${EndIf}
  System::Call 'kernel32::WaitForSingleObject(p r3, i r2) i .r4'
  ${If} $4 <> ${WAIT_OBJECT_0}
    System::Call 'kernel32::TerminateProcess(p r3, i 1) i'
    System::Call 'kernel32::WaitForSingleObject(p r3, i 5000) i'
  ${EndIf}
  System::Call 'kernel32::CloseHandle(p r3) i'
FunctionEnd
!macroend
!insertmacro DefineEndTrayPrograms ""
!insertmacro DefineEndTrayPrograms "un."

; Waits up to 20 seconds for the service whose handle is in $R1 to reach the state in $R3.
!macro DefineWaitForServiceState un
Function ${un}WaitForServiceState
  System::Alloc 28
  Pop $R4
  StrCpy $R5 0
  ${Do}
    System::Call 'advapi32::QueryServiceStatus(p R1, p R4) i .r6'
    System::Call '*$R4(i, i .r7)'
    ${If} $6 = 0
    ${OrIf} $7 = $R3
    ${OrIf} $R5 >= 200
      ${ExitDo}
    ${EndIf}
    Sleep 100
    IntOp $R5 $R5 + 1
  ${Loop}
  System::Free $R4
FunctionEnd
!macroend
!insertmacro DefineWaitForServiceState ""
!insertmacro DefineWaitForServiceState "un."

; Stops the service when it is installed and running, and waits for its process to end: the
; service reports SERVICE_STOPPED before its process has let go of its files. With $R2 = 1 also
; deletes it.
!macro DefineStopService un
Function ${un}StopService
  System::Call 'advapi32::OpenSCManager(p 0, p 0, i ${SC_MANAGER_ALL_ACCESS}) p .R0'
  ${If} $R0 P= 0
    Return
  ${EndIf}
  System::Call 'advapi32::OpenService(p R0, t "${SERVICE_NAME}", i ${SERVICE_ALL_ACCESS}) p .R1'
  ${If} $R1 P<> 0
    ; SERVICE_STATUS_PROCESS: the process id is its eighth field.
    System::Alloc 36
    Pop $R4
    StrCpy $R6 0
    System::Call 'advapi32::QueryServiceStatusEx(p R1, i ${SC_STATUS_PROCESS_INFO}, p R4, i 36, *i .r6) i .r7'
    ${If} $7 <> 0
      System::Call '*$R4(i, i, i, i, i, i, i, i .r8)'
      ${If} $8 <> 0
        System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r8) p .R6'
      ${EndIf}
    ${EndIf}
    System::Call 'advapi32::ControlService(p R1, i ${SERVICE_CONTROL_STOP}, p R4) i'
    System::Free $R4
    StrCpy $R3 ${SERVICE_STOPPED}
    Call ${un}WaitForServiceState
    ${If} $R6 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p R6, i ${SERVICE_END_WAIT_MS}) i'
      System::Call 'kernel32::CloseHandle(p R6) i'
    ${EndIf}
    ${If} $R2 = 1
      System::Call 'advapi32::DeleteService(p R1) i'
    ${EndIf}
    System::Call 'advapi32::CloseServiceHandle(p R1) i'
  ${EndIf}
  System::Call 'advapi32::CloseServiceHandle(p R0) i'
FunctionEnd
!macroend
!insertmacro DefineStopService ""
!insertmacro DefineStopService "un."

; Sets the service's recovery on the handle in $R1: restart after the first and the second
; failure, nothing after the third, the count reset after a day without a failure. A system that
; refuses it still gets a working service, so a refusal is not an installation failure.
Function SetServiceRecovery
  System::Call '*(i ${SC_ACTION_RESTART}, i ${RESTART_FIRST_MS}, i ${SC_ACTION_RESTART}, i ${RESTART_SECOND_MS}, \
      i ${SC_ACTION_NONE}, i 0) p .r8'
  ; SERVICE_FAILURE_ACTIONSW: reset period, reboot message, command, count, actions.
  System::Call '*(i ${FAILURE_RESET_S}, i 0, p 0, p 0, i 3, i 0, p r8) p .r9'
  System::Call 'advapi32::ChangeServiceConfig2W(p R1, i ${SERVICE_CONFIG_FAILURE_ACTIONS}, p r9) i'
  System::Free $9
  System::Free $8
FunctionEnd

; Registers the service (or, on an upgrade, sets its configuration again) as an own-process,
; automatically started LocalSystem service with its recovery, and starts it. Sets the error
; flag on failure.
Function InstallService
  System::Call 'advapi32::OpenSCManager(p 0, p 0, i ${SC_MANAGER_ALL_ACCESS}) p .R0'
  ${If} $R0 P= 0
    SetErrors
    Return
  ${EndIf}
  StrCpy $R2 '"$INSTDIR\HolvaraService.exe"'
  System::Call 'advapi32::OpenService(p R0, t "${SERVICE_NAME}", i ${SERVICE_ALL_ACCESS}) p .R1'
  ${If} $R1 P<> 0
    System::Call 'advapi32::ChangeServiceConfig(p R1, i ${SERVICE_WIN32_OWN_PROCESS}, i ${SERVICE_AUTO_START}, \
        i ${SERVICE_ERROR_NORMAL}, t R2, p 0, p 0, p 0, p 0, p 0, t "${SERVICE_DISPLAY_NAME}") i'
  ${Else}
    System::Call 'advapi32::CreateService(p R0, t "${SERVICE_NAME}", t "${SERVICE_DISPLAY_NAME}", \
        i ${SERVICE_ALL_ACCESS}, i ${SERVICE_WIN32_OWN_PROCESS}, i ${SERVICE_AUTO_START}, \
        i ${SERVICE_ERROR_NORMAL}, t R2, p 0, p 0, p 0, p 0, p 0) p .R1'
  ${EndIf}
  ${If} $R1 P= 0
    System::Call 'advapi32::CloseServiceHandle(p R0) i'
    SetErrors
    Return
  ${EndIf}
  Call SetServiceRecovery
  Call StartServiceAndWait
  System::Call 'advapi32::CloseServiceHandle(p R1) i'
  System::Call 'advapi32::CloseServiceHandle(p R0) i'
FunctionEnd

; Starts the service of the handle in $R1 and waits for it to run; sets the error flag if not.
Function StartServiceAndWait
  System::Call 'advapi32::StartService(p R1, i 0, p 0) i'
  StrCpy $R3 ${SERVICE_RUNNING}
  Call WaitForServiceState
  ${If} $7 <> ${SERVICE_RUNNING}
    SetErrors
  ${EndIf}
FunctionEnd

; Starts the installed service again as it is, after an upgrade that changed nothing.
Function RestartInstalledService
  System::Call 'advapi32::OpenSCManager(p 0, p 0, i ${SC_MANAGER_ALL_ACCESS}) p .R0'
  ${If} $R0 P= 0
    Return
  ${EndIf}
  System::Call 'advapi32::OpenService(p R0, t "${SERVICE_NAME}", i ${SERVICE_ALL_ACCESS}) p .R1'
  ${If} $R1 P<> 0
    Call StartServiceAndWait
    System::Call 'advapi32::CloseServiceHandle(p R1) i'
  ${EndIf}
  System::Call 'advapi32::CloseServiceHandle(p R0) i'
FunctionEnd

; $HeldFile names the first installed file that another program still holds open; a file that
; can be opened for reading and writing with no sharing, or that is not there, is free.
!macro CheckFileFree NAME SOURCE
  ${If} $HeldFile == ""
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\${NAME}", i ${GENERIC_READ_WRITE}, i 0, p 0, i ${OPEN_EXISTING}, i 0, p 0) p .r0 ?e'
    Pop $1
    ${If} $0 P= -1
      ${If} $1 <> ${ERROR_FILE_NOT_FOUND}
      ${AndIf} $1 <> ${ERROR_PATH_NOT_FOUND}
        StrCpy $HeldFile "${NAME}"
      ${EndIf}
    ${Else}
      System::Call 'kernel32::CloseHandle(p r0) i'
    ${EndIf}
  ${EndIf}
!macroend

; Writes one file. When it cannot be written (under /S the write is skipped with the error flag
; set; interactively the user chose Ignore), the new file goes beside it and replaces it at the
; next restart.
!macro InstallFile NAME SOURCE
  ClearErrors
  File "/oname=$INSTDIR\${NAME}" "${SOURCE}"
  ${If} ${Errors}
    File "/oname=$INSTDIR\${NAME}.new" "${SOURCE}"
    Rename /REBOOTOK "$INSTDIR\${NAME}.new" "$INSTDIR\${NAME}"
    StrCpy $ScheduledFiles "$ScheduledFiles ${NAME}"
  ${EndIf}
!macroend

; The program for the user at the desktop, started by the desktop's shell (Explorer), so with the
; shell's unelevated token in its session, never with the installer's: the shell window of the
; desktop (IShellWindows::FindWindowSW, SWC_DESKTOP), its view's automation object
; (IShellBrowser::QueryActiveShellView, IShellView::GetItemObject, IShellFolderViewDual::
; get_Application) and IShellDispatch2::ShellExecute. Where there is no shell (a service's
; session, a deployment by SYSTEM) nothing starts: the program then starts at the next logon.
Function StartTrayThroughShell
  System::Call 'ole32::CoInitializeEx(p 0, i 2) i'
  System::Call 'ole32::CoCreateInstance(g "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}", p 0, i 0x17, \
      g "{85CB6900-4D95-11CF-960C-0080C7F4EE85}", *p .r1) i .r0'
  ${If} $0 <> 0
    Return
  ${EndIf}
  ; Two empty VARIANTs (24 bytes each on 64-bit) for the location arguments.
  System::Alloc 48
  Pop $9
  IntOp $8 $9 + 24
  StrCpy $2 0
  System::Call '$1->15(p r9, p r8, i 8, *i .r3, i 1, *p .r2) i .r0'  ; FindWindowSW
  System::Call '$1->2()'
  ${If} $2 P= 0
    System::Free $9
    Return
  ${EndIf}
  StrCpy $3 0
  System::Call '$2->0(g "{6D5140C1-7436-11CE-8034-00AA006009FA}", *p .r3) i'  ; IServiceProvider
  System::Call '$2->2()'
  ${If} $3 P= 0
    System::Free $9
    Return
  ${EndIf}
  StrCpy $4 0
  System::Call '$3->3(g "{4C96BE40-915C-11CF-99D3-00AA004AE837}", g "{000214E2-0000-0000-C000-000000000046}", *p .r4) i'
  System::Call '$3->2()'
  ${If} $4 P= 0
    System::Free $9
    Return
  ${EndIf}
  StrCpy $5 0
  System::Call '$4->15(*p .r5) i'  ; QueryActiveShellView
  System::Call '$4->2()'
  ${If} $5 P= 0
    System::Free $9
    Return
  ${EndIf}
  StrCpy $6 0
  System::Call '$5->15(i 0, g "{00020400-0000-0000-C000-000000000046}", *p .r6) i'  ; GetItemObject(SVGIO_BACKGROUND)
  System::Call '$5->2()'
  ${If} $6 P= 0
    System::Free $9
    Return
  ${EndIf}
  StrCpy $7 0
  System::Call '$6->0(g "{E7A1AF80-4D96-11CF-960F-00C04FD8D9A6}", *p .r7) i'  ; IShellFolderViewDual
  System::Call '$6->2()'
  ${If} $7 P= 0
    System::Free $9
    Return
  ${EndIf}
  StrCpy $3 0
  System::Call '$7->7(*p .r3) i'  ; get_Application
  System::Call '$7->2()'
  ${If} $3 P= 0
    System::Free $9
    Return
  ${EndIf}
  StrCpy $4 0
  System::Call '$3->0(g "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}", *p .r4) i'  ; IShellDispatch2
  System::Call '$3->2()'
  ${If} $4 P= 0
    System::Free $9
    Return
  ${EndIf}
  ; ShellExecute(File, vArgs, vDir, vOperation, vShow): each VARIANT goes by a pointer to a copy
  ; on 64-bit; the empty ones ask for no arguments, the default folder, verb and window state.
  System::Call 'oleaut32::SysAllocString(w "$INSTDIR\${TRAY_PROGRAM}") p .r5'
  System::Alloc 96
  Pop $6
  IntOp $7 $6 + 24
  IntOp $8 $6 + 48
  IntOp $2 $6 + 72
  System::Call '$4->31(p r5, p r6, p r7, p r8, p r2) i'
  System::Call 'oleaut32::SysFreeString(p r5)'
  System::Free $6
  System::Call '$4->2()'
  System::Free $9
FunctionEnd

; The per-user start: Active Setup runs StubPath once for each user at logon (again whenever
; Version grows), before the logon entries run. It writes the user's own logon entry, which then
; starts the program at that same logon. Version is the time of this installation in UTC (which
; no change of time zone turns back), so that every installation (also after an uninstallation)
; reaches every user once more.
Function WritePerUserStart
  ${GetTime} "" "LS" $0 $1 $2 $3 $4 $5 $6
  WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "" "${PRODUCT}"
  WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "Version" "$2,$1$0,$4$5,$6"
  WriteRegDWORD HKLM "${ACTIVE_SETUP_KEY}" "IsInstalled" 1
  WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "StubPath" \
      '"$SYSDIR\reg.exe" add "HKCU\${LOGON_KEY}" /v "${LOGON_VALUE}" /t REG_SZ /d "\"$INSTDIR\${TRAY_PROGRAM}\" /AutoRun" /f'
FunctionEnd

Function .onInit
  SetRegView 64
  Call CheckAdministrator
FunctionEnd

Function un.onInit
  SetRegView 64
  Call un.CheckAdministrator
FunctionEnd

Section "Install"
  Call EndTrayPrograms
  StrCpy $R2 0
  Call StopService

  StrCpy $HeldFile ""
  !insertmacro ForEachInstalledFile CheckFileFree
  !insertmacro CheckFileFree "Uninstall.exe" ""
  ${If} $HeldFile != ""
    Call LowerExitEvent
    Call RestartInstalledService
    Call StartTrayWhenAsked
    MessageBox MB_OK|MB_ICONSTOP "$(FileInUse)" /SD IDOK
    SetErrorLevel ${EXIT_FILE_IN_USE}
    Abort "$(FileInUse)"
  ${EndIf}

  SetOutPath "$INSTDIR"
  StrCpy $ScheduledFiles ""
  !insertmacro ForEachInstalledFile InstallFile
  ClearErrors
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ${If} ${Errors}
    WriteUninstaller "$INSTDIR\Uninstall.exe.new"
    Rename /REBOOTOK "$INSTDIR\Uninstall.exe.new" "$INSTDIR\Uninstall.exe"
    StrCpy $ScheduledFiles "$ScheduledFiles Uninstall.exe"
  ${EndIf}

  WriteRegDWORD HKLM "${MARKER_KEY}" "${MARKER_VALUE}" ${MARKER}
  Call WritePerUserStart
  SetShellVarContext all
  CreateShortCut "${SHORTCUT}" "$INSTDIR\${TRAY_PROGRAM}"
  SetShellVarContext current

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_TEXT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Holvara.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  Call LowerExitEvent
  ${If} $ScheduledFiles != ""
    ; A new service beside old files would be a mix of versions: it starts after the restart.
    SetRebootFlag true
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(RestartNeeded)" /SD IDOK
    SetErrorLevel ${EXIT_RESTART_NEEDED}
    Return
  ${EndIf}

  ClearErrors
  Call InstallService
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$(ServiceFailed)" /SD IDOK
    SetErrorLevel ${EXIT_SERVICE_FAILED}
  ${EndIf}

  Call StartTrayWhenAsked
SectionEnd

; After an interactive installation, and after a silent one given /StartTray, the program starts
; for the user at the desktop.
Function StartTrayWhenAsked
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/StartTray" $1
  ${If} ${Errors}
  ${AndIf} ${Silent}
    Return
  ${EndIf}
  Call StartTrayThroughShell
FunctionEnd

Section "Uninstall"
  Call un.EndTrayPrograms
  StrCpy $R2 1
  Call un.StopService

  DeleteRegValue HKLM "${MARKER_KEY}" "${MARKER_VALUE}"
  DeleteRegKey /ifempty HKLM "${MARKER_KEY}"
  DeleteRegKey /ifempty HKLM "Software\ZELTO\Holvara"
  DeleteRegKey /ifempty HKLM "Software\ZELTO"
  DeleteRegValue HKCU "${LOGON_KEY}" "${LOGON_VALUE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Every other user's logon entry goes at that user's next logon: the component stays, with a
  ; newer version whose command removes the entry.
  ${GetTime} "" "LS" $0 $1 $2 $3 $4 $5 $6
  WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "Version" "$2,$1$0,$4$5,$6"
  WriteRegStr HKLM "${ACTIVE_SETUP_KEY}" "StubPath" \
      '"$SYSDIR\reg.exe" delete "HKCU\${LOGON_KEY}" /v "${LOGON_VALUE}" /f'
  SetShellVarContext all
  Delete "${SHORTCUT}"
  SetShellVarContext current

  ; What another program still holds goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\Holvara.exe"
  Delete /REBOOTOK "$INSTDIR\HolvaraService.exe"
  Delete /REBOOTOK "$INSTDIR\HolvaraRes.dll"
  Delete /REBOOTOK "$INSTDIR\HolvaraResUS.dll"
  Delete /REBOOTOK "$INSTDIR\HolvaraCli.exe"
  Delete /REBOOTOK "$INSTDIR\Index.html"
  Delete /REBOOTOK "$INSTDIR\IndexJa.html"
  Delete /REBOOTOK "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"
  RMDir "$PROGRAMFILES64\ZELTO"
  Call un.LowerExitEvent
  ${If} ${RebootFlag}
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(RemovedAtRestart)" /SD IDOK
    SetErrorLevel ${EXIT_RESTART_NEEDED}
  ${EndIf}
SectionEnd

; HolvaraSetup.exe: installs the service, the notification-area program, its resource libraries,
; the command-line tool and the help documents into the 64-bit program-files folder, registers and
; starts the service, writes the installation marker the program checks at start, and starts the
; program for the installing user. The uninstaller undoes all of it. Both run silently with /S.
;
; Installing over an existing installation (an upgrade) first ends the running program and stops
; the service, so that their files can be replaced; the user's settings under
; HKCU\Software\ZELTO\Holvara are never touched, by the installer or by the uninstaller.
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

!define SERVICE_NAME "HolvaraService"
!define SERVICE_DISPLAY_NAME "${PRODUCT} Service"
; The key and value of the installation marker, read by Holvara.exe through the 64-bit view.
!define MARKER_KEY "Software\ZELTO\Holvara\Common"
!define MARKER_VALUE "CurrentMode"
!define MARKER 141421356
!define LOGON_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\run"
!define LOGON_VALUE "Holvara"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Holvara"
!define TRAY_WINDOW_TITLE "Holvara"
!define TRAY_PROGRAM "Holvara.exe"
!define TRAY_MESSAGE "HOLVARA"

; Service manager values.
!define SC_MANAGER_ALL_ACCESS 0xF003F
!define SERVICE_ALL_ACCESS 0xF01FF
!define SERVICE_WIN32_OWN_PROCESS 0x10
!define SERVICE_AUTO_START 2
!define SERVICE_ERROR_NORMAL 1
!define SERVICE_CONTROL_STOP 1
!define SERVICE_STOPPED 1
!define SERVICE_RUNNING 4
!define SYNCHRONIZE 0x00100000
!define PROCESS_TERMINATE 0x0001
!define WAIT_OBJECT_0 0
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define /math PROCESS_WAIT_AND_END ${SYNCHRONIZE} | ${PROCESS_TERMINATE}
!define /math PROCESS_ACCESS ${PROCESS_WAIT_AND_END} | ${PROCESS_QUERY_LIMITED_INFORMATION}

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\ZELTO\Holvara"
BrandingText "${PRODUCT} ${VERSION_TEXT}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"

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

; Ends the notification-area program of this desktop the way it is asked to end: the registered
; message "HOLVARA" with wParam 0 to its main window. Waits up to 10 seconds for the process, and
; ends it outright when it is still there (stuck in a box the user left open, say), so that its
; files can always be replaced or deleted afterwards. Another program's window that happens to
; carry the same title (a folder window named "Holvara", say) is left alone.
!macro DefineEndTrayProgram un
Function ${un}EndTrayProgram
  System::Call 'user32::RegisterWindowMessage(t "${TRAY_MESSAGE}") i .r0'
  StrCpy $1 0
  ${Do}
    FindWindow $1 "" "${TRAY_WINDOW_TITLE}" "" $1
    ${If} $1 = 0
      ${ExitDo}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2) i'
    System::Call 'kernel32::OpenProcess(i ${PROCESS_ACCESS}, i 0, i r2) p .r3'
    ${If} $3 P= 0
      ${Continue}
    ${EndIf}
    StrCpy $5 ""
    System::Call 'kernel32::QueryFullProcessImageName(p r3, i 0, w .r5, *i ${NSIS_MAX_STRLEN}) i'
    StrCpy $6 $5 "" -12
    ${If} $6 == "\${TRAY_PROGRAM}"
      System::Call 'user32::PostMessage(p r1, i r0, p 0, p 0) i'
      System::Call 'kernel32::WaitForSingleObject(p r3, i 10000) i .r4'
      ${If} $4 <> ${WAIT_OBJECT_0}
        System::Call 'kernel32::TerminateProcess(p r3, i 1) i'
        System::Call 'kernel32::WaitForSingleObject(p r3, i 5000) i'
      ${EndIf}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r3) i'
  ${Loop}
FunctionEnd
!macroend
!insertmacro DefineEndTrayProgram ""
!insertmacro DefineEndTrayProgram "un."

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

; Stops the service when it is installed and running; with $R2 = 1 also deletes it.
!macro DefineStopService un
Function ${un}StopService
  System::Call 'advapi32::OpenSCManager(p 0, p 0, i ${SC_MANAGER_ALL_ACCESS}) p .R0'
  ${If} $R0 P= 0
    Return
  ${EndIf}
  System::Call 'advapi32::OpenService(p R0, t "${SERVICE_NAME}", i ${SERVICE_ALL_ACCESS}) p .R1'
  ${If} $R1 P<> 0
    System::Alloc 28
    Pop $R4
    System::Call 'advapi32::ControlService(p R1, i ${SERVICE_CONTROL_STOP}, p R4) i'
    System::Free $R4
    StrCpy $R3 ${SERVICE_STOPPED}
    Call ${un}WaitForServiceState
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

; Registers the service (or, on an upgrade, sets its configuration again) as an own-process,
; automatically started LocalSystem service, and starts it. Sets the error flag on failure.
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
  System::Call 'advapi32::StartService(p R1, i 0, p 0) i'
  StrCpy $R3 ${SERVICE_RUNNING}
  Call WaitForServiceState
  ${If} $7 <> ${SERVICE_RUNNING}
    SetErrors
  ${EndIf}
  System::Call 'advapi32::CloseServiceHandle(p R1) i'
  System::Call 'advapi32::CloseServiceHandle(p R0) i'
FunctionEnd

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Install"
  Call EndTrayProgram
  StrCpy $R2 0
  Call StopService

  SetOutPath "$INSTDIR"
  File "${HOLVARA_EXE}"
  File "${SERVICE_EXE}"
  File "${RES_JA_DLL}"
  File "${RES_US_DLL}"
  File "${CLI_EXE}"
  File "${HELP_DIR}/Index.html"
  File "${HELP_DIR}/IndexJa.html"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  WriteRegDWORD HKLM "${MARKER_KEY}" "${MARKER_VALUE}" ${MARKER}
  ; The same entry the program writes at its first start; written here too, so that a
  ; reinstallation after an uninstall starts at logon again although the settings survived.
  WriteRegStr HKCU "${LOGON_KEY}" "${LOGON_VALUE}" '"$INSTDIR\Holvara.exe" /AutoRun'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_TEXT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Holvara.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ClearErrors
  Call InstallService
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "$(ServiceFailed)" /SD IDOK
    SetErrorLevel 1
  ${EndIf}

  Exec '"$INSTDIR\Holvara.exe"'
SectionEnd

Section "Uninstall"
  Call un.EndTrayProgram
  StrCpy $R2 1
  Call un.StopService

  DeleteRegValue HKLM "${MARKER_KEY}" "${MARKER_VALUE}"
  DeleteRegKey /ifempty HKLM "${MARKER_KEY}"
  DeleteRegKey /ifempty HKLM "Software\ZELTO\Holvara"
  DeleteRegKey /ifempty HKLM "Software\ZELTO"
  DeleteRegValue HKCU "${LOGON_KEY}" "${LOGON_VALUE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  Delete "$INSTDIR\Holvara.exe"
  Delete "$INSTDIR\HolvaraService.exe"
  Delete "$INSTDIR\HolvaraRes.dll"
  Delete "$INSTDIR\HolvaraResUS.dll"
  Delete "$INSTDIR\HolvaraCli.exe"
  Delete "$INSTDIR\Index.html"
  Delete "$INSTDIR\IndexJa.html"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\ZELTO"
SectionEnd

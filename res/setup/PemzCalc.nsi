; The calculator's setup and uninstaller. The build runs makensis with:
;   PEMZ_VERSION    shown version ("1.00")      PEMZ_VERSION4  four-part version ("1.0.0.1")
;   PEMZ_FILES      generated .nsh naming the files to install and remove
;   PEMZ_ICON       the program's icon          PEMZ_OUTFILE   the setup to write
;   PEMZ_TARGET     (optional) amd64-unicode for the 64-bit test build; the shipped
;                   setup is a 32-bit program, so that it runs on every Windows
!ifdef PEMZ_TARGET
Target ${PEMZ_TARGET}
!else
Unicode true
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include "${PEMZ_FILES}"

!define PRODUCT "Calculatrice Euro Pemz"
!define PUBLISHER "Pemz"
!define UNINSTALLER "Desinstaller.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PemzCalc"
!define SHORTCUT "$SMPROGRAMS\Calculatrice Euro Pemz.lnk"
; What the program writes about itself at every start; the setup writes it too.
!define CLASS_KEY "PemzCalc"
!define APP_PATH_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\PemzCalc.EXE"
; What the user set: kept unless the user asks for them to go.
!define SETTINGS_KEY "Software\Pemz\PemzCalc"
!define PARITY_KEY "Software\Pemz"
; Where Windows (Vista and later) keeps a standard user's parity for a 32-bit program
; without a manifest: on 64-bit Windows, then on 32-bit Windows.
!define VIRTUAL_PARITY_KEY64 "Software\Classes\VirtualStore\MACHINE\SOFTWARE\WOW6432Node\Pemz"
!define VIRTUAL_PARITY_KEY32 "Software\Classes\VirtualStore\MACHINE\SOFTWARE\Pemz"

; With its article, the name reads right in every French text of the pages.
Name "la ${PRODUCT}"
Caption "Installation de la ${PRODUCT}"
UninstallCaption "Désinstallation de la ${PRODUCT}"
OutFile "${PEMZ_OUTFILE}"
InstallDir "$PROGRAMFILES\Pemz\Calculatrice Euro"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${PEMZ_VERSION}"

VIProductVersion "${PEMZ_VERSION4}"
VIFileVersion "${PEMZ_VERSION4}"
VIAddVersionKey /LANG=1036 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de la ${PRODUCT}"
VIAddVersionKey /LANG=1036 "FileVersion" "${PEMZ_VERSION}"
VIAddVersionKey /LANG=1036 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${PEMZ_VERSION}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "Copyright © 2001-2002 Pemz"

!define MUI_ICON "${PEMZ_ICON}"
!define MUI_UNICON "${PEMZ_ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "Installation de la ${PRODUCT} ${PEMZ_VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Ce programme installe sur votre ordinateur la calculatrice \
    qui convertit entre euros et francs, son aide et un raccourci dans le menu Démarrer.$\r$\n$\r$\n\
    Si la calculatrice est ouverte, fermez-la d'abord.$\r$\n$\r$\nCliquez sur Suivant pour continuer."
!define MUI_FINISHPAGE_TITLE "La calculatrice est installée"
!define MUI_FINISHPAGE_TEXT "Elle figure dans le menu Démarrer sous le nom \
    « ${PRODUCT} ».$\r$\n$\r$\nCliquez sur Fermer pour quitter l'installation."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Lancer la calculatrice"
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsTheUser

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

; Asked once the user has confirmed, before anything is removed.
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE un.AskAboutSettings
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "French"

; Files in use cannot be replaced or removed: nothing is done while the
; calculator is open.
!macro REFUSE_WHILE_RUNNING un again
Function ${un}RefuseWhileRunning
    FindWindow $0 "#32770" "Calculatrice Pemz"
    StrCmp $0 0 done
    MessageBox MB_OK|MB_ICONSTOP "La calculatrice est ouverte : fermez-la, puis ${again}." /SD IDOK
    Abort
  done:
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING "" "relancez l'installation"
!insertmacro REFUSE_WHILE_RUNNING "un." "relancez la désinstallation"

Function .onInit
    SetShellVarContext all
    Call RefuseWhileRunning
FunctionEnd

; The setup runs elevated, and so would a program it started: that run would keep its
; settings in the hive of whoever typed the administrator's password. The shell, which
; runs as the user who is logged on, starts it instead.
Function RunAsTheUser
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\PemzCalc.exe"'
FunctionEnd

; The program's own registration, from the installed path, value for value: a standard
; user's start cannot write HKCR or App Paths on Vista and later, and an elevated
; start finds them equal and writes nothing.
Function WriteShellRegistration
    StrCpy $0 "$INSTDIR\PemzCalc.exe"
    ; The open command quotes a path only when it holds a space.
    StrCpy $1 $0
    StrCpy $2 0
    ${Do}
        StrCpy $3 $0 1 $2
        ${If} $3 == " "
            StrCpy $1 '"$0"'
            ${Break}
        ${EndIf}
        IntOp $2 $2 + 1
    ${LoopUntil} $3 == ""
    WriteRegStr HKCR "${CLASS_KEY}" "" "${PRODUCT}"
    WriteRegStr HKCR "${CLASS_KEY}\shell\open\command" "" "$1 %1"
    ; An icon entry, once there, is never replaced.
    ClearErrors
    ReadRegStr $3 HKCR "${CLASS_KEY}\DefaultIcon" ""
    ${If} ${Errors}
        WriteRegStr HKCR "${CLASS_KEY}\DefaultIcon" "" "$0,0"
    ${EndIf}
    WriteRegStr HKLM "${APP_PATH_KEY}" "" "$0"
    ; A drive's root keeps no backslash ("C:").
    StrCpy $1 $INSTDIR
    StrCpy $3 $1 1 -1
    ${If} $3 == "\"
        StrCpy $1 $1 -1
    ${EndIf}
    WriteRegStr HKLM "${APP_PATH_KEY}" "Path" "$1"
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    !insertmacro PEMZ_INSTALL_FILES
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortCut "${SHORTCUT}" "$INSTDIR\PemzCalc.exe"
    Call WriteShellRegistration

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${PEMZ_VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\PemzCalc.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://pemz.example"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Var RemoveSettings   ; 1 when the user asked for the settings to go; silent, only with /SUPPRIMER_REGLAGES

Function un.AskAboutSettings
    StrCpy $RemoveSettings 0   ; asked, the answer counts
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION "Supprimer aussi vos réglages de la calculatrice et la parité de l'euro enregistrée sur cet ordinateur ?" IDYES`
        StrCpy $RemoveSettings 1
    ${EndIf}
FunctionEnd

Function un.onInit
    SetShellVarContext all
    Call un.RefuseWhileRunning
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/SUPPRIMER_REGLAGES" $1
    ${IfNot} ${Errors}
        StrCpy $RemoveSettings 1
    ${EndIf}
FunctionEnd

Section "Uninstall"
    !insertmacro PEMZ_DELETE_FILES   ; with the help viewer's files beside them
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Never recursive: the folder may hold what the user put there.
    RMDir "$INSTDIR"
    ${GetParent} "$INSTDIR" $0
    ${GetFileName} "$0" $1
    ${If} $1 == "Pemz"
        RMDir "$0"
    ${EndIf}
    Delete "${SHORTCUT}"

    DeleteRegKey HKCR "${CLASS_KEY}"
    DeleteRegKey HKLM "${APP_PATH_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ${If} $RemoveSettings == 1
        DeleteRegKey HKCU "${SETTINGS_KEY}"
        DeleteRegKey /ifempty HKCU "${PARITY_KEY}"
        DeleteRegKey HKLM "${PARITY_KEY}"
        ; The user's own copy of the parity, which Windows kept for the program.
        DeleteRegKey HKCU "${VIRTUAL_PARITY_KEY64}"
        DeleteRegKey HKCU "${VIRTUAL_PARITY_KEY32}"
    ${EndIf}
SectionEnd

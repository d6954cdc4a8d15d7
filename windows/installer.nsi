; The installer of Кадрописец: Russian, for the current user or for all users of the computer,
; a Start-menu shortcut, .kdz files opening in the editor, an uninstaller that removes exactly
; what was installed. scripts/package-windows.sh defines VERSION, DIST (the folder to install),
; FILELIST and DIRLIST (what the uninstaller removes) and OUTFILE.
; A 64-bit installer for 64-bit programs (it also runs where wine has no 32-bit part).
Target amd64-unicode
SetCompressor /SOLID lzma

!define APPNAME "Кадрописец"
!define EXE "kadropisets.exe"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kadropisets"
!define PROGID "Kadropisets.kdz"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "Kadropisets"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTKEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh

Name "${APPNAME}"
OutFile "${OUTFILE}"
BrandingText "${APPNAME} ${VERSION}"
RequestExecutionLevel user
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${APPNAME}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка программы ${APPNAME}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "Tarnovik"
VIAddVersionKey /LANG=1049 "LegalCopyright" "Tarnovik"

!define MUI_ICON "${DIST}/kadropisets.ico"
!define MUI_UNICON "${DIST}/kadropisets.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
    SetRegView 64
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Кадрописец" SecMain
    SectionIn RO
    SetOutPath "$INSTDIR"
    File /r "${DIST}/*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

    ; .kdz files open in the editor.
    WriteRegStr SHCTX "Software\Classes\.kdz" "" "${PROGID}"
    WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Файл кадров табло"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\${EXE},0"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "${APPNAME}"
    WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTKEY}" "Publisher" "Tarnovik"
    WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTKEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTKEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APPNAME}.lnk"
    ; Only the association this installer made is taken back.
    ReadRegStr $0 SHCTX "Software\Classes\.kdz" ""
    ${If} $0 == "${PROGID}"
        DeleteRegKey SHCTX "Software\Classes\.kdz"
    ${EndIf}
    DeleteRegKey SHCTX "Software\Classes\${PROGID}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    ; Exactly the installed files: a folder the user chose may hold other things.
    !include "${FILELIST}"
    Delete "$INSTDIR\uninstall.exe"
    !include "${DIRLIST}"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTKEY}"
SectionEnd

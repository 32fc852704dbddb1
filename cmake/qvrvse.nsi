; The Windows installer: the unpacked package, as it is, installed for the
; current user alone, so no administrator is needed. scripts/package.sh
; builds it with makensis and these definitions:
;   VERSION   the project's version, e.g. 0.5
;   SOURCE    the unpacked package's folder (the program and its data)
;   FILES     an include that deletes exactly those files (for the uninstaller)
;   SIZE_KB   their size, for the list of installed programs
;   ICON      the program's icon; WIZARD, the welcome page's picture
;   OUTFILE   the installer to write; TARGET x86-unicode or amd64-unicode
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma

!define PRODUCT "QVR Visual Script Editor"
!define PUBLISHER "QVR Visual Script Editor team"
!define PROGID "QVRVSE.Script"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QVRVSE"
; A per-user install never touches another user's keys: HKCU only.
!define CLASSES "Software\Classes"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; A second install goes where the first went, also if the user chose the folder.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "${PUBLISHER}"

!include MUI2.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "This installs the ${PRODUCT}, the editor for QVR engine scripts, for you alone: no administrator is needed.$\r$\n$\r$\nScripts (.script, .inc) will open in the editor, and text files offer it under Open with.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\qvrvse.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start the ${PRODUCT}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Stops before anything is changed: a folder the installer cannot write to,
; or a running editor holding its program file, would otherwise leave half
; of one version over the other.
!macro RequireWritableFolder
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\qvrvse-setup.tmp" w
  IfErrors cannot_write
  FileClose $0
  Delete "$INSTDIR\qvrvse-setup.tmp"
  IfFileExists "$INSTDIR\qvrvse.exe" 0 writable
  FileOpen $0 "$INSTDIR\qvrvse.exe" a
  IfErrors cannot_write
  FileClose $0
  Goto writable
cannot_write:
  MessageBox MB_ICONSTOP|MB_OK "${PRODUCT} cannot be installed in$\r$\n$INSTDIR$\r$\n$\r$\nThe folder cannot be written to, or the editor is still running from it. Close the editor, or choose another folder, and try again. Nothing was changed." /SD IDOK
  SetErrorLevel 3
  Quit
writable:
!macroend

Section "${PRODUCT}" SecProgram
  SectionIn RO
  !insertmacro RequireWritableFolder
  ; An older version's files go first, so none of them stays behind; the
  ; settings file lives in the Windows folder and is not among them.
  IfFileExists "$INSTDIR\uninstall.exe" 0 +2
    ExecWait '"$INSTDIR\uninstall.exe" /S /UPGRADE _?=$INSTDIR'
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\qvrvse.exe" "" "$INSTDIR\qvrvse.exe" 0

  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "QVR engine script"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" '"$INSTDIR\qvrvse.exe",0'
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\qvrvse.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\.script" "" "${PROGID}"
  WriteRegStr HKCU "${CLASSES}\.script\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\.inc" "" "${PROGID}"
  WriteRegStr HKCU "${CLASSES}\.inc\OpenWithProgids" "${PROGID}" ""
  ; Text files keep the program they open with; the editor is only offered.
  WriteRegStr HKCU "${CLASSES}\.txt\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\Applications\qvrvse.exe" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKCU "${CLASSES}\Applications\qvrvse.exe\DefaultIcon" "" '"$INSTDIR\qvrvse.exe",0'
  WriteRegStr HKCU "${CLASSES}\Applications\qvrvse.exe\shell\open\command" "" '"$INSTDIR\qvrvse.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\Applications\qvrvse.exe\SupportedTypes" ".script" ""
  WriteRegStr HKCU "${CLASSES}\Applications\qvrvse.exe\SupportedTypes" ".inc" ""
  WriteRegStr HKCU "${CLASSES}\Applications\qvrvse.exe\SupportedTypes" ".txt" ""

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\qvrvse.exe",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; Explorer shows the new icons and types without a new logon.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section /o "Desktop shortcut" SecDesktop
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\qvrvse.exe" "" "$INSTDIR\qvrvse.exe" 0
SectionEnd

; Takes a file type back only where it still names our program, so a type
; another program took over since stays as that program left it.
!macro ReleaseType EXT
  ReadRegStr $0 HKCU "${CLASSES}\${EXT}" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegValue HKCU "${CLASSES}\${EXT}" ""
  DeleteRegValue HKCU "${CLASSES}\${EXT}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${EXT}\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${EXT}"
!macroend

Section "Uninstall"
  ; Only the files this version installed: scripts or other files the user
  ; put in the folder stay, and with them the folder.
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; An upgrade only clears the way for the new files.
  ${un.GetParameters} $1
  ClearErrors
  ${un.GetOptions} $1 "/UPGRADE" $2
  IfErrors 0 done
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegKey HKCU "${CLASSES}\Applications\qvrvse.exe"
  !insertmacro ReleaseType ".script"
  !insertmacro ReleaseType ".inc"
  !insertmacro ReleaseType ".txt"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
done:
SectionEnd

; The Windows installer: the unpacked package, as it is, installed for the
; current user alone, so no administrator is needed. scripts/package.sh
; builds it with makensis and these definitions:
;   VERSION   the project's version, e.g. 0.5
;   SOURCE    the unpacked package's folder (the program and its data)
;   FILES     an include listing those files and folders, one macro call a line
;             (${SHIPPED} for data, ${SHIPPED_PROGRAM}, ${SHIPPED_FOLDER}), which
;             the installer and the uninstaller each define as they need
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
; What was installed, file by file: its size and last-write time as the
; install left it, so a file the user changed since is told from ours.
!define RECORD_KEY "${UNINSTALL_KEY}\Installed"
; Left in the folder by an uninstall that kept changed files, naming them.
!define KEPT_NOTE "Kept by the uninstaller.txt"

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
!include LogicLib.nsh

Var KeptFiles    ; one line per file this run left as the user changed it
Var FinishNote

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
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION} is installed.$FinishNote$\r$\n$\r$\nClick Finish to close this wizard."
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

; A file's size and last-write time, "size high low", as the record holds
; them; "" when the file cannot be read.
!macro FileStampFunction PREFIX
Function ${PREFIX}FileStamp
  Exch $0
  Push $1
  Push $2
  Push $3
  ClearErrors
  FileOpen $1 $0 r
  ${If} ${Errors}
    StrCpy $0 ""
  ${Else}
    FileSeek $1 0 END $2
    FileClose $1
    GetFileTime $0 $1 $3
    StrCpy $0 "$2 $1 $3"
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro FileStampFunction ""
!insertmacro FileStampFunction "un."

; Where a shipped file goes (stack: its path, then the plain name beside
; it, both relative to the folder; the place comes back in $0). A file of
; its name still there is the user's: the uninstaller of the version before
; left it because it had changed, or it was there before any install.
Function ShippedPlace
  Pop $1
  Pop $0
  ${If} ${FileExists} "$INSTDIR\$0"
    StrCpy $KeptFiles "$KeptFiles$\r$\n$0 (the new one is $1)"
    StrCpy $0 $1
  ${EndIf}
FunctionEnd

Function RecordInstalled
  Pop $0
  Push "$INSTDIR\$0"
  Call FileStamp
  Pop $1
  WriteRegStr HKCU "${RECORD_KEY}" $0 $1
FunctionEnd

; Removes a file only as the install left it; anything else is the user's.
Function un.RemoveIfUnchanged
  Pop $0
  ${IfNot} ${FileExists} "$INSTDIR\$0"
    Return
  ${EndIf}
  ReadRegStr $1 HKCU "${RECORD_KEY}" $0
  Push "$INSTDIR\$0"
  Call un.FileStamp
  Pop $2
  ${If} $1 != ""
  ${AndIf} $1 == $2
    Delete "$INSTDIR\$0"
  ${Else}
    StrCpy $KeptFiles "$KeptFiles$\r$\n$0"
  ${EndIf}
FunctionEnd

!macro InstallShipped FOLDER NAME NEW SOURCE
  Push "${FOLDER}${NAME}"
  Push "${FOLDER}${NEW}"
  Call ShippedPlace
  SetOutPath "$INSTDIR\${FOLDER}"
  File "/oname=$INSTDIR\$0" "${SOURCE}"
  Push $0
  Call RecordInstalled
!macroend
!macro RemoveShipped FOLDER NAME NEW SOURCE
  Push "${FOLDER}${NAME}"
  Call un.RemoveIfUnchanged
  Push "${FOLDER}${NEW}"
  Call un.RemoveIfUnchanged
!macroend
; The program is nobody's to change: it is always replaced and removed.
!macro InstallProgram FOLDER NAME SOURCE
  SetOutPath "$INSTDIR\${FOLDER}"
  File "/oname=$INSTDIR\${FOLDER}${NAME}" "${SOURCE}"
!macroend
!macro RemoveProgram FOLDER NAME SOURCE
  Delete "$INSTDIR\${FOLDER}${NAME}"
!macroend
!macro NoStep FOLDER
!macroend
!macro RemoveFolder FOLDER
  RMDir "$INSTDIR\${FOLDER}"
!macroend

Section "${PRODUCT}" SecProgram
  SectionIn RO
  !insertmacro RequireWritableFolder
  ; An older version's files go first, so none of them stays behind, but
  ; for those the user changed; the settings file lives in the Windows
  ; folder and is not among them.
  IfFileExists "$INSTDIR\uninstall.exe" 0 +2
    ExecWait '"$INSTDIR\uninstall.exe" /S /UPGRADE _?=$INSTDIR'
  DeleteRegKey HKCU "${RECORD_KEY}"
  Delete "$INSTDIR\${KEPT_NOTE}"
  StrCpy $KeptFiles ""
  !define SHIPPED InstallShipped
  !define SHIPPED_PROGRAM InstallProgram
  !define SHIPPED_FOLDER NoStep
  !include "${FILES}"
  !undef SHIPPED
  !undef SHIPPED_PROGRAM
  !undef SHIPPED_FOLDER
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} $KeptFiles != ""
    StrCpy $FinishNote "$\r$\n$\r$\nYou had changed these files, so they stay as you left them; the new version of each is beside it:$KeptFiles"
    DetailPrint "Kept as you changed them:$KeptFiles"
  ${EndIf}

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
  ; Only the files this version installed, as it installed them: scripts
  ; or other files the user put in the folder stay, so do installed files
  ; the user changed, and with them the folder.
  StrCpy $KeptFiles ""
  !define SHIPPED RemoveShipped
  !define SHIPPED_PROGRAM RemoveProgram
  !define SHIPPED_FOLDER RemoveFolder
  !include "${FILES}"
  !undef SHIPPED
  !undef SHIPPED_PROGRAM
  !undef SHIPPED_FOLDER
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; An upgrade only clears the way for the new files; the new installer
  ; says what it kept.
  ${un.GetParameters} $1
  ClearErrors
  ${un.GetOptions} $1 "/UPGRADE" $2
  IfErrors 0 done
  ${If} $KeptFiles != ""
    FileOpen $0 "$INSTDIR\${KEPT_NOTE}" w
    FileWrite $0 "${PRODUCT} was uninstalled. These files of it had been changed since they were installed, so they were left here:$\r$\n$KeptFiles$\r$\n"
    FileClose $0
    MessageBox MB_ICONINFORMATION|MB_OK "These files had been changed since they were installed, so they were left in$\r$\n$INSTDIR:$KeptFiles" /SD IDOK
  ${EndIf}
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

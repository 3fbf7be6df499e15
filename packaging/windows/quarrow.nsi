; The Windows installer: the program and the files it reads, in one folder
; under Program Files, a Start-menu shortcut, and an entry under installed
; programs. Quiet with /S, both ways. Built by packaging/windows/CMakeLists.txt:
;   makensis -DDEFINES=<defines.nsh> quarrow.nsi
; where defines.nsh, made from defines.nsh.in, names the version, the maker,
; the program, the folder it is staged in, the list of its files
; (stage_files.py), the icon, the game's running marker and the installer
; to write.
;
; What either program promises: it changes nothing while the game runs (it
; asks the player to close it, or quietly ends with status 3), it checks
; every write and delete and ends with status 2 and says why when one fails,
; never "Completed"; there is one installation, kept where it was first put,
; and one entry; the uninstaller removes what any version installed (the
; list in uninstall.lst), and nothing a player put beside it.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; A file that cannot be written stops the installation; never skipped.
AllowSkipFiles off

; Windows-1252, as the about text it quotes.
!include /CHARSET=CP1252 "${DEFINES}"
!include "${FILES}"

!include FileFunc.nsh
!include LogicLib.nsh
!include MUI2.nsh

!define NAME "Quarrow Solitaire"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuarrowSolitaire"
; Every file this or an earlier version installed, one a line, folders
; ending in a backslash; the uninstaller goes by it.
!define LISTED "uninstall.lst"
!define GAME_CLASS "frm_brd"
!define SYNCHRONIZE 0x00100000
!define STATUS_FAILED 2
!define STATUS_GAME_RUNS 3

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${NAME} ${VERSION}"

Var Listed      ; uninstall.lst, open for appending while installing
Var Updating    ; 1 when an installation is there already

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${NAME}"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderWhenUpdating
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${NAME}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${NAME} installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"

; Stops with a message and a failure status; the message box is skipped
; when quiet, the status is not.
!macro Fail TEXT
  DetailPrint "${TEXT}"
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
  SetErrorLevel ${STATUS_FAILED}
  Abort "${TEXT}"
!macroend

; The game holds its marker while it runs; a game of a version before the
; marker is known by its window. Interactively the player may close it and
; retry; quietly, or when the player gives up, GIVE_UP (Quit before anything
; has started, Abort inside a section) ends with STATUS_GAME_RUNS.
!macro RefuseWhileTheGameRuns GIVE_UP
  ${Do}
    StrCpy $R0 0
    System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${RUNNING_MARKER}") p .R1'
    ${If} $R1 P<> 0
      System::Call 'kernel32::CloseHandle(p R1)'
      StrCpy $R0 1
    ${EndIf}
    FindWindow $R1 "${GAME_CLASS}"
    ${If} $R1 != 0
      StrCpy $R0 1
    ${EndIf}
    ${If} $R0 = 0
      ${Break}
    ${EndIf}
    ${If} ${Silent}
    ${OrIfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${NAME} is running. Close the game, then choose Retry; nothing has been changed yet." IDRETRY`
      SetErrorLevel ${STATUS_GAME_RUNS}
      DetailPrint "${NAME} is running: nothing has been changed."
      ${GIVE_UP}
    ${EndIf}
  ${Loop}
!macroend

Function .onInit
  ; A 64-bit program: its registry view and Program Files are the 64-bit ones.
  SetRegView 64
  ; The shortcut is for everyone on the machine, as the program is.
  SetShellVarContext all
  !insertmacro RefuseWhileTheGameRuns Quit
  ; One installation: an update goes where the game already is, whatever
  ; /D or the folder page say, so no second copy and entry appear.
  StrCpy $Updating 0
  ReadRegStr $R0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R0 != ""
  ${AndIf} ${FileExists} "$R0\*.*"
    StrCpy $INSTDIR $R0
    StrCpy $Updating 1
  ${EndIf}
FunctionEnd

Function SkipFolderWhenUpdating
  ${If} $Updating = 1
    Abort
  ${EndIf}
FunctionEnd

!macro InstallFolder FOLDER
  SetOutPath "$INSTDIR\${FOLDER}"
  !if "${FOLDER}" != ""
    FileWrite $Listed "${FOLDER}\$\r$\n"
  !endif
!macroend

!macro InstallFile FOLDER NAME
  ClearErrors
  !if "${FOLDER}" == ""
    File "${STAGE}\${NAME}"
    FileWrite $Listed "${NAME}$\r$\n"
  !else
    File "${STAGE}\${FOLDER}\${NAME}"
    FileWrite $Listed "${FOLDER}\${NAME}$\r$\n"
  !endif
  ${If} ${Errors}
    !insertmacro Fail "${FOLDER}\${NAME} could not be written to $INSTDIR."
  ${EndIf}
!macroend

!macro CheckedRegStr NAME VALUE
  ClearErrors
  WriteRegStr HKLM "${UNINSTALL_KEY}" "${NAME}" `${VALUE}`
  ${If} ${Errors}
    !insertmacro Fail "The entry under installed programs could not be written."
  ${EndIf}
!macroend

Section "Install"
  ; The player may have started the game while the pages were up.
  !insertmacro RefuseWhileTheGameRuns Abort
  ${If} $Updating = 1
    DetailPrint "Updating the installation in $INSTDIR"
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  ; The uninstaller first: whatever happens next, what was written can be taken away.
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    !insertmacro Fail "The uninstaller could not be written to $INSTDIR."
  ${EndIf}
  FileOpen $Listed "$INSTDIR\${LISTED}" a
  ${If} ${Errors}
    !insertmacro Fail "$INSTDIR\${LISTED} could not be written."
  ${EndIf}
  FileSeek $Listed 0 END
  !insertmacro STAGED_FILES Install
  FileClose $Listed

  ; The shortcut starts the program in its own folder.
  SetOutPath "$INSTDIR"
  ClearErrors
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${PROGRAM}"
  ${If} ${Errors}
    !insertmacro Fail "The Start-menu shortcut could not be made."
  ${EndIf}

  ; The entry last: it names this version only once all of it is in place.
  !insertmacro CheckedRegStr "DisplayName" "${NAME}"
  !insertmacro CheckedRegStr "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  !insertmacro CheckedRegStr "DisplayVersion" "${VERSION}"
  !insertmacro CheckedRegStr "Publisher" "${PUBLISHER}"
  !insertmacro CheckedRegStr "InstallLocation" "$INSTDIR"
  !insertmacro CheckedRegStr "UninstallString" '"$INSTDIR\uninstall.exe"'
  !insertmacro CheckedRegStr "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
  ${If} ${Errors}
    !insertmacro Fail "The entry under installed programs could not be written."
  ${EndIf}
SectionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro RefuseWhileTheGameRuns Quit
FunctionEnd

!macro DeleteChecked PATH
  ClearErrors
  Delete "$INSTDIR\${PATH}"
  ${If} ${Errors}
    !insertmacro Fail "$INSTDIR\${PATH} could not be removed. The entry under installed programs stays, so that the uninstaller can be run again."
  ${EndIf}
!macroend

; This version's own files, also for an installation from before the list
; (STAGED_FILES Remove), and then their folders once empty (STAGED_FILES Empty).
!macro RemoveFolder FOLDER
!macroend
!macro RemoveFile FOLDER NAME
  !if "${FOLDER}" == ""
    !insertmacro DeleteChecked "${NAME}"
  !else
    !insertmacro DeleteChecked "${FOLDER}\${NAME}"
  !endif
!macroend
!macro EmptyFolder FOLDER
  !if "${FOLDER}" != ""
    RMDir "$INSTDIR\${FOLDER}"
  !endif
!macroend
!macro EmptyFile FOLDER NAME
!macroend

; Goes through uninstall.lst: PASS "files" removes every file it names,
; "folders" every folder it names that is empty by then. A line that would
; lead outside the installation folder is passed over.
!macro ListedEntries PASS
  ClearErrors
  FileOpen $R2 "$INSTDIR\${LISTED}" r
  ${IfNot} ${Errors}
    ${Do}
      ClearErrors
      FileRead $R2 $R3
      ${If} ${Errors}
        ${Break}
      ${EndIf}
      ; Without its line end.
      ${Do}
        StrCpy $R4 $R3 1 -1
        ${If} $R4 == "$\r"
        ${OrIf} $R4 == "$\n"
          StrCpy $R3 $R3 -1
        ${Else}
          ${Break}
        ${EndIf}
      ${Loop}
      Push $R3
      Call un.Inside
      Pop $R5
      ${If} $R5 = 1
        StrCpy $R4 $R3 1 -1
        !if "${PASS}" == "files"
          ${If} $R4 != "\"
            !insertmacro DeleteChecked "$R3"
          ${EndIf}
        !else
          ${If} $R4 == "\"
            RMDir "$INSTDIR\$R3"
          ${EndIf}
        !endif
      ${EndIf}
    ${Loop}
    FileClose $R2
  ${EndIf}
!macroend

; 1 when the relative path on the stack stays inside the installation
; folder: not empty, not rooted, no drive, no "..".
Function un.Inside
  Exch $0
  Push $1
  Push $2
  StrCpy $1 1
  StrCpy $2 $0 1
  ${If} $0 == ""
  ${OrIf} $2 == "\"
  ${OrIf} $2 == "/"
    StrCpy $1 0
  ${EndIf}
  StrLen $2 $0
  ${DoWhile} $2 > 0
    IntOp $2 $2 - 1
    StrCpy $R6 $0 2 $2
    StrCpy $R7 $0 1 $2
    ${If} $R6 == ".."
    ${OrIf} $R7 == ":"
      StrCpy $1 0
    ${EndIf}
  ${Loop}
  StrCpy $0 $1
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

Section "Uninstall"
  ; The program first: if anything holds it, nothing else has changed yet.
  !insertmacro DeleteChecked "${PROGRAM}"
  !insertmacro ListedEntries files
  !insertmacro STAGED_FILES Remove
  ; Folders once empty, whichever version listed them: twice, as a folder
  ; of one version may hold another's, listed before it.
  !insertmacro ListedEntries folders
  !insertmacro STAGED_FILES Empty
  !insertmacro ListedEntries folders
  !insertmacro STAGED_FILES Empty
  ClearErrors
  Delete "$SMPROGRAMS\${NAME}.lnk"
  ${If} ${Errors}
    !insertmacro Fail "The Start-menu shortcut could not be removed; the game's files are gone, its entry stays."
  ${EndIf}
  !insertmacro DeleteChecked "${LISTED}"
  !insertmacro DeleteChecked "uninstall.exe"
  ; Left only if a player put files of their own in it.
  RMDir "$INSTDIR"
  ClearErrors
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${If} ${Errors}
    !insertmacro Fail "The entry under installed programs could not be removed."
  ${EndIf}
SectionEnd

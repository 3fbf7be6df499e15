; The Windows installer: the program and the files it reads, in one folder
; under Program Files, a Start-menu shortcut, and an entry under installed
; programs. Quiet with /S, both ways. Built by packaging/windows/CMakeLists.txt:
;   makensis -DDEFINES=<defines.nsh> quarrow.nsi
; where defines.nsh, made from defines.nsh.in, names the version, the maker,
; the program, the folder it is staged in and the installer to write.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

; Windows-1252, as the about text it quotes.
!include /CHARSET=CP1252 "${DEFINES}"

!include FileFunc.nsh

!define NAME "Quarrow Solitaire"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuarrowSolitaire"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} installer"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  ; A 64-bit program: its registry view and Program Files are the 64-bit ones.
  SetRegView 64
  ; The shortcut is for everyone on the machine, as the program is.
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; Every file by name, here and in the uninstaller: removing the folder
; wholesale would also take whatever else a user had put there.
Section "Install"
  SetOutPath "$INSTDIR"
  File "${STAGE}\${PROGRAM}"
  File "${STAGE}\rules.txt"
  File "${STAGE}\tvk.txt"
  SetOutPath "$INSTDIR\SOUND"
  File "${STAGE}\SOUND\APPLAUS.WAV"
  File "${STAGE}\SOUND\CLUCK.WAV"
  File "${STAGE}\SOUND\qrrow_icon.ico"
  File "${STAGE}\SOUND\example.gif"
  ; The shortcut starts the program in its own folder (the last SetOutPath).
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${PROGRAM}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$INSTDIR\SOUND\APPLAUS.WAV"
  Delete "$INSTDIR\SOUND\CLUCK.WAV"
  Delete "$INSTDIR\SOUND\qrrow_icon.ico"
  Delete "$INSTDIR\SOUND\example.gif"
  RMDir "$INSTDIR\SOUND"
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\rules.txt"
  Delete "$INSTDIR\tvk.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

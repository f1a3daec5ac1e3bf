; The per-user installer of Ravlo, made by scripts/package:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.06 -DVERSION_QUAD=1.6.0.0
;            -DFILES=DIR -DICON=FILE.ico -DOUTFILE=SETUP.exe Ravlo.nsi
; FILES holds what the zip holds. Everything goes below the user's profile and
; HKEY_CURRENT_USER, so no administrator rights are asked for. The uninstaller
; removes the program, its shortcuts and its registry entries; the settings
; folder, the books and the program's own settings key stay.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravlo"
!define PROGID "Ravlo.Book"

Name "Ravlo ${VERSION}"
BrandingText "Ravlo ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Ravlo"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!include MUI2.nsh
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Ravlo.exe"
!insertmacro MUI_PAGE_LICENSE "${FILES}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Ravlo"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "Tanvex"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Ravlo ${VERSION} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (c) 2026 Ravlo developers"
VIAddVersionKey /LANG=${LANG_JAPANESE} "OriginalFilename" "Ravlo-${VERSION}-setup.exe"

; Tells the shell that file associations changed, so icons and double clicks follow at once.
!macro NotifyAssociationsChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

Section "Ravlo"
  SetOutPath "$INSTDIR"
  File "${FILES}/Ravlo.exe"
  File "${FILES}/Velmir.dll"
  File "${FILES}/rvltool.exe"
  File "${FILES}/Ravlo.chm"
  File "${FILES}/readme.txt"
  File "${FILES}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Ravlo"
  CreateShortcut "$SMPROGRAMS\Ravlo\Ravlo.lnk" "$INSTDIR\Ravlo.exe"
  CreateShortcut "$SMPROGRAMS\Ravlo\Ravlo ヘルプ.lnk" "$INSTDIR\Ravlo.chm"

  WriteRegStr HKCU "Software\Classes\.rvl" "" "${PROGID}"
  WriteRegStr HKCU "Software\Classes\${PROGID}" "" "ブックマーク ファイル"
  WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\Ravlo.exe,0"
  WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\Ravlo.exe" "%1"'
  !insertmacro NotifyAssociationsChanged

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Ravlo ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tanvex"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Ravlo.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The folder itself goes last, and only when nothing of the user's is left in it.
Section "Uninstall"
  Delete "$SMPROGRAMS\Ravlo\Ravlo.lnk"
  Delete "$SMPROGRAMS\Ravlo\Ravlo ヘルプ.lnk"
  RMDir "$SMPROGRAMS\Ravlo"

  ; .rvl is left alone when another program has taken it over since.
  ReadRegStr $0 HKCU "Software\Classes\.rvl" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKCU "Software\Classes\.rvl"
  DeleteRegKey HKCU "Software\Classes\${PROGID}"
  !insertmacro NotifyAssociationsChanged
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  Delete "$INSTDIR\Ravlo.exe"
  Delete "$INSTDIR\Velmir.dll"
  Delete "$INSTDIR\rvltool.exe"
  Delete "$INSTDIR\Ravlo.chm"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

; The peer for the start-up benchmark: a small installer made with NSIS and its Modern UI,
; with a welcome, a components and an install page. Built by bench/run-bench with
;   makensis -DTARGET=<x86-unicode|amd64-unicode> -DOUTFILE=<path> peer.nsi
Unicode true
Target ${TARGET}
!include "MUI2.nsh"

Name "Peer"
OutFile "${OUTFILE}"
InstallDir "$TEMP\PeerInstall"
RequestExecutionLevel user
SetCompressor /SOLID lzma

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Input method" SecIme
    SetOutPath "$INSTDIR"
    File "/oname=peer.nsi" "${__FILE__}"
SectionEnd

Section "Tutorial" SecTutorial
    SetOutPath "$INSTDIR"
    WriteINIStr "$INSTDIR\peer.ini" "Peer" "Tutorial" "1"
SectionEnd

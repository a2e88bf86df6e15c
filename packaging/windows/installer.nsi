; The Windows installer. CPack builds it through NSIS.template.in, which defines what the build knows
; (names, version, paths) and then includes this file.
;
; - For the current user (no administrator rights; under %LOCALAPPDATA%\Programs) or for everyone
;   (Program Files): chosen on a page, or by /CurrentUser or /AllUsers. Only choosing everyone
;   asks for administrator rights, by starting the installer again through Windows' consent prompt.
; - One product across 32- and 64-bit: an existing install, of either, in either registry view, is
;   replaced in its own folder and mode, and never unregistered before the new files are in place.
; - A running copy is never overwritten: the user closes it, or the install stops unchanged.

Unicode true
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel user
SetCompressor /SOLID lzma
; The files keep no time of their own: File would otherwise put each input's modification time into
; the installer, which differs with every checkout and build. Installed files get the install's time.
SetDateSave off
Name "${PRODUCT_NAME}"
OutFile "${OUT_FILE}"
BrandingText " "

VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIFileVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT_NAME} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${PRODUCT_VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include x64.nsh
!include nsDialogs.nsh

Var Mode             ; CurrentUser or AllUsers
Var DirGiven         ; 1 when /D= chose the folder
Var ModeGiven        ; the mode /AllUsers or /CurrentUser chose for a first install, or ""
Var Elevated         ; 1 in the copy started with administrator rights, which the choices were made for
Var InstalledVersion ; of the install being replaced, or ""
Var InstalledDir     ; its folder
Var OtherViewDir     ; the folder of an install in the other architecture's registry view, or ""
Var ModeAllUsersButton
Var WelcomeMessage   ; says whether an install is being replaced

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_ART}\wizard_100.bmp"
!define MUI_WELCOMEFINISHPAGE_BITMAP_STRETCH NoStretchNoCropNoAlign
!define MUI_CUSTOMFUNCTION_GUIINIT PickWizardArt
!define MUI_ABORTWARNING

!define MUI_PAGE_CUSTOMFUNCTION_PRE WelcomePre
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE WelcomeLeave
!define MUI_PAGE_CUSTOMFUNCTION_SHOW WelcomeShow
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_WELCOMEPAGE_TEXT "$WelcomeMessage"
!insertmacro MUI_PAGE_WELCOME
Page custom ModePage ModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipForUpgrade
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE ElevateIfNeeded
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
!define MUI_FINISHPAGE_TITLE_3LINES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunProgram
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE English
!insertmacro MUI_LANGUAGE German
!include /CHARSET=UTF8 "${__FILEDIR__}\installer_text.nsh"
!include "${__FILEDIR__}\installer_common.nsh"
!include "${__FILEDIR__}\installer_pages.nsh"
!include "${__FILEDIR__}\uninstaller.nsh"

Function .onInit
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/Elevated" $R1
    ${IfNot} ${Errors}
        StrCpy $Elevated 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/CurrentUser" $R1
    ${IfNot} ${Errors}
        StrCpy $ModeGiven CurrentUser
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/AllUsers" $R1
    ${IfNot} ${Errors}
        StrCpy $ModeGiven AllUsers
    ${EndIf}
    ${If} $INSTDIR != ""
        StrCpy $DirGiven 1
    ${EndIf}

    ; An install found keeps its mode; else the command line's, else the current user.
    Call FindInstalled
    ${If} $InstalledVersion != ""
        ${VersionCompare} $InstalledVersion ${PRODUCT_VERSION} $R1
        ${If} $R1 == 1
            MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(NewerInstalled)" /SD IDNO IDYES replace_newer
            SetErrorLevel 2
            Quit
            replace_newer:
        ${EndIf}
        StrCpy $ModeGiven ""
    ${ElseIf} $ModeGiven != ""
        StrCpy $Mode $ModeGiven
    ${EndIf}
    Call ApplyMode

    ; Unattended, the rights are settled before anything else.
    ${If} ${Silent}
        Call ElevateIfNeeded
    ${EndIf}
FunctionEnd

; Looks for an install of either architecture: for the current user first, else for everyone, in
; this architecture's registry view or else the other's. The one found is replaced in its own mode
; and folder; an install in the other view is removed once this one is in place.
Function FindInstalled
    StrCpy $Mode CurrentUser
    SetShellVarContext current
    Call ReadEntry
    ${If} $R0 != ""
        StrCpy $InstalledVersion $R0
        StrCpy $InstalledDir $R1
        Return
    ${EndIf}
    SetShellVarContext all
    Call ReadOtherViewEntry
    ${If} $R0 != ""
        StrCpy $Mode AllUsers
        StrCpy $InstalledVersion $R0
        StrCpy $InstalledDir $R1
        StrCpy $OtherViewDir $R1
    ${EndIf}
    Call ReadEntry
    ${If} $R0 != ""
        StrCpy $Mode AllUsers
        StrCpy $InstalledVersion $R0
        StrCpy $InstalledDir $R1
    ${EndIf}
    SetShellVarContext current
FunctionEnd

; The version ($R0) and folder ($R1) of the uninstall entry under SHCTX, or "" for none. Entries of
; the first installers have no InstallLocation; their folder is their uninstaller's.
Function ReadEntry
    ReadRegStr $R0 SHCTX "${UNINSTALL_KEY}" DisplayVersion
    ReadRegStr $R1 SHCTX "${UNINSTALL_KEY}" InstallLocation
    ${If} $R1 == ""
        ReadRegStr $R1 SHCTX "${UNINSTALL_KEY}" UninstallString
        ${WordReplace} $R1 '"' "" "+" $R1
        ${GetParent} $R1 $R1
    ${EndIf}
    ${If} $R1 == ""
        StrCpy $R0 ""
    ${EndIf}
FunctionEnd

; ReadEntry in the other architecture's view of HKLM, which only 64-bit Windows has.
Function ReadOtherViewEntry
    StrCpy $R0 ""
    !if ${NSIS_PTR_SIZE} <= 4
        ${IfNot} ${RunningX64}
            Return
        ${EndIf}
    !endif
    SetRegView ${OTHER_VIEW}
    Call ReadEntry
    SetRegView ${OWN_VIEW}
FunctionEnd

; The shell folders and registry root of $Mode, and the folder to install to: the one /D= gave,
; else the replaced install's, else the mode's default. The other architecture's Program Files
; folder is traded for this one's.
Function ApplyMode
    ${If} $Mode == AllUsers
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
    ${If} $DirGiven == 1
        Return
    ${EndIf}
    StrCpy $INSTDIR $InstalledDir
    ${If} $INSTDIR == ""
    ${OrIf} $INSTDIR == $OtherViewDir
        ${If} $Mode == AllUsers
            !if ${NSIS_PTR_SIZE} > 4
                StrCpy $R0 "$PROGRAMFILES64\${PRODUCT_NAME}"
                StrCpy $R1 "$PROGRAMFILES32\${PRODUCT_NAME}"
            !else
                StrCpy $R0 "$PROGRAMFILES32\${PRODUCT_NAME}"
                StrCpy $R1 "$PROGRAMFILES64\${PRODUCT_NAME}"
            !endif
            ${If} $INSTDIR == ""
            ${OrIf} $INSTDIR == $R1
                StrCpy $INSTDIR $R0
            ${EndIf}
        ${Else}
            GetKnownFolderPath $R0 {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB} ; the user's Programs folder
            ${If} $R0 == ""
                StrCpy $R0 "$LOCALAPPDATA\Programs"
            ${EndIf}
            StrCpy $INSTDIR "$R0\${PRODUCT_NAME}"
        ${EndIf}
    ${EndIf}
FunctionEnd

!macro AddFileSize PATH
    FileOpen $R1 "${PATH}" r
    FileSeek $R1 0 END $R2
    FileClose $R1
    IntOp $R0 $R0 + $R2
!macroend

; The size of the installed files in KiB, for the uninstall entry, in $R0.
Function InstalledSize
    StrCpy $R0 0
    !insertmacro ForEachProgramFile AddFileSize $INSTDIR
    IntOp $R0 $R0 + 1023
    IntOp $R0 $R0 / 1024
FunctionEnd

Section
    ; Nothing changes while the program runs from the folder installed to or from the one replaced.
    Push "$INSTDIR\${PROGRAM}"
    Call WaitUntilClosed
    ${If} $InstalledDir != ""
        Push "$InstalledDir\${PROGRAM}"
        Call WaitUntilClosed
    ${EndIf}

    SetOutPath $INSTDIR
    File "${STAGING}\${PROGRAM}"
    File "${STAGING}\${NOTICES}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The entry in Apps and features, written whole: values an older installer left are dropped.
    ${If} $Mode == AllUsers
        SetRegView ${OWN_VIEW}
    ${EndIf}
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName "${PRODUCT_NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion "${PRODUCT_VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\${PROGRAM}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\${UNINSTALLER}" /S'
    Call InstalledSize
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" EstimatedSize $R0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1

    ; One shortcut, straight in the Start menu's programs.
    CreateShortCut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0

    ; What this install replaces: the files of one in another folder, the entry of one in the
    ; other architecture's view, and what the first installers added.
    ${If} $InstalledDir != $INSTDIR
        Push $InstalledDir ; none: nothing to remove
        Call RemoveProgramFiles
    ${EndIf}
    ${If} $Mode == AllUsers
    ${AndIf} $OtherViewDir != ""
        ${If} $OtherViewDir != $INSTDIR
            Push $OtherViewDir
            Call RemoveProgramFiles
        ${EndIf}
        SetRegView ${OTHER_VIEW}
        DeleteRegKey HKLM "${UNINSTALL_KEY}"
        SetRegView ${OWN_VIEW}
    ${EndIf}
    Call RemoveFirstInstallersTraces
SectionEnd

!macro DeleteFirstInstallersKey VIEW
    SetRegView ${VIEW}
    DeleteRegKey HKLM "Software\${PUBLISHER}\${PRODUCT_NAME}"
    DeleteRegKey /ifempty HKLM "Software\${PUBLISHER}"
!macroend

; The first installers, for everyone only, kept a key of their own in their registry view and put a
; Start-menu folder with an uninstall shortcut beside the program's.
Function RemoveFirstInstallersTraces
    ${If} $Mode == AllUsers
        !insertmacro DeleteFirstInstallersKey ${OTHER_VIEW}
        !insertmacro DeleteFirstInstallersKey ${OWN_VIEW}
        Delete "$SMPROGRAMS\${PRODUCT_NAME}\${PRODUCT_NAME}.lnk"
        Delete "$SMPROGRAMS\${PRODUCT_NAME}\Uninstall.lnk"
        RMDir "$SMPROGRAMS\${PRODUCT_NAME}"
    ${EndIf}
FunctionEnd

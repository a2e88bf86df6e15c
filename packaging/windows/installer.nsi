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
!include "${__FILEDIR__}\uninstaller.nsh"

; The exit code of an install started with administrator rights that ends with "Run" ticked: the
; program is then started by the installer that started it, without administrator rights.
!define EXIT_RUN_PROGRAM 0x5255

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

; An install for everyone without administrator rights goes on in a copy of the installer started
; with them, for the choices made so far; this one waits for it and ends with its exit code.
Function ElevateIfNeeded
    Call IsAdmin
    Pop $R0
    ${If} $Mode != AllUsers
    ${OrIf} $R0 == 1
        Return
    ${EndIf}
    ${If} $Elevated == 1 ; started with the rights, yet still without them
        MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
    StrCpy $R0 "/AllUsers /Elevated"
    ${If} ${Silent}
        StrCpy $R0 "/S $R0"
    ${EndIf}
    HideWindow
    Push "$R0 /D=$INSTDIR"
    Call RunElevated
    Pop $R0
    ${If} $R0 == ""
        ; The consent prompt was declined: back to the page.
        ShowWindow $HWNDPARENT ${SW_SHOW}
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(NeedsAdmin)" /SD IDOK
        ${If} ${Silent}
            SetErrorLevel 2
            Quit
        ${EndIf}
        Abort
    ${EndIf}
    ${If} $R0 = ${EXIT_RUN_PROGRAM}
        Exec '"$INSTDIR\${PROGRAM}"'
        StrCpy $R0 0
    ${EndIf}
    SetErrorLevel $R0
    Quit
FunctionEnd

; The wizard's picture drawn for the screen's scale (make_wizard_art.sh): the smallest at least as
; large as its place on the page.
Function PickWizardArt
    System::Call 'user32::GetDC(p 0) p .r0'
    System::Call 'gdi32::GetDeviceCaps(p r0, i 88) i .r1' ; LOGPIXELSX
    System::Call 'user32::ReleaseDC(p 0, p r0) i'
    ${If} $1 > 144
        File "/oname=$PLUGINSDIR\modern-wizard.bmp" "${WIZARD_ART}\wizard_200.bmp"
    ${ElseIf} $1 > 120
        File "/oname=$PLUGINSDIR\modern-wizard.bmp" "${WIZARD_ART}\wizard_150.bmp"
    ${ElseIf} $1 > 96
        File "/oname=$PLUGINSDIR\modern-wizard.bmp" "${WIZARD_ART}\wizard_125.bmp"
    ${EndIf}
FunctionEnd

; The page shows the picture at its own size, which keeps it sharp, and crops what lies beyond its
; place (109 x 193 dialog units). Only a picture smaller than its place, beyond the largest scale
; drawn, is stretched to fill it.
!macro FitWizardArt PAGE
    System::Call '*(i 0, i 0, i 109, i 193) p .r0'
    System::Call 'user32::MapDialogRect(p $mui.${PAGE}Page, p r0) i'
    System::Call '*$0(i, i, i .r1, i .r2)'
    System::Call 'user32::GetClientRect(p $mui.${PAGE}Page.Image, p r0) i'
    System::Call '*$0(i, i, i .r3, i .r4)'
    System::Free $0
    ${If} $3 < $1
    ${OrIf} $4 < $2
        System::Call 'user32::SetWindowPos(p $mui.${PAGE}Page.Image, p 0, i 0, i 0, i r1, i r2, i 0x16) i'
        System::Call 'gdi32::DeleteObject(p $mui.${PAGE}Page.Image.Bitmap) i'
        ${NSD_SetStretchedImage} $mui.${PAGE}Page.Image "$PLUGINSDIR\modern-wizard.bmp" $mui.${PAGE}Page.Image.Bitmap
    ${EndIf}
!macroend

Function WelcomeShow
    !insertmacro FitWizardArt Welcome
FunctionEnd

Function FinishShow
    !insertmacro FitWizardArt Finish
FunctionEnd

; Skipped in the copy with administrator rights; says whether an install is replaced, once the
; page has set $_CLICK.
Function WelcomePre
    ${If} $Elevated == 1
        Abort
    ${EndIf}
    StrCpy $WelcomeMessage "$(WelcomeNew)"
    ${If} $InstalledVersion != ""
        StrCpy $WelcomeMessage "$(WelcomeUpgrade)"
        ${VersionCompare} $InstalledVersion ${PRODUCT_VERSION} $R0
        ${If} $R0 == 0
            StrCpy $WelcomeMessage "$(WelcomeReinstall)"
        ${EndIf}
    ${EndIf}
FunctionEnd

; An upgrade goes straight from this page to installing.
Function WelcomeLeave
    ${If} $InstalledVersion != ""
        Call ElevateIfNeeded
    ${EndIf}
FunctionEnd

Function SkipForUpgrade
    ${If} $Elevated == 1
    ${OrIf} $InstalledVersion != ""
        Abort
    ${EndIf}
FunctionEnd

; Who the program is installed for: skipped when an install is replaced (its mode stays) or when
; the command line chose.
Function ModePage
    ${If} $ModeGiven != ""
    ${OrIf} $Elevated == 1
    ${OrIf} $InstalledVersion != ""
        Abort
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "$(ModeTitle)" "$(ModeSubtitle)"
    nsDialogs::Create 1018
    Pop $R0
    ${NSD_CreateFirstRadioButton} 0 10u 100% 12u "$(ModeCurrentUser)"
    Pop $R1
    ${NSD_CreateAdditionalRadioButton} 0 30u 100% 12u "$(ModeAllUsers)"
    Pop $ModeAllUsersButton
    ${If} $Mode == AllUsers
        ${NSD_Check} $ModeAllUsersButton
    ${Else}
        ${NSD_Check} $R1
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function ModePageLeave
    ${NSD_GetState} $ModeAllUsersButton $R0
    ${If} $R0 == ${BST_CHECKED}
        StrCpy $Mode AllUsers
    ${Else}
        StrCpy $Mode CurrentUser
    ${EndIf}
    Call ApplyMode
FunctionEnd

Function RunProgram
    ${If} $Elevated == 1
        SetErrorLevel ${EXIT_RUN_PROGRAM}
    ${Else}
        Exec '"$INSTDIR\${PROGRAM}"'
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

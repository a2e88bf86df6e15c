; The installer's pages and what they decide: who the program is installed for, the rights that
; needs, the wizard's pictures, and starting the program at the end.

; The exit code of an install started with administrator rights that ends with "Run" ticked: the
; program is then started by the installer that started it, without administrator rights.
!define EXIT_RUN_PROGRAM 0x5255

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

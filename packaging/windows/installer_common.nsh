; What the installer and the uninstaller both do, defined once for each: NSIS wants an
; uninstaller's functions to carry the "un." prefix, so each macro is inserted twice, with "" and
; with "un.".

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_NAME}"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT_NAME}.lnk"

; A 64-bit program registers in the 64-bit view of HKLM, a 32-bit one in the 32-bit view.
!if ${NSIS_PTR_SIZE} > 4
    !define OWN_VIEW 64
    !define OTHER_VIEW 32
!else
    !define OWN_VIEW 32
    !define OTHER_VIEW 64
!endif

; SHELLEXECUTEINFOW, as the System plug-in lays it out member after member: 64-bit Windows pads
; nShow and dwHotKey to the pointer that follows each, and hProcess ends the structure.
!if ${NSIS_PTR_SIZE} > 4
    !define SEI_PAD "i 0,"
    !define SEI_PROCESS_OFFSET 104
!else
    !define SEI_PAD ""
    !define SEI_PROCESS_OFFSET 56
!endif
!define SEE_MASK_NOCLOSEPROCESS 0x40

; The files an install puts into its folder: MACRO is inserted with the path of each.
!macro ForEachProgramFile MACRO DIR
    !insertmacro ${MACRO} "${DIR}\${PROGRAM}"
    !insertmacro ${MACRO} "${DIR}\${NOTICES}"
    !insertmacro ${MACRO} "${DIR}\${UNINSTALLER}"
!macroend

!macro DeleteFile PATH
    Delete "${PATH}"
!macroend

!macro DefineCommonFunctions UN

; Waits while the program runs from the path on the stack: a running program cannot be written
; over or deleted. The user closes it and clicks Retry, or Cancel, which aborts the install or
; the uninstall before anything is changed; in silent mode it aborts at once.
Function ${UN}WaitUntilClosed
    Exch $R0
    Push $R1
    ${Do}
        ${IfNot} ${FileExists} $R0
            ${Break}
        ${EndIf}
        ClearErrors
        FileOpen $R1 $R0 a
        ${IfNot} ${Errors}
            FileClose $R1
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY check_again
        DetailPrint "$(ProgramRunning)"
        Abort "$(ProgramRunning)"
        check_again:
    ${Loop}
    Pop $R1
    Pop $R0
FunctionEnd

; Deletes the files an install put into the folder on the stack, and the folder when nothing else
; is left in it: a folder the user chose may hold files of their own.
Function ${UN}RemoveProgramFiles
    Exch $R0
    ${If} $R0 != ""
        !insertmacro ForEachProgramFile DeleteFile $R0
        RMDir $R0
    ${EndIf}
    Pop $R0
FunctionEnd

; Runs this program again with administrator rights, through Windows' consent prompt, with the
; parameters on the stack, and waits for it to end. Leaves its exit code on the stack, or "" when
; the prompt was declined or the program could not be started.
Function ${UN}RunElevated
    Exch $R0
    Push $R1
    Push $R2
    Push $R3
    ; Paths go in through registers: text pasted into a System::Call definition would be parsed,
    ; and a folder such as "Setup (1)" would break it.
    StrCpy $R1 $EXEPATH
    System::Call '*(&l4, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, w "runas", w R1, w R0, p 0, i ${SW_SHOWNORMAL}, ${SEI_PAD} p 0, p 0, p 0, p 0, i 0, ${SEI_PAD} p 0, p 0) p .R2'
    System::Call 'shell32::ShellExecuteExW(p R2) i .R3'
    StrCpy $R0 ""
    ${If} $R3 <> 0
        System::Call '*$R2(&v${SEI_PROCESS_OFFSET}, p .R3)'
        System::Call 'kernel32::WaitForSingleObject(p R3, i -1) i'
        System::Call 'kernel32::GetExitCodeProcess(p R3, *i .R0) i'
        System::Call 'kernel32::CloseHandle(p R3) i'
    ${EndIf}
    System::Free $R2
    Pop $R3
    Pop $R2
    Pop $R1
    Exch $R0
FunctionEnd

; "1" on the stack when this process may write where programs are installed for everyone.
Function ${UN}IsAdmin
    Push $R0
    UserInfo::GetAccountType
    Pop $R0
    ${If} $R0 == "Admin"
        StrCpy $R0 1
    ${Else}
        StrCpy $R0 0
    ${EndIf}
    Exch $R0
FunctionEnd

!macroend

!insertmacro DefineCommonFunctions ""
!insertmacro DefineCommonFunctions "un."

; The uninstaller, which the installer writes into the program's folder: it removes the program's
; files and its shortcut, then its entry, so that an uninstall that stops half-way stays listed and
; can be run again; it reports success only when all of them are gone.

Function un.onInit
    ${un.GetParameters} $R0
    Call un.HandOverToCleaner
    ; The folder exactly as it was: a command line may have changed its spaces.
    ReadEnvStr $R1 HEXDEC_INSTDIR
    ${If} $R1 != ""
        StrCpy $INSTDIR $R1
    ${EndIf}

    ; Installed for the current user when the current user's entry names this folder, else for
    ; everyone, which needs administrator rights: then a copy started with them does the work.
    SetShellVarContext current
    ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" InstallLocation
    ${If} $R1 == $INSTDIR
        Return
    ${EndIf}
    SetShellVarContext all
    SetRegView ${OWN_VIEW}
    Call un.IsAdmin
    Pop $R1
    ClearErrors
    ${un.GetOptions} $R0 "/Elevated" $R2
    ${If} $R1 == 1
    ${OrIfNot} ${Errors}
        Return
    ${EndIf}
    StrCpy $R0 "/InTemp /Elevated _?=$INSTDIR"
    ${If} ${Silent}
        StrCpy $R0 "/S $R0"
    ${EndIf}
    Push $R0
    Call un.RunElevated
    Pop $R0
    ${If} $R0 == ""
        MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdmin)" /SD IDOK
        StrCpy $R0 2
    ${EndIf}
    SetErrorLevel $R0
    Quit
FunctionEnd

; NSIS runs an uninstaller from a copy in %TEMP%\~nsu*.tmp, which it can delete only at the next
; restart. That copy starts itself again (with /InTemp) under a hidden command processor, which
; waits for it and then deletes the folder, and ends. The paths reach the command processor in
; variables it expands after parsing (!NAME!), so that no character of a path can change the
; command. Without a command processor, this copy goes on itself. $R0: the parameters.
Function un.HandOverToCleaner
    ${un.GetFileName} $EXEDIR $R1
    StrCpy $R2 $R1 4
    StrCpy $R3 $R1 "" -4
    ClearErrors
    ${un.GetOptions} $R0 "/InTemp" $R4
    ${IfNot} ${Errors}
    ${OrIf} $R2 != "~nsu"
    ${OrIf} $R3 != ".tmp"
        Return
    ${EndIf}
    StrCpy $R1 "HEXDEC_UNINSTALLER"
    StrCpy $R2 $EXEPATH
    System::Call 'kernel32::SetEnvironmentVariable(t R1, t R2) i'
    StrCpy $R1 "HEXDEC_INSTDIR"
    StrCpy $R2 $INSTDIR
    System::Call 'kernel32::SetEnvironmentVariable(t R1, t R2) i'
    StrCpy $R1 "HEXDEC_TEMP_COPY"
    StrCpy $R2 $EXEDIR
    System::Call 'kernel32::SetEnvironmentVariable(t R1, t R2) i'
    StrCpy $R1 ""
    ${If} ${Silent}
        StrCpy $R1 "/S "
    ${EndIf}
    ; Away from both folders: a process's working folder cannot be deleted.
    SetOutPath $TEMP
    ClearErrors
    ExecShell "" "$SYSDIR\cmd.exe" '/d /v:on /c start "" /wait "!HEXDEC_UNINSTALLER!" $R1/InTemp _?=!HEXDEC_INSTDIR!& rd /s /q "!HEXDEC_TEMP_COPY!"' SW_HIDE
    ${IfNot} ${Errors}
        Quit
    ${EndIf}
FunctionEnd

; Aborts, as a failed uninstall, when PATH is still there; an uninstaller run in place (_?=) cannot
; delete itself and is left to whoever started it.
!macro FailIfLeft PATH
    StrCpy $R1 "${PATH}"
    ${If} ${FileExists} $R1
    ${AndIf} $R1 != $EXEPATH
        DetailPrint "$(NotRemoved)"
        MessageBox MB_OK|MB_ICONSTOP "$(NotRemoved)" /SD IDOK
        Abort "$(NotRemoved)"
    ${EndIf}
!macroend

Section Uninstall
    Push "$INSTDIR\${PROGRAM}"
    Call un.WaitUntilClosed

    Push $INSTDIR
    Call un.RemoveProgramFiles
    Delete "${SHORTCUT}"
    !insertmacro ForEachProgramFile FailIfLeft $INSTDIR
    !insertmacro FailIfLeft "${SHORTCUT}"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ClearErrors
    ReadRegStr $R1 SHCTX "${UNINSTALL_KEY}" DisplayName
    ${IfNot} ${Errors}
        StrCpy $R1 "${UNINSTALL_KEY}"
        MessageBox MB_OK|MB_ICONSTOP "$(NotRemoved)" /SD IDOK
        Abort "$(NotRemoved)"
    ${EndIf}
SectionEnd

; The installer's own words, in the languages it offers; it speaks the user's language when it is
; one of these, else English. The wizard's standard texts come with NSIS in the same languages.

LangString WelcomeNew ${LANG_ENGLISH} "Setup will install $(^NameDA) ${PRODUCT_VERSION} on your computer.$\r$\n$\r$\n$_CLICK"
LangString WelcomeNew ${LANG_GERMAN} "Dieser Assistent installiert $(^NameDA) ${PRODUCT_VERSION} auf Ihrem Computer.$\r$\n$\r$\n$_CLICK"

LangString WelcomeUpgrade ${LANG_ENGLISH} "Setup will replace $(^NameDA) $InstalledVersion with version ${PRODUCT_VERSION}, in$\r$\n$INSTDIR$\r$\n$\r$\n$_CLICK"
LangString WelcomeUpgrade ${LANG_GERMAN} "Dieser Assistent ersetzt $(^NameDA) $InstalledVersion durch Version ${PRODUCT_VERSION}, in$\r$\n$INSTDIR$\r$\n$\r$\n$_CLICK"

LangString WelcomeReinstall ${LANG_ENGLISH} "Setup will install $(^NameDA) ${PRODUCT_VERSION} again, in$\r$\n$INSTDIR$\r$\n$\r$\n$_CLICK"
LangString WelcomeReinstall ${LANG_GERMAN} "Dieser Assistent installiert $(^NameDA) ${PRODUCT_VERSION} erneut, in$\r$\n$INSTDIR$\r$\n$\r$\n$_CLICK"

LangString ModeTitle ${LANG_ENGLISH} "Choose Users"
LangString ModeTitle ${LANG_GERMAN} "Benutzer wählen"
LangString ModeSubtitle ${LANG_ENGLISH} "Choose for whom to install $(^NameDA)."
LangString ModeSubtitle ${LANG_GERMAN} "Wählen Sie, für wen $(^NameDA) installiert wird."
LangString ModeCurrentUser ${LANG_ENGLISH} "Only for &me (no administrator rights needed)"
LangString ModeCurrentUser ${LANG_GERMAN} "Nur für &mich (ohne Administratorrechte)"
LangString ModeAllUsers ${LANG_ENGLISH} "For &everyone who uses this computer (needs administrator rights)"
LangString ModeAllUsers ${LANG_GERMAN} "Für &alle Benutzer dieses Computers (mit Administratorrechten)"

LangString ProgramRunning ${LANG_ENGLISH} "$(^NameDA) is running. Close it, then click Retry."
LangString ProgramRunning ${LANG_GERMAN} "$(^NameDA) wird gerade ausgeführt. Schließen Sie das Programm und klicken Sie dann auf „Wiederholen“."

LangString NewerInstalled ${LANG_ENGLISH} "$(^NameDA) $InstalledVersion is installed, which is newer than this version, ${PRODUCT_VERSION}. Replace it with ${PRODUCT_VERSION}?"
LangString NewerInstalled ${LANG_GERMAN} "$(^NameDA) $InstalledVersion ist installiert, eine neuere Version als diese (${PRODUCT_VERSION}). Durch Version ${PRODUCT_VERSION} ersetzen?"

LangString NeedsAdmin ${LANG_ENGLISH} "$(^NameDA) is installed for everyone who uses this computer: changing it needs administrator rights."
LangString NeedsAdmin ${LANG_GERMAN} "$(^NameDA) ist für alle Benutzer dieses Computers installiert: Änderungen erfordern Administratorrechte."

LangString NotRemoved ${LANG_ENGLISH} "$(^NameDA) could not be removed completely. Still there: $R1"
LangString NotRemoved ${LANG_GERMAN} "$(^NameDA) konnte nicht vollständig entfernt werden. Noch vorhanden: $R1"

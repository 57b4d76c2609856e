<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>orvendel::CoreTexts</name>
    <message>
        <source>Read Only</source>
        <translation>Schreibgeschützt</translation>
    </message>
    <message>
        <source>The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?</source>
        <translation>Die angegebene NWMAIN.EXE ist schreibgeschützt.  Soll ich trotzdem versuchen, sie zu ändern?</translation>
    </message>
    <message>
        <source>Unable to remove Read Only attribute from file.  Patch Aborted.</source>
        <translation>Der Schreibschutz der Datei konnte nicht aufgehoben werden.  Patch abgebrochen.</translation>
    </message>
    <message>
        <source>Other Names</source>
        <extracomment>Title of the question before writing a file that has further names (hard links).</extracomment>
        <translation>Weitere Namen</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Original zurück</translation>
    </message>
    <message>
        <source>There are no camera values to write: read a known NWMAIN.EXE, choose a preset or load a settings file first.  Patch Aborted.</source>
        <translation>Es gibt keine Kamerawerte zum Schreiben: Lies zuerst eine bekannte NWMAIN.EXE ein, wähle eine Vorgabe oder lade eine Einstellungsdatei.  Patch abgebrochen.</translation>
    </message>
    <message>
        <source>The original NWMAIN.EXE is back in place.</source>
        <translation>Die originale NWMAIN.EXE ist wieder an ihrem Platz.</translation>
    </message>
    <message>
        <source>Filename is in an unknown format.</source>
        <translation>Die Datei hat ein unbekanntes Format.</translation>
    </message>
    <message>
        <source>Increasing the clipping distance beyond 45 meters can ruin the ambience of some modules since it causes fog to thin out.  It can also cause performance degredation if your computer and video card are not sufficiently fast.  If you encounter problems, you should lower the distance.  Some players consider increasing the viewing distance a cheat.  You are encouraged to notify other players and DM&apos;s that you have extended your viewing distance in any multiplayer games you join.</source>
        <translation>Eine Sichtweite über 45 Meter kann die Atmosphäre mancher Module zerstören, weil sich der Nebel lichtet.  Sie kann auch das Spiel verlangsamen, wenn dein Computer und deine Grafikkarte nicht schnell genug sind.  Wenn Probleme auftreten, verringere die Sichtweite wieder.  Manche Spieler halten eine größere Sichtweite für Schummeln.  Bitte sag anderen Spielern und den SL Bescheid, dass du deine Sichtweite erhöht hast, wenn du an Mehrspielerpartien teilnimmst.</translation>
    </message>
    <message>
        <source>FPS</source>
        <extracomment>Caption on the zoom gauge where a distance below 0 makes the camera first-person.</extracomment>
        <translation>FPS</translation>
    </message>
    <message>
        <source>The patch run failed for an unknown reason.</source>
        <translation>Der Patch-Lauf ist aus unbekanntem Grund fehlgeschlagen.</translation>
    </message>
    <message>
        <source>1.00m (Bioware Default)</source>
        <extracomment>A camera height and the characters it suits, as the game names its races.</extracomment>
        <translation>1.00m (Bioware-Standard)</translation>
    </message>
    <message>
        <source>1.10m Halfling Female</source>
        <translation>1.10m Halbling weiblich</translation>
    </message>
    <message>
        <source>1.18m Halfling Male, Gnome Female</source>
        <translation>1.18m Halbling männlich, Gnom weiblich</translation>
    </message>
    <message>
        <source>1.25m Gnome Male, Dwarf Female</source>
        <translation>1.25m Gnom männlich, Zwerg weiblich</translation>
    </message>
    <message>
        <source>1.32m Dwarf Male</source>
        <translation>1.32m Zwerg männlich</translation>
    </message>
    <message>
        <source>1.50m Elf Female</source>
        <translation>1.50m Elf weiblich</translation>
    </message>
    <message>
        <source>1.60m Elf Male</source>
        <translation>1.60m Elf männlich</translation>
    </message>
    <message>
        <source>1.65m Half-Elf Female, Human Female</source>
        <translation>1.65m Halbelf weiblich, Mensch weiblich</translation>
    </message>
    <message>
        <source>1.80m Half-Elf Male, Human Male</source>
        <translation>1.80m Halbelf männlich, Mensch männlich</translation>
    </message>
    <message>
        <source>1.85m Half-Orc Female</source>
        <translation>1.85m Halbork weiblich</translation>
    </message>
    <message>
        <source>1.97m Half-Orc Male</source>
        <translation>1.97m Halbork männlich</translation>
    </message>
    <message>
        <source>2.00m (Bioware Default)</source>
        <translation>2.00m (Bioware-Standard)</translation>
    </message>
    <message>
        <source>Loading current values from Neverwinter Nights ...</source>
        <translation>Aktuelle Werte werden aus Neverwinter Nights geladen ...</translation>
    </message>
    <message>
        <source>Modifying Neverwinter Nights ...</source>
        <translation>Neverwinter Nights wird geändert ...</translation>
    </message>
    <message>
        <source>Unknown version of NWMAIN.  Patch Aborted.</source>
        <translation>Unbekannte Version von NWMAIN.  Patch abgebrochen.</translation>
    </message>
    <message>
        <source>Neverwinter Nights options successfully loaded!</source>
        <translation>Neverwinter-Nights-Einstellungen erfolgreich geladen!</translation>
    </message>
    <message>
        <source>Neverwinter Nights successfully modified!</source>
        <translation>Neverwinter Nights erfolgreich geändert!</translation>
    </message>
    <message>
        <source>The new values would leave NWMAIN.EXE unrecognisable.  Patch Aborted.</source>
        <translation>Mit den neuen Werten wäre NWMAIN.EXE nicht mehr erkennbar.  Patch abgebrochen.</translation>
    </message>
    <message>
        <source>You have chosen your DEL key angle to be different from your minimum angle.  This sometimes locks the camera while in the game if you change areas or equipment.  If this happens, toggle your camera mode to unlock the camera again.  To avoid this problem, make sure and set your DEL key angle to match your Minimum Angle.</source>
        <translation>Du hast für die Entf-Taste einen anderen Winkel gewählt als den Minimalwinkel.  Das kann im Spiel die Kamera blockieren, wenn du das Gebiet oder die Ausrüstung wechselst.  Falls das passiert, wechsle den Kameramodus, um die Kamera wieder freizugeben.  Um das zu vermeiden, setze den Winkel der Entf-Taste gleich dem Minimalwinkel.</translation>
    </message>
    <message>
        <source>You have chosen to modify the minimum zoom for Drive Camera.  This option has not been fully tested and you may encounter strange bugs while playing NWN.  If you choose to continue I would appreciate any feedback, good or bad, you have after using this option for a few days.</source>
        <translation>Du hast den minimalen Zoom der Fahrkamera geändert.  Diese Option ist nicht vollständig getestet, und beim Spielen von NWN können seltsame Fehler auftreten.  Wenn du fortfährst, freue ich mich über jede Rückmeldung, gut oder schlecht, nachdem du die Option ein paar Tage benutzt hast.</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeDesigns</name>
    <message>
        <source>Minimum Angle</source>
        <translation>Minimalwinkel</translation>
    </message>
    <message>
        <source>Default Angle</source>
        <translation>Standardwinkel</translation>
    </message>
    <message>
        <source>INS Key Angle</source>
        <translation>Einfg-Winkel</translation>
    </message>
    <message>
        <source>DEL Key Angle</source>
        <translation>Entf-Winkel</translation>
    </message>
    <message>
        <source>Zoom Min</source>
        <translation>Zoom min.</translation>
    </message>
    <message>
        <source>Zoom Default</source>
        <translation>Zoom Standard</translation>
    </message>
    <message>
        <source>Zoom Max</source>
        <translation>Zoom max.</translation>
    </message>
    <message>
        <source>FPS</source>
        <extracomment>First-person mode of the camera, as the game names it.</extracomment>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Viewing Distance</source>
        <translation>Sichtweite</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeValueEditor</name>
    <message>
        <source>Not a number: type one from %1 to %2, decimals with a point.</source>
        <extracomment>Said when the typed value is not a number; %1 and %2 are the gauge&apos;s limits.</extracomment>
        <translation>Keine Zahl: Gib eine Zahl von %1 bis %2 ein, Dezimalstellen mit Punkt.</translation>
    </message>
</context>
<context>
    <name>orvendel::LocationPage</name>
    <message>
        <source>Welcome to Orvendel Version H by the Orvendel developers.  Please send any comments or suggestions to the project&apos;s issue tracker.</source>
        <translation>Willkommen bei Orvendel Version H von den Orvendel-Entwicklern.  Anmerkungen und Vorschläge bitte an den Issue-Tracker des Projekts.</translation>
    </message>
    <message>
        <source>Please verify the location of your Neverwinter Nights installation.  If the location of NWMAIN.EXE listed below is incorrect, please use the Browse button to find it.</source>
        <translation>Bitte prüfe den Ort deiner Neverwinter-Nights-Installation.  Wenn der unten angegebene Ort der NWMAIN.EXE falsch ist, suche sie mit „Suchen...“.</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Suchen...</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Original zurück</translation>
    </message>
    <message>
        <source>Click Next to continue, or Cancel to quit</source>
        <translation>Weiter mit „Weiter &gt;“, beenden mit „Abbrechen“</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Weiter &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Ort der NWMAIN.EXE</translation>
    </message>
    <message>
        <source>Puts back the copy of NWMAIN.EXE kept before Orvendel first changed it</source>
        <translation>Setzt die Kopie der NWMAIN.EXE zurück, die vor der ersten Änderung durch Orvendel aufbewahrt wurde</translation>
    </message>
    <message>
        <source>Orvendel looked for the game in %1, and did not find it.  Please use the Browse button to find NWMAIN.EXE.</source>
        <extracomment>%1 lists the places searched.</extracomment>
        <translation>Orvendel hat das Spiel in %1 gesucht und nicht gefunden.  Bitte suche die NWMAIN.EXE mit „Suchen...“.</translation>
    </message>
</context>
<context>
    <name>orvendel::MainWindow</name>
    <message>
        <source>Orvendel Version H</source>
        <translation>Orvendel Version H</translation>
    </message>
    <message>
        <source>Looking for NWMAIN.EXE...</source>
        <translation>NWMAIN.EXE wird gesucht...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.  Do you want to replace it?</source>
        <translation>„%1“ existiert bereits.  Möchtest du die Datei ersetzen?</translation>
    </message>
</context>
<context>
    <name>orvendel::ProgressWindow</name>
    <message>
        <source>Modifying Neverwinter Nights...</source>
        <translation>Neverwinter Nights wird geändert...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Hacking NWN...</source>
        <extracomment>Title of the progress window while the executable is written; NWN is Neverwinter Nights.</extracomment>
        <translation>NWN wird gepatcht...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
</context>
<context>
    <name>orvendel::QtFileDialogs</name>
    <message>
        <source>Settings Files (*.chs)</source>
        <translation>Einstellungsdateien (*.chs)</translation>
    </message>
    <message>
        <source>Settings File</source>
        <translation>Einstellungsdatei</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Ort der NWMAIN.EXE</translation>
    </message>
</context>
<context>
    <name>orvendel::SettingsPage</name>
    <message>
        <source>Chase and Top Down Camera Settings</source>
        <translation>Verfolger- und Draufsicht-Kamera</translation>
    </message>
    <message>
        <source>Drive Camera Mode Settings</source>
        <translation>Fahrkamera-Modus</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Modify NWN</source>
        <extracomment>Writes the chosen values into the game&apos;s executable; NWN is Neverwinter Nights.</extracomment>
        <translation>NWN ändern</translation>
    </message>
    <message>
        <source>Quick Presets</source>
        <translation>Schnellvorgaben</translation>
    </message>
    <message>
        <source>Load Settings...</source>
        <translation>Laden...</translation>
    </message>
    <message>
        <source>Save Settings...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>Undo Changes</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Bioware Defaults</source>
        <translation>Bioware-Standard</translation>
    </message>
    <message>
        <source>FPS Mode!</source>
        <translation>FPS-Modus!</translation>
    </message>
    <message>
        <source>Camera Height</source>
        <translation>Kamerahöhe</translation>
    </message>
    <message>
        <source>Zoom</source>
        <extracomment>Caption of the drive camera&apos;s single zoom pointer.</extracomment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Chase and top-down camera</source>
        <translation>Verfolger- und Draufsicht-Kamera</translation>
    </message>
    <message>
        <source>Drive camera</source>
        <translation>Fahrkamera</translation>
    </message>
    <message>
        <source>Drag a needle or pointer, or pick one with the number keys and move it with the arrow keys and Page Up/Page Down.</source>
        <translation>Ziehe eine Nadel oder einen Zeiger, oder wähle einen mit den Zifferntasten und bewege ihn mit den Pfeiltasten und Bild auf/Bild ab.</translation>
    </message>
    <message>
        <source>%1 angles</source>
        <extracomment>Accessible name of an angle gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: Winkel</translation>
    </message>
    <message>
        <source>Red needle: minimum angle
Cyan needle: default angle (never below the minimum)</source>
        <translation>Rote Nadel: Minimalwinkel
Cyan Nadel: Standardwinkel (nie unter dem Minimum)</translation>
    </message>
    <message>
        <source>
Magenta needle: INS key angle
Silver needle: DEL key angle</source>
        <translation>
Magenta Nadel: Winkel der Einfg-Taste
Silberne Nadel: Winkel der Entf-Taste</translation>
    </message>
    <message>
        <source>%1 zoom distances</source>
        <extracomment>Accessible name of a zoom gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: Zoomabstände</translation>
    </message>
    <message>
        <source>Drive zoom distances: unknown until an executable is read</source>
        <translation>Zoomabstände der Fahrkamera: unbekannt, bis eine Programmdatei gelesen ist</translation>
    </message>
    <message>
        <source>Pointer: default zoom distance (below 0 is first-person)</source>
        <translation>Zeiger: Standard-Zoomabstand (unter 0 ist Ego-Perspektive)</translation>
    </message>
    <message>
        <source>Red mark: minimum zoom distance (fixed)</source>
        <translation>Rote Marke: minimaler Zoomabstand (fest)</translation>
    </message>
    <message>
        <source>Red pointer: minimum zoom distance</source>
        <translation>Roter Zeiger: minimaler Zoomabstand</translation>
    </message>
    <message>
        <source>%1 viewing distance</source>
        <extracomment>Accessible name of a viewing-distance gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: Sichtweite</translation>
    </message>
    <message>
        <source>Red pointer: viewing distance in metres (45 is the game&apos;s own)</source>
        <translation>Roter Zeiger: Sichtweite in Metern (45 ist der Wert des Spiels)</translation>
    </message>
    <message>
        <source>Chase camera height</source>
        <translation>Höhe der Verfolgerkamera</translation>
    </message>
    <message>
        <source>Drive camera height</source>
        <translation>Höhe der Fahrkamera</translation>
    </message>
    <message>
        <source>
Magenta pointer: maximum zoom distance
Cyan pointer: default zoom distance
A distance below 0 is first-person (FPS)</source>
        <translation>
Magenta Zeiger: maximaler Zoomabstand
Cyan Zeiger: Standard-Zoomabstand
Ein Abstand unter 0 ist Ego-Perspektive (FPS)</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>orvendel::CoreTexts</name>
    <message>
        <source>Read Only</source>
        <translation>Tylko do odczytu</translation>
    </message>
    <message>
        <source>The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?</source>
        <translation>Wskazany NWMAIN.EXE jest tylko do odczytu.  Czy mimo to spróbować go zmodyfikować?</translation>
    </message>
    <message>
        <source>Unable to remove Read Only attribute from file.  Patch Aborted.</source>
        <translation>Nie można zdjąć atrybutu tylko do odczytu z pliku.  Patch przerwany.</translation>
    </message>
    <message>
        <source>Other Names</source>
        <extracomment>Title of the question before writing a file that has further names (hard links).</extracomment>
        <translation>Inne nazwy</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Przywróć oryginał</translation>
    </message>
    <message>
        <source>There are no camera values to write: read a known NWMAIN.EXE, choose a preset or load a settings file first.  Patch Aborted.</source>
        <translation>Brak wartości kamery do zapisania: najpierw wczytaj znany NWMAIN.EXE, wybierz ustawienie gotowe albo wczytaj plik ustawień.  Patch przerwany.</translation>
    </message>
    <message>
        <source>The original NWMAIN.EXE is back in place.</source>
        <translation>Oryginalny NWMAIN.EXE jest z powrotem na miejscu.</translation>
    </message>
    <message>
        <source>Filename is in an unknown format.</source>
        <translation>Plik ma nieznany format.</translation>
    </message>
    <message>
        <source>Increasing the clipping distance beyond 45 meters can ruin the ambience of some modules since it causes fog to thin out.  It can also cause performance degredation if your computer and video card are not sufficiently fast.  If you encounter problems, you should lower the distance.  Some players consider increasing the viewing distance a cheat.  You are encouraged to notify other players and DM&apos;s that you have extended your viewing distance in any multiplayer games you join.</source>
        <translation>Zasięg widzenia powyżej 45 metrów może zepsuć klimat niektórych modułów, bo mgła się przerzedza.  Może też spowolnić grę, jeśli komputer i karta graficzna nie są dość szybkie.  Jeśli pojawią się problemy, zmniejsz zasięg.  Niektórzy gracze uważają zwiększanie zasięgu widzenia za oszustwo.  W grach wieloosobowych daj znać innym graczom i MG, że zwiększyłeś zasięg widzenia.</translation>
    </message>
    <message>
        <source>FPS</source>
        <extracomment>Caption on the zoom gauge where a distance below 0 makes the camera first-person.</extracomment>
        <translation>FPS</translation>
    </message>
    <message>
        <source>The patch run failed for an unknown reason.</source>
        <translation>Patch nie powiódł się z nieznanego powodu.</translation>
    </message>
    <message>
        <source>1.00m (Bioware Default)</source>
        <extracomment>A camera height and the characters it suits, as the game names its races.</extracomment>
        <translation>1.00m (domyślne Bioware)</translation>
    </message>
    <message>
        <source>1.10m Halfling Female</source>
        <translation>1.10m Niziołka</translation>
    </message>
    <message>
        <source>1.18m Halfling Male, Gnome Female</source>
        <translation>1.18m Niziołek, Gnomka</translation>
    </message>
    <message>
        <source>1.25m Gnome Male, Dwarf Female</source>
        <translation>1.25m Gnom, Krasnoludka</translation>
    </message>
    <message>
        <source>1.32m Dwarf Male</source>
        <translation>1.32m Krasnolud</translation>
    </message>
    <message>
        <source>1.50m Elf Female</source>
        <translation>1.50m Elfka</translation>
    </message>
    <message>
        <source>1.60m Elf Male</source>
        <translation>1.60m Elf</translation>
    </message>
    <message>
        <source>1.65m Half-Elf Female, Human Female</source>
        <translation>1.65m Półelfka, Ludzka kobieta</translation>
    </message>
    <message>
        <source>1.80m Half-Elf Male, Human Male</source>
        <translation>1.80m Półelf, Ludzki mężczyzna</translation>
    </message>
    <message>
        <source>1.85m Half-Orc Female</source>
        <translation>1.85m Półorczyca</translation>
    </message>
    <message>
        <source>1.97m Half-Orc Male</source>
        <translation>1.97m Półork</translation>
    </message>
    <message>
        <source>2.00m (Bioware Default)</source>
        <translation>2.00m (domyślne Bioware)</translation>
    </message>
    <message>
        <source>Loading current values from Neverwinter Nights ...</source>
        <translation>Wczytywanie bieżących wartości z Neverwinter Nights ...</translation>
    </message>
    <message>
        <source>Modifying Neverwinter Nights ...</source>
        <translation>Modyfikowanie Neverwinter Nights ...</translation>
    </message>
    <message>
        <source>Unknown version of NWMAIN.  Patch Aborted.</source>
        <translation>Nieznana wersja NWMAIN.  Patch przerwany.</translation>
    </message>
    <message>
        <source>Neverwinter Nights options successfully loaded!</source>
        <translation>Ustawienia Neverwinter Nights wczytane!</translation>
    </message>
    <message>
        <source>Neverwinter Nights successfully modified!</source>
        <translation>Neverwinter Nights zmodyfikowany!</translation>
    </message>
    <message>
        <source>The new values would leave NWMAIN.EXE unrecognisable.  Patch Aborted.</source>
        <translation>Po zapisaniu nowych wartości NWMAIN.EXE byłby nierozpoznawalny.  Patch przerwany.</translation>
    </message>
    <message>
        <source>You have chosen your DEL key angle to be different from your minimum angle.  This sometimes locks the camera while in the game if you change areas or equipment.  If this happens, toggle your camera mode to unlock the camera again.  To avoid this problem, make sure and set your DEL key angle to match your Minimum Angle.</source>
        <translation>Kąt klawisza DEL różni się od kąta minimalnego.  Czasem blokuje to kamerę w grze przy zmianie obszaru lub ekwipunku.  Jeśli tak się stanie, przełącz tryb kamery, aby ją odblokować.  Aby tego uniknąć, ustaw kąt klawisza DEL równy kątowi minimalnemu.</translation>
    </message>
    <message>
        <source>You have chosen to modify the minimum zoom for Drive Camera.  This option has not been fully tested and you may encounter strange bugs while playing NWN.  If you choose to continue I would appreciate any feedback, good or bad, you have after using this option for a few days.</source>
        <translation>Zmieniasz minimalny zoom kamery jazdy.  Ta opcja nie została w pełni przetestowana i w NWN mogą pojawić się dziwne błędy.  Jeśli kontynuujesz, chętnie przyjmę każdą opinię, dobrą lub złą, po kilku dniach korzystania z tej opcji.</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeDesigns</name>
    <message>
        <source>Minimum Angle</source>
        <translation>Kąt minimalny</translation>
    </message>
    <message>
        <source>Default Angle</source>
        <translation>Kąt domyślny</translation>
    </message>
    <message>
        <source>INS Key Angle</source>
        <translation>Kąt klawisza INS</translation>
    </message>
    <message>
        <source>DEL Key Angle</source>
        <translation>Kąt klawisza DEL</translation>
    </message>
    <message>
        <source>Zoom Min</source>
        <translation>Zoom min.</translation>
    </message>
    <message>
        <source>Zoom Default</source>
        <translation>Zoom domyślny</translation>
    </message>
    <message>
        <source>Zoom Max</source>
        <translation>Zoom maks.</translation>
    </message>
    <message>
        <source>FPS</source>
        <extracomment>First-person mode of the camera, as the game names it.</extracomment>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Viewing Distance</source>
        <translation>Zasięg widzenia</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeValueEditor</name>
    <message>
        <source>Not a number: type one from %1 to %2, decimals with a point.</source>
        <extracomment>Said when the typed value is not a number; %1 and %2 are the gauge&apos;s limits.</extracomment>
        <translation>To nie liczba: wpisz liczbę od %1 do %2, część dziesiętną po kropce.</translation>
    </message>
</context>
<context>
    <name>orvendel::LocationPage</name>
    <message>
        <source>Welcome to Orvendel Version H by the Orvendel developers.  Please send any comments or suggestions to the project&apos;s issue tracker.</source>
        <translation>Witaj w Orvendel w wersji H od twórców Orvendel.  Uwagi i sugestie wysyłaj do systemu zgłoszeń projektu.</translation>
    </message>
    <message>
        <source>Please verify the location of your Neverwinter Nights installation.  If the location of NWMAIN.EXE listed below is incorrect, please use the Browse button to find it.</source>
        <translation>Sprawdź położenie instalacji Neverwinter Nights.  Jeśli podane niżej położenie NWMAIN.EXE jest błędne, znajdź plik przyciskiem Przeglądaj.</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Przeglądaj...</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Przywróć oryginał</translation>
    </message>
    <message>
        <source>Click Next to continue, or Cancel to quit</source>
        <translation>Kliknij Dalej, aby kontynuować, lub Anuluj, aby wyjść</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Dalej &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Położenie NWMAIN.EXE</translation>
    </message>
    <message>
        <source>Puts back the copy of NWMAIN.EXE kept before Orvendel first changed it</source>
        <translation>Przywraca kopię NWMAIN.EXE zachowaną przed pierwszą zmianą przez Orvendel</translation>
    </message>
    <message>
        <source>Orvendel looked for the game in %1, and did not find it.  Please use the Browse button to find NWMAIN.EXE.</source>
        <extracomment>%1 lists the places searched.</extracomment>
        <translation>Orvendel szukał gry w %1 i jej nie znalazł.  Znajdź NWMAIN.EXE przyciskiem Przeglądaj.</translation>
    </message>
</context>
<context>
    <name>orvendel::MainWindow</name>
    <message>
        <source>Orvendel Version H</source>
        <translation>Orvendel wersja H</translation>
    </message>
    <message>
        <source>Looking for NWMAIN.EXE...</source>
        <translation>Szukanie NWMAIN.EXE...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.  Do you want to replace it?</source>
        <translation>„%1” już istnieje.  Czy chcesz go zastąpić?</translation>
    </message>
</context>
<context>
    <name>orvendel::ProgressWindow</name>
    <message>
        <source>Modifying Neverwinter Nights...</source>
        <translation>Modyfikowanie Neverwinter Nights...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Hacking NWN...</source>
        <extracomment>Title of the progress window while the executable is written; NWN is Neverwinter Nights.</extracomment>
        <translation>Patchowanie NWN...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Postęp</translation>
    </message>
</context>
<context>
    <name>orvendel::QtFileDialogs</name>
    <message>
        <source>Settings Files (*.chs)</source>
        <translation>Pliki ustawień (*.chs)</translation>
    </message>
    <message>
        <source>Settings File</source>
        <translation>Plik ustawień</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Położenie NWMAIN.EXE</translation>
    </message>
</context>
<context>
    <name>orvendel::SettingsPage</name>
    <message>
        <source>Chase and Top Down Camera Settings</source>
        <translation>Kamera pościgowa i z góry</translation>
    </message>
    <message>
        <source>Drive Camera Mode Settings</source>
        <translation>Tryb kamery jazdy</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Wyjdź</translation>
    </message>
    <message>
        <source>Modify NWN</source>
        <extracomment>Writes the chosen values into the game&apos;s executable; NWN is Neverwinter Nights.</extracomment>
        <translation>Zmień NWN</translation>
    </message>
    <message>
        <source>Quick Presets</source>
        <translation>Szybkie ustawienia</translation>
    </message>
    <message>
        <source>Load Settings...</source>
        <translation>Wczytaj...</translation>
    </message>
    <message>
        <source>Save Settings...</source>
        <translation>Zapisz...</translation>
    </message>
    <message>
        <source>Undo Changes</source>
        <translation>Cofnij zmiany</translation>
    </message>
    <message>
        <source>Bioware Defaults</source>
        <translation>Domyślne Bioware</translation>
    </message>
    <message>
        <source>FPS Mode!</source>
        <translation>Tryb FPS!</translation>
    </message>
    <message>
        <source>Camera Height</source>
        <translation>Wysokość</translation>
    </message>
    <message>
        <source>Zoom</source>
        <extracomment>Caption of the drive camera&apos;s single zoom pointer.</extracomment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Chase and top-down camera</source>
        <translation>Kamera pościgowa i z góry</translation>
    </message>
    <message>
        <source>Drive camera</source>
        <translation>Kamera jazdy</translation>
    </message>
    <message>
        <source>Drag a needle or pointer, or pick one with the number keys and move it with the arrow keys and Page Up/Page Down.</source>
        <translation>Przeciągnij wskazówkę lub znacznik albo wybierz go klawiszami cyfr i przesuwaj strzałkami oraz Page Up/Page Down.</translation>
    </message>
    <message>
        <source>%1 angles</source>
        <extracomment>Accessible name of an angle gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: kąty</translation>
    </message>
    <message>
        <source>Red needle: minimum angle
Cyan needle: default angle (never below the minimum)</source>
        <translation>Czerwona wskazówka: kąt minimalny
Błękitna wskazówka: kąt domyślny (nigdy poniżej minimum)</translation>
    </message>
    <message>
        <source>
Magenta needle: INS key angle
Silver needle: DEL key angle</source>
        <translation>
Purpurowa wskazówka: kąt klawisza INS
Srebrna wskazówka: kąt klawisza DEL</translation>
    </message>
    <message>
        <source>%1 zoom distances</source>
        <extracomment>Accessible name of a zoom gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: odległości zoomu</translation>
    </message>
    <message>
        <source>Drive zoom distances: unknown until an executable is read</source>
        <translation>Odległości zoomu kamery jazdy: nieznane, dopóki nie wczytano pliku wykonywalnego</translation>
    </message>
    <message>
        <source>Pointer: default zoom distance (below 0 is first-person)</source>
        <translation>Znacznik: domyślna odległość zoomu (poniżej 0 widok z pierwszej osoby)</translation>
    </message>
    <message>
        <source>Red mark: minimum zoom distance (fixed)</source>
        <translation>Czerwony znak: minimalna odległość zoomu (stała)</translation>
    </message>
    <message>
        <source>Red pointer: minimum zoom distance</source>
        <translation>Czerwony znacznik: minimalna odległość zoomu</translation>
    </message>
    <message>
        <source>%1 viewing distance</source>
        <extracomment>Accessible name of a viewing-distance gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: zasięg widzenia</translation>
    </message>
    <message>
        <source>Red pointer: viewing distance in metres (45 is the game&apos;s own)</source>
        <translation>Czerwony znacznik: zasięg widzenia w metrach (45 to wartość gry)</translation>
    </message>
    <message>
        <source>Chase camera height</source>
        <translation>Wysokość kamery pościgowej</translation>
    </message>
    <message>
        <source>Drive camera height</source>
        <translation>Wysokość kamery jazdy</translation>
    </message>
    <message>
        <source>
Magenta pointer: maximum zoom distance
Cyan pointer: default zoom distance
A distance below 0 is first-person (FPS)</source>
        <translation>
Purpurowy znacznik: maksymalna odległość zoomu
Błękitny znacznik: domyślna odległość zoomu
Odległość poniżej 0 to widok z pierwszej osoby (FPS)</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>orvendel::CoreTexts</name>
    <message>
        <source>Read Only</source>
        <translation>Sola lettura</translation>
    </message>
    <message>
        <source>The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?</source>
        <translation>Il NWMAIN.EXE indicato è di sola lettura.  Vuoi che provi comunque a modificarlo?</translation>
    </message>
    <message>
        <source>Unable to remove Read Only attribute from file.  Patch Aborted.</source>
        <translation>Impossibile togliere l’attributo di sola lettura dal file.  Patch annullata.</translation>
    </message>
    <message>
        <source>Other Names</source>
        <extracomment>Title of the question before writing a file that has further names (hard links).</extracomment>
        <translation>Altri nomi</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Ripristina originale</translation>
    </message>
    <message>
        <source>There are no camera values to write: read a known NWMAIN.EXE, choose a preset or load a settings file first.  Patch Aborted.</source>
        <translation>Non ci sono valori della telecamera da scrivere: prima leggi un NWMAIN.EXE conosciuto, scegli un preset o carica un file di impostazioni.  Patch annullata.</translation>
    </message>
    <message>
        <source>The original NWMAIN.EXE is back in place.</source>
        <translation>Il NWMAIN.EXE originale è di nuovo al suo posto.</translation>
    </message>
    <message>
        <source>Filename is in an unknown format.</source>
        <translation>Il file è in un formato sconosciuto.</translation>
    </message>
    <message>
        <source>Increasing the clipping distance beyond 45 meters can ruin the ambience of some modules since it causes fog to thin out.  It can also cause performance degredation if your computer and video card are not sufficiently fast.  If you encounter problems, you should lower the distance.  Some players consider increasing the viewing distance a cheat.  You are encouraged to notify other players and DM&apos;s that you have extended your viewing distance in any multiplayer games you join.</source>
        <translation>Portare la distanza visiva oltre i 45 metri può rovinare l’atmosfera di alcuni moduli, perché la nebbia si dirada.  Può anche rallentare il gioco se il computer e la scheda video non sono abbastanza veloci.  Se incontri problemi, riduci la distanza.  Alcuni giocatori considerano un imbroglio aumentare la distanza visiva.  Avvisa gli altri giocatori e i DM che hai aumentato la tua distanza visiva nelle partite multigiocatore a cui partecipi.</translation>
    </message>
    <message>
        <source>FPS</source>
        <extracomment>Caption on the zoom gauge where a distance below 0 makes the camera first-person.</extracomment>
        <translation>FPS</translation>
    </message>
    <message>
        <source>The patch run failed for an unknown reason.</source>
        <translation>La patch non è riuscita per un motivo sconosciuto.</translation>
    </message>
    <message>
        <source>1.00m (Bioware Default)</source>
        <extracomment>A camera height and the characters it suits, as the game names its races.</extracomment>
        <translation>1.00m (predef. Bioware)</translation>
    </message>
    <message>
        <source>1.10m Halfling Female</source>
        <translation>1.10m Halfling femmina</translation>
    </message>
    <message>
        <source>1.18m Halfling Male, Gnome Female</source>
        <translation>1.18m Halfling maschio, Gnomo femmina</translation>
    </message>
    <message>
        <source>1.25m Gnome Male, Dwarf Female</source>
        <translation>1.25m Gnomo maschio, Nano femmina</translation>
    </message>
    <message>
        <source>1.32m Dwarf Male</source>
        <translation>1.32m Nano maschio</translation>
    </message>
    <message>
        <source>1.50m Elf Female</source>
        <translation>1.50m Elfo femmina</translation>
    </message>
    <message>
        <source>1.60m Elf Male</source>
        <translation>1.60m Elfo maschio</translation>
    </message>
    <message>
        <source>1.65m Half-Elf Female, Human Female</source>
        <translation>1.65m Mezzelfo femmina, Umano femmina</translation>
    </message>
    <message>
        <source>1.80m Half-Elf Male, Human Male</source>
        <translation>1.80m Mezzelfo maschio, Umano maschio</translation>
    </message>
    <message>
        <source>1.85m Half-Orc Female</source>
        <translation>1.85m Mezzorco femmina</translation>
    </message>
    <message>
        <source>1.97m Half-Orc Male</source>
        <translation>1.97m Mezzorco maschio</translation>
    </message>
    <message>
        <source>2.00m (Bioware Default)</source>
        <translation>2.00m (predef. Bioware)</translation>
    </message>
    <message>
        <source>Loading current values from Neverwinter Nights ...</source>
        <translation>Caricamento dei valori attuali da Neverwinter Nights ...</translation>
    </message>
    <message>
        <source>Modifying Neverwinter Nights ...</source>
        <translation>Modifica di Neverwinter Nights ...</translation>
    </message>
    <message>
        <source>Unknown version of NWMAIN.  Patch Aborted.</source>
        <translation>Versione di NWMAIN sconosciuta.  Patch annullata.</translation>
    </message>
    <message>
        <source>Neverwinter Nights options successfully loaded!</source>
        <translation>Opzioni di Neverwinter Nights caricate!</translation>
    </message>
    <message>
        <source>Neverwinter Nights successfully modified!</source>
        <translation>Neverwinter Nights modificato!</translation>
    </message>
    <message>
        <source>The new values would leave NWMAIN.EXE unrecognisable.  Patch Aborted.</source>
        <translation>Con i nuovi valori NWMAIN.EXE non sarebbe più riconoscibile.  Patch annullata.</translation>
    </message>
    <message>
        <source>You have chosen your DEL key angle to be different from your minimum angle.  This sometimes locks the camera while in the game if you change areas or equipment.  If this happens, toggle your camera mode to unlock the camera again.  To avoid this problem, make sure and set your DEL key angle to match your Minimum Angle.</source>
        <translation>Hai scelto per il tasto Canc un angolo diverso dall’angolo minimo.  A volte questo blocca la telecamera in gioco quando cambi area o equipaggiamento.  Se succede, cambia modalità di telecamera per sbloccarla.  Per evitarlo, imposta l’angolo del tasto Canc uguale all’angolo minimo.</translation>
    </message>
    <message>
        <source>You have chosen to modify the minimum zoom for Drive Camera.  This option has not been fully tested and you may encounter strange bugs while playing NWN.  If you choose to continue I would appreciate any feedback, good or bad, you have after using this option for a few days.</source>
        <translation>Hai scelto di modificare lo zoom minimo della telecamera guida.  Questa opzione non è stata provata a fondo e giocando a NWN potresti incontrare bug strani.  Se continui, apprezzerò ogni commento, buono o cattivo, dopo qualche giorno di utilizzo.</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeDesigns</name>
    <message>
        <source>Minimum Angle</source>
        <translation>Angolo minimo</translation>
    </message>
    <message>
        <source>Default Angle</source>
        <translation>Angolo predef.</translation>
    </message>
    <message>
        <source>INS Key Angle</source>
        <translation>Angolo tasto Ins</translation>
    </message>
    <message>
        <source>DEL Key Angle</source>
        <translation>Angolo tasto Canc</translation>
    </message>
    <message>
        <source>Zoom Min</source>
        <translation>Zoom min</translation>
    </message>
    <message>
        <source>Zoom Default</source>
        <translation>Zoom predef.</translation>
    </message>
    <message>
        <source>Zoom Max</source>
        <translation>Zoom max</translation>
    </message>
    <message>
        <source>FPS</source>
        <extracomment>First-person mode of the camera, as the game names it.</extracomment>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Viewing Distance</source>
        <translation>Distanza visiva</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeValueEditor</name>
    <message>
        <source>Not a number: type one from %1 to %2, decimals with a point.</source>
        <extracomment>Said when the typed value is not a number; %1 and %2 are the gauge&apos;s limits.</extracomment>
        <translation>Non è un numero: scrivine uno da %1 a %2, con il punto per i decimali.</translation>
    </message>
</context>
<context>
    <name>orvendel::LocationPage</name>
    <message>
        <source>Welcome to Orvendel Version H by the Orvendel developers.  Please send any comments or suggestions to the project&apos;s issue tracker.</source>
        <translation>Benvenuto in Orvendel versione H, dagli sviluppatori di Orvendel.  Invia commenti o suggerimenti al sistema di segnalazione del progetto.</translation>
    </message>
    <message>
        <source>Please verify the location of your Neverwinter Nights installation.  If the location of NWMAIN.EXE listed below is incorrect, please use the Browse button to find it.</source>
        <translation>Verifica la posizione della tua installazione di Neverwinter Nights.  Se la posizione di NWMAIN.EXE indicata sotto è sbagliata, usa il pulsante Sfoglia per trovarlo.</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Sfoglia...</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Ripristina originale</translation>
    </message>
    <message>
        <source>Click Next to continue, or Cancel to quit</source>
        <translation>Fai clic su Avanti per continuare o su Annulla per uscire</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Avanti &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Posizione di NWMAIN.EXE</translation>
    </message>
    <message>
        <source>Puts back the copy of NWMAIN.EXE kept before Orvendel first changed it</source>
        <translation>Rimette la copia di NWMAIN.EXE conservata prima della prima modifica di Orvendel</translation>
    </message>
    <message>
        <source>Orvendel looked for the game in %1, and did not find it.  Please use the Browse button to find NWMAIN.EXE.</source>
        <extracomment>%1 lists the places searched.</extracomment>
        <translation>Orvendel ha cercato il gioco in %1 senza trovarlo.  Usa il pulsante Sfoglia per trovare NWMAIN.EXE.</translation>
    </message>
</context>
<context>
    <name>orvendel::MainWindow</name>
    <message>
        <source>Orvendel Version H</source>
        <translation>Orvendel versione H</translation>
    </message>
    <message>
        <source>Looking for NWMAIN.EXE...</source>
        <translation>Ricerca di NWMAIN.EXE...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.  Do you want to replace it?</source>
        <translation>«%1» esiste già.  Vuoi sostituirlo?</translation>
    </message>
</context>
<context>
    <name>orvendel::ProgressWindow</name>
    <message>
        <source>Modifying Neverwinter Nights...</source>
        <translation>Modifica di Neverwinter Nights...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Hacking NWN...</source>
        <extracomment>Title of the progress window while the executable is written; NWN is Neverwinter Nights.</extracomment>
        <translation>Patch di NWN...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Avanzamento</translation>
    </message>
</context>
<context>
    <name>orvendel::QtFileDialogs</name>
    <message>
        <source>Settings Files (*.chs)</source>
        <translation>File di impostazioni (*.chs)</translation>
    </message>
    <message>
        <source>Settings File</source>
        <translation>File di impostazioni</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Posizione di NWMAIN.EXE</translation>
    </message>
</context>
<context>
    <name>orvendel::SettingsPage</name>
    <message>
        <source>Chase and Top Down Camera Settings</source>
        <translation>Telecamera inseguimento e dall’alto</translation>
    </message>
    <message>
        <source>Drive Camera Mode Settings</source>
        <translation>Modalità telecamera guida</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Modify NWN</source>
        <extracomment>Writes the chosen values into the game&apos;s executable; NWN is Neverwinter Nights.</extracomment>
        <translation>Modifica NWN</translation>
    </message>
    <message>
        <source>Quick Presets</source>
        <translation>Preset rapidi</translation>
    </message>
    <message>
        <source>Load Settings...</source>
        <translation>Carica...</translation>
    </message>
    <message>
        <source>Save Settings...</source>
        <translation>Salva...</translation>
    </message>
    <message>
        <source>Undo Changes</source>
        <translation>Annulla modifiche</translation>
    </message>
    <message>
        <source>Bioware Defaults</source>
        <translation>Predef. Bioware</translation>
    </message>
    <message>
        <source>FPS Mode!</source>
        <translation>Modalità FPS!</translation>
    </message>
    <message>
        <source>Camera Height</source>
        <translation>Altezza</translation>
    </message>
    <message>
        <source>Zoom</source>
        <extracomment>Caption of the drive camera&apos;s single zoom pointer.</extracomment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Chase and top-down camera</source>
        <translation>Telecamera inseguimento e dall’alto</translation>
    </message>
    <message>
        <source>Drive camera</source>
        <translation>Telecamera guida</translation>
    </message>
    <message>
        <source>Drag a needle or pointer, or pick one with the number keys and move it with the arrow keys and Page Up/Page Down.</source>
        <translation>Trascina un ago o un puntatore, oppure sceglilo con i tasti numerici e spostalo con le frecce e Pag su/Pag giù.</translation>
    </message>
    <message>
        <source>%1 angles</source>
        <extracomment>Accessible name of an angle gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: angoli</translation>
    </message>
    <message>
        <source>Red needle: minimum angle
Cyan needle: default angle (never below the minimum)</source>
        <translation>Ago rosso: angolo minimo
Ago ciano: angolo predefinito (mai sotto il minimo)</translation>
    </message>
    <message>
        <source>
Magenta needle: INS key angle
Silver needle: DEL key angle</source>
        <translation>
Ago magenta: angolo del tasto Ins
Ago argento: angolo del tasto Canc</translation>
    </message>
    <message>
        <source>%1 zoom distances</source>
        <extracomment>Accessible name of a zoom gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: distanze di zoom</translation>
    </message>
    <message>
        <source>Drive zoom distances: unknown until an executable is read</source>
        <translation>Distanze di zoom della telecamera guida: sconosciute finché non si legge un eseguibile</translation>
    </message>
    <message>
        <source>Pointer: default zoom distance (below 0 is first-person)</source>
        <translation>Puntatore: distanza di zoom predefinita (sotto 0 è in prima persona)</translation>
    </message>
    <message>
        <source>Red mark: minimum zoom distance (fixed)</source>
        <translation>Segno rosso: distanza di zoom minima (fissa)</translation>
    </message>
    <message>
        <source>Red pointer: minimum zoom distance</source>
        <translation>Puntatore rosso: distanza di zoom minima</translation>
    </message>
    <message>
        <source>%1 viewing distance</source>
        <extracomment>Accessible name of a viewing-distance gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: distanza visiva</translation>
    </message>
    <message>
        <source>Red pointer: viewing distance in metres (45 is the game&apos;s own)</source>
        <translation>Puntatore rosso: distanza visiva in metri (45 è quella del gioco)</translation>
    </message>
    <message>
        <source>Chase camera height</source>
        <translation>Altezza telecamera inseguimento</translation>
    </message>
    <message>
        <source>Drive camera height</source>
        <translation>Altezza telecamera guida</translation>
    </message>
    <message>
        <source>
Magenta pointer: maximum zoom distance
Cyan pointer: default zoom distance
A distance below 0 is first-person (FPS)</source>
        <translation>
Puntatore magenta: distanza di zoom massima
Puntatore ciano: distanza di zoom predefinita
Una distanza sotto 0 è in prima persona (FPS)</translation>
    </message>
</context>
</TS>

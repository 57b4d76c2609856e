<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>orvendel::CoreTexts</name>
    <message>
        <source>Read Only</source>
        <translation>Solo lectura</translation>
    </message>
    <message>
        <source>The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?</source>
        <translation>El NWMAIN.EXE indicado es de solo lectura.  ¿Quieres que intente modificarlo de todos modos?</translation>
    </message>
    <message>
        <source>Unable to remove Read Only attribute from file.  Patch Aborted.</source>
        <translation>No se pudo quitar el atributo de solo lectura del archivo.  Parche cancelado.</translation>
    </message>
    <message>
        <source>Other Names</source>
        <extracomment>Title of the question before writing a file that has further names (hard links).</extracomment>
        <translation>Otros nombres</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Restaurar original</translation>
    </message>
    <message>
        <source>There are no camera values to write: read a known NWMAIN.EXE, choose a preset or load a settings file first.  Patch Aborted.</source>
        <translation>No hay valores de cámara que escribir: primero lee un NWMAIN.EXE conocido, elige un ajuste predefinido o carga un archivo de ajustes.  Parche cancelado.</translation>
    </message>
    <message>
        <source>The original NWMAIN.EXE is back in place.</source>
        <translation>El NWMAIN.EXE original vuelve a estar en su sitio.</translation>
    </message>
    <message>
        <source>Filename is in an unknown format.</source>
        <translation>El archivo tiene un formato desconocido.</translation>
    </message>
    <message>
        <source>Increasing the clipping distance beyond 45 meters can ruin the ambience of some modules since it causes fog to thin out.  It can also cause performance degredation if your computer and video card are not sufficiently fast.  If you encounter problems, you should lower the distance.  Some players consider increasing the viewing distance a cheat.  You are encouraged to notify other players and DM&apos;s that you have extended your viewing distance in any multiplayer games you join.</source>
        <translation>Aumentar la distancia de visión por encima de 45 metros puede arruinar la ambientación de algunos módulos, porque la niebla se disipa.  También puede reducir el rendimiento si tu ordenador y tu tarjeta gráfica no son lo bastante rápidos.  Si tienes problemas, reduce la distancia.  Algunos jugadores consideran trampa aumentar la distancia de visión.  Avisa a los demás jugadores y a los DM de que has aumentado tu distancia de visión en las partidas multijugador en las que participes.</translation>
    </message>
    <message>
        <source>FPS</source>
        <extracomment>Caption on the zoom gauge where a distance below 0 makes the camera first-person.</extracomment>
        <translation>FPS</translation>
    </message>
    <message>
        <source>The patch run failed for an unknown reason.</source>
        <translation>El parche ha fallado por un motivo desconocido.</translation>
    </message>
    <message>
        <source>1.00m (Bioware Default)</source>
        <extracomment>A camera height and the characters it suits, as the game names its races.</extracomment>
        <translation>1.00m (predet. Bioware)</translation>
    </message>
    <message>
        <source>1.10m Halfling Female</source>
        <translation>1.10m Mediana</translation>
    </message>
    <message>
        <source>1.18m Halfling Male, Gnome Female</source>
        <translation>1.18m Mediano, Gnoma</translation>
    </message>
    <message>
        <source>1.25m Gnome Male, Dwarf Female</source>
        <translation>1.25m Gnomo, Enana</translation>
    </message>
    <message>
        <source>1.32m Dwarf Male</source>
        <translation>1.32m Enano</translation>
    </message>
    <message>
        <source>1.50m Elf Female</source>
        <translation>1.50m Elfa</translation>
    </message>
    <message>
        <source>1.60m Elf Male</source>
        <translation>1.60m Elfo</translation>
    </message>
    <message>
        <source>1.65m Half-Elf Female, Human Female</source>
        <translation>1.65m Semielfa, Humana</translation>
    </message>
    <message>
        <source>1.80m Half-Elf Male, Human Male</source>
        <translation>1.80m Semielfo, Humano</translation>
    </message>
    <message>
        <source>1.85m Half-Orc Female</source>
        <translation>1.85m Semiorca</translation>
    </message>
    <message>
        <source>1.97m Half-Orc Male</source>
        <translation>1.97m Semiorco</translation>
    </message>
    <message>
        <source>2.00m (Bioware Default)</source>
        <translation>2.00m (predet. Bioware)</translation>
    </message>
    <message>
        <source>Loading current values from Neverwinter Nights ...</source>
        <translation>Cargando los valores actuales de Neverwinter Nights ...</translation>
    </message>
    <message>
        <source>Modifying Neverwinter Nights ...</source>
        <translation>Modificando Neverwinter Nights ...</translation>
    </message>
    <message>
        <source>Unknown version of NWMAIN.  Patch Aborted.</source>
        <translation>Versión de NWMAIN desconocida.  Parche cancelado.</translation>
    </message>
    <message>
        <source>Neverwinter Nights options successfully loaded!</source>
        <translation>¡Opciones de Neverwinter Nights cargadas!</translation>
    </message>
    <message>
        <source>Neverwinter Nights successfully modified!</source>
        <translation>¡Neverwinter Nights modificado!</translation>
    </message>
    <message>
        <source>The new values would leave NWMAIN.EXE unrecognisable.  Patch Aborted.</source>
        <translation>Con los nuevos valores NWMAIN.EXE dejaría de ser reconocible.  Parche cancelado.</translation>
    </message>
    <message>
        <source>You have chosen your DEL key angle to be different from your minimum angle.  This sometimes locks the camera while in the game if you change areas or equipment.  If this happens, toggle your camera mode to unlock the camera again.  To avoid this problem, make sure and set your DEL key angle to match your Minimum Angle.</source>
        <translation>Has elegido para la tecla Supr un ángulo distinto del ángulo mínimo.  A veces esto bloquea la cámara en el juego al cambiar de zona o de equipo.  Si ocurre, cambia el modo de cámara para desbloquearla.  Para evitarlo, pon el ángulo de la tecla Supr igual al ángulo mínimo.</translation>
    </message>
    <message>
        <source>You have chosen to modify the minimum zoom for Drive Camera.  This option has not been fully tested and you may encounter strange bugs while playing NWN.  If you choose to continue I would appreciate any feedback, good or bad, you have after using this option for a few days.</source>
        <translation>Has elegido modificar el zoom mínimo de la cámara de conducción.  Esta opción no se ha probado a fondo y puedes encontrar fallos extraños al jugar a NWN.  Si continúas, agradeceré cualquier comentario, bueno o malo, tras usarla unos días.</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeDesigns</name>
    <message>
        <source>Minimum Angle</source>
        <translation>Ángulo mínimo</translation>
    </message>
    <message>
        <source>Default Angle</source>
        <translation>Ángulo predet.</translation>
    </message>
    <message>
        <source>INS Key Angle</source>
        <translation>Ángulo tecla Insert</translation>
    </message>
    <message>
        <source>DEL Key Angle</source>
        <translation>Ángulo tecla Supr</translation>
    </message>
    <message>
        <source>Zoom Min</source>
        <translation>Zoom mín.</translation>
    </message>
    <message>
        <source>Zoom Default</source>
        <translation>Zoom predet.</translation>
    </message>
    <message>
        <source>Zoom Max</source>
        <translation>Zoom máx.</translation>
    </message>
    <message>
        <source>FPS</source>
        <extracomment>First-person mode of the camera, as the game names it.</extracomment>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Viewing Distance</source>
        <translation>Distancia de visión</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeValueEditor</name>
    <message>
        <source>Not a number: type one from %1 to %2, decimals with a point.</source>
        <extracomment>Said when the typed value is not a number; %1 and %2 are the gauge&apos;s limits.</extracomment>
        <translation>No es un número: escribe uno de %1 a %2, con punto decimal.</translation>
    </message>
</context>
<context>
    <name>orvendel::LocationPage</name>
    <message>
        <source>Welcome to Orvendel Version H by the Orvendel developers.  Please send any comments or suggestions to the project&apos;s issue tracker.</source>
        <translation>Bienvenido a Orvendel versión H, de los desarrolladores de Orvendel.  Envía tus comentarios o sugerencias al gestor de incidencias del proyecto.</translation>
    </message>
    <message>
        <source>Please verify the location of your Neverwinter Nights installation.  If the location of NWMAIN.EXE listed below is incorrect, please use the Browse button to find it.</source>
        <translation>Comprueba la ubicación de tu instalación de Neverwinter Nights.  Si la ubicación de NWMAIN.EXE indicada abajo es incorrecta, búscalo con el botón Examinar.</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Examinar...</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Restaurar original</translation>
    </message>
    <message>
        <source>Click Next to continue, or Cancel to quit</source>
        <translation>Pulsa Siguiente para continuar o Cancelar para salir</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Siguiente &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Ubicación de NWMAIN.EXE</translation>
    </message>
    <message>
        <source>Puts back the copy of NWMAIN.EXE kept before Orvendel first changed it</source>
        <translation>Vuelve a poner la copia de NWMAIN.EXE guardada antes del primer cambio de Orvendel</translation>
    </message>
    <message>
        <source>Orvendel looked for the game in %1, and did not find it.  Please use the Browse button to find NWMAIN.EXE.</source>
        <extracomment>%1 lists the places searched.</extracomment>
        <translation>Orvendel buscó el juego en %1 y no lo encontró.  Busca NWMAIN.EXE con el botón Examinar.</translation>
    </message>
</context>
<context>
    <name>orvendel::MainWindow</name>
    <message>
        <source>Orvendel Version H</source>
        <translation>Orvendel versión H</translation>
    </message>
    <message>
        <source>Looking for NWMAIN.EXE...</source>
        <translation>Buscando NWMAIN.EXE...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.  Do you want to replace it?</source>
        <translation>«%1» ya existe.  ¿Quieres reemplazarlo?</translation>
    </message>
</context>
<context>
    <name>orvendel::ProgressWindow</name>
    <message>
        <source>Modifying Neverwinter Nights...</source>
        <translation>Modificando Neverwinter Nights...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Hacking NWN...</source>
        <extracomment>Title of the progress window while the executable is written; NWN is Neverwinter Nights.</extracomment>
        <translation>Parcheando NWN...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
</context>
<context>
    <name>orvendel::QtFileDialogs</name>
    <message>
        <source>Settings Files (*.chs)</source>
        <translation>Archivos de ajustes (*.chs)</translation>
    </message>
    <message>
        <source>Settings File</source>
        <translation>Archivo de ajustes</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Ubicación de NWMAIN.EXE</translation>
    </message>
</context>
<context>
    <name>orvendel::SettingsPage</name>
    <message>
        <source>Chase and Top Down Camera Settings</source>
        <translation>Cámara de persecución y cenital</translation>
    </message>
    <message>
        <source>Drive Camera Mode Settings</source>
        <translation>Modo de cámara de conducción</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Modify NWN</source>
        <extracomment>Writes the chosen values into the game&apos;s executable; NWN is Neverwinter Nights.</extracomment>
        <translation>Modificar NWN</translation>
    </message>
    <message>
        <source>Quick Presets</source>
        <translation>Ajustes rápidos</translation>
    </message>
    <message>
        <source>Load Settings...</source>
        <translation>Cargar...</translation>
    </message>
    <message>
        <source>Save Settings...</source>
        <translation>Guardar...</translation>
    </message>
    <message>
        <source>Undo Changes</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Bioware Defaults</source>
        <translation>Valores Bioware</translation>
    </message>
    <message>
        <source>FPS Mode!</source>
        <translation>¡Modo FPS!</translation>
    </message>
    <message>
        <source>Camera Height</source>
        <translation>Altura</translation>
    </message>
    <message>
        <source>Zoom</source>
        <extracomment>Caption of the drive camera&apos;s single zoom pointer.</extracomment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Chase and top-down camera</source>
        <translation>Cámara de persecución y cenital</translation>
    </message>
    <message>
        <source>Drive camera</source>
        <translation>Cámara de conducción</translation>
    </message>
    <message>
        <source>Drag a needle or pointer, or pick one with the number keys and move it with the arrow keys and Page Up/Page Down.</source>
        <translation>Arrastra una aguja o un puntero, o elige uno con las teclas numéricas y muévelo con las flechas y Re Pág/Av Pág.</translation>
    </message>
    <message>
        <source>%1 angles</source>
        <extracomment>Accessible name of an angle gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: ángulos</translation>
    </message>
    <message>
        <source>Red needle: minimum angle
Cyan needle: default angle (never below the minimum)</source>
        <translation>Aguja roja: ángulo mínimo
Aguja cian: ángulo predeterminado (nunca por debajo del mínimo)</translation>
    </message>
    <message>
        <source>
Magenta needle: INS key angle
Silver needle: DEL key angle</source>
        <translation>
Aguja magenta: ángulo de la tecla Insert
Aguja plateada: ángulo de la tecla Supr</translation>
    </message>
    <message>
        <source>%1 zoom distances</source>
        <extracomment>Accessible name of a zoom gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: distancias de zoom</translation>
    </message>
    <message>
        <source>Drive zoom distances: unknown until an executable is read</source>
        <translation>Distancias de zoom de la cámara de conducción: desconocidas hasta leer un ejecutable</translation>
    </message>
    <message>
        <source>Pointer: default zoom distance (below 0 is first-person)</source>
        <translation>Puntero: distancia de zoom predeterminada (por debajo de 0, primera persona)</translation>
    </message>
    <message>
        <source>Red mark: minimum zoom distance (fixed)</source>
        <translation>Marca roja: distancia de zoom mínima (fija)</translation>
    </message>
    <message>
        <source>Red pointer: minimum zoom distance</source>
        <translation>Puntero rojo: distancia de zoom mínima</translation>
    </message>
    <message>
        <source>%1 viewing distance</source>
        <extracomment>Accessible name of a viewing-distance gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1: distancia de visión</translation>
    </message>
    <message>
        <source>Red pointer: viewing distance in metres (45 is the game&apos;s own)</source>
        <translation>Puntero rojo: distancia de visión en metros (45 es la del juego)</translation>
    </message>
    <message>
        <source>Chase camera height</source>
        <translation>Altura de la cámara de persecución</translation>
    </message>
    <message>
        <source>Drive camera height</source>
        <translation>Altura de la cámara de conducción</translation>
    </message>
    <message>
        <source>
Magenta pointer: maximum zoom distance
Cyan pointer: default zoom distance
A distance below 0 is first-person (FPS)</source>
        <translation>
Puntero magenta: distancia de zoom máxima
Puntero cian: distancia de zoom predeterminada
Una distancia por debajo de 0 es primera persona (FPS)</translation>
    </message>
</context>
</TS>

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>orvendel::CoreTexts</name>
    <message>
        <source>Read Only</source>
        <translation>Lecture seule</translation>
    </message>
    <message>
        <source>The NWMAIN.EXE you specified is Read Only.  Do you wish me to try to modify it anyway?</source>
        <translation>Le NWMAIN.EXE indiqué est en lecture seule.  Voulez-vous que j’essaie quand même de le modifier ?</translation>
    </message>
    <message>
        <source>Unable to remove Read Only attribute from file.  Patch Aborted.</source>
        <translation>Impossible de retirer l’attribut lecture seule du fichier.  Patch annulé.</translation>
    </message>
    <message>
        <source>Other Names</source>
        <extracomment>Title of the question before writing a file that has further names (hard links).</extracomment>
        <translation>Autres noms</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Restaurer l’original</translation>
    </message>
    <message>
        <source>There are no camera values to write: read a known NWMAIN.EXE, choose a preset or load a settings file first.  Patch Aborted.</source>
        <translation>Aucune valeur de caméra à écrire : lisez d’abord un NWMAIN.EXE connu, choisissez un préréglage ou chargez un fichier de réglages.  Patch annulé.</translation>
    </message>
    <message>
        <source>The original NWMAIN.EXE is back in place.</source>
        <translation>Le NWMAIN.EXE d’origine est de retour à sa place.</translation>
    </message>
    <message>
        <source>Filename is in an unknown format.</source>
        <translation>Le fichier est dans un format inconnu.</translation>
    </message>
    <message>
        <source>Increasing the clipping distance beyond 45 meters can ruin the ambience of some modules since it causes fog to thin out.  It can also cause performance degredation if your computer and video card are not sufficiently fast.  If you encounter problems, you should lower the distance.  Some players consider increasing the viewing distance a cheat.  You are encouraged to notify other players and DM&apos;s that you have extended your viewing distance in any multiplayer games you join.</source>
        <translation>Porter la distance d’affichage au-delà de 45 mètres peut gâcher l’ambiance de certains modules, car le brouillard s’éclaircit.  Cela peut aussi ralentir le jeu si votre ordinateur et votre carte graphique ne sont pas assez rapides.  En cas de problème, réduisez la distance.  Certains joueurs considèrent qu’augmenter la distance de vue est de la triche.  Prévenez les autres joueurs et les MD que vous avez augmenté votre distance de vue dans les parties multijoueurs que vous rejoignez.</translation>
    </message>
    <message>
        <source>FPS</source>
        <extracomment>Caption on the zoom gauge where a distance below 0 makes the camera first-person.</extracomment>
        <translation>FPS</translation>
    </message>
    <message>
        <source>The patch run failed for an unknown reason.</source>
        <translation>Le patch a échoué pour une raison inconnue.</translation>
    </message>
    <message>
        <source>1.00m (Bioware Default)</source>
        <extracomment>A camera height and the characters it suits, as the game names its races.</extracomment>
        <translation>1.00m (défaut Bioware)</translation>
    </message>
    <message>
        <source>1.10m Halfling Female</source>
        <translation>1.10m Halfelin femme</translation>
    </message>
    <message>
        <source>1.18m Halfling Male, Gnome Female</source>
        <translation>1.18m Halfelin homme, Gnome femme</translation>
    </message>
    <message>
        <source>1.25m Gnome Male, Dwarf Female</source>
        <translation>1.25m Gnome homme, Nain femme</translation>
    </message>
    <message>
        <source>1.32m Dwarf Male</source>
        <translation>1.32m Nain homme</translation>
    </message>
    <message>
        <source>1.50m Elf Female</source>
        <translation>1.50m Elfe femme</translation>
    </message>
    <message>
        <source>1.60m Elf Male</source>
        <translation>1.60m Elfe homme</translation>
    </message>
    <message>
        <source>1.65m Half-Elf Female, Human Female</source>
        <translation>1.65m Demi-elfe femme, Humain femme</translation>
    </message>
    <message>
        <source>1.80m Half-Elf Male, Human Male</source>
        <translation>1.80m Demi-elfe homme, Humain homme</translation>
    </message>
    <message>
        <source>1.85m Half-Orc Female</source>
        <translation>1.85m Demi-orque femme</translation>
    </message>
    <message>
        <source>1.97m Half-Orc Male</source>
        <translation>1.97m Demi-orque homme</translation>
    </message>
    <message>
        <source>2.00m (Bioware Default)</source>
        <translation>2.00m (défaut Bioware)</translation>
    </message>
    <message>
        <source>Loading current values from Neverwinter Nights ...</source>
        <translation>Chargement des valeurs actuelles de Neverwinter Nights ...</translation>
    </message>
    <message>
        <source>Modifying Neverwinter Nights ...</source>
        <translation>Modification de Neverwinter Nights ...</translation>
    </message>
    <message>
        <source>Unknown version of NWMAIN.  Patch Aborted.</source>
        <translation>Version de NWMAIN inconnue.  Patch annulé.</translation>
    </message>
    <message>
        <source>Neverwinter Nights options successfully loaded!</source>
        <translation>Options de Neverwinter Nights chargées avec succès !</translation>
    </message>
    <message>
        <source>Neverwinter Nights successfully modified!</source>
        <translation>Neverwinter Nights modifié avec succès !</translation>
    </message>
    <message>
        <source>The new values would leave NWMAIN.EXE unrecognisable.  Patch Aborted.</source>
        <translation>Avec les nouvelles valeurs, NWMAIN.EXE ne serait plus reconnaissable.  Patch annulé.</translation>
    </message>
    <message>
        <source>You have chosen your DEL key angle to be different from your minimum angle.  This sometimes locks the camera while in the game if you change areas or equipment.  If this happens, toggle your camera mode to unlock the camera again.  To avoid this problem, make sure and set your DEL key angle to match your Minimum Angle.</source>
        <translation>Vous avez choisi pour la touche Suppr un angle différent de l’angle minimum.  Cela bloque parfois la caméra en jeu quand vous changez de zone ou d’équipement.  Si cela arrive, changez de mode de caméra pour la débloquer.  Pour éviter ce problème, donnez à la touche Suppr le même angle que l’angle minimum.</translation>
    </message>
    <message>
        <source>You have chosen to modify the minimum zoom for Drive Camera.  This option has not been fully tested and you may encounter strange bugs while playing NWN.  If you choose to continue I would appreciate any feedback, good or bad, you have after using this option for a few days.</source>
        <translation>Vous avez choisi de modifier le zoom minimum de la caméra conduite.  Cette option n’a pas été entièrement testée et vous pourriez rencontrer des bugs étranges en jouant à NWN.  Si vous continuez, tout retour, bon ou mauvais, après quelques jours d’utilisation sera le bienvenu.</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeDesigns</name>
    <message>
        <source>Minimum Angle</source>
        <translation>Angle minimum</translation>
    </message>
    <message>
        <source>Default Angle</source>
        <translation>Angle par défaut</translation>
    </message>
    <message>
        <source>INS Key Angle</source>
        <translation>Angle touche Inser</translation>
    </message>
    <message>
        <source>DEL Key Angle</source>
        <translation>Angle touche Suppr</translation>
    </message>
    <message>
        <source>Zoom Min</source>
        <translation>Zoom min</translation>
    </message>
    <message>
        <source>Zoom Default</source>
        <translation>Zoom par défaut</translation>
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
        <translation>Distance de vue</translation>
    </message>
</context>
<context>
    <name>orvendel::GaugeValueEditor</name>
    <message>
        <source>Not a number: type one from %1 to %2, decimals with a point.</source>
        <extracomment>Said when the typed value is not a number; %1 and %2 are the gauge&apos;s limits.</extracomment>
        <translation>Pas un nombre : tapez-en un de %1 à %2, décimales avec un point.</translation>
    </message>
</context>
<context>
    <name>orvendel::LocationPage</name>
    <message>
        <source>Welcome to Orvendel Version H by the Orvendel developers.  Please send any comments or suggestions to the project&apos;s issue tracker.</source>
        <translation>Bienvenue dans Orvendel version H, par les développeurs d’Orvendel.  Envoyez vos remarques et suggestions au suivi des tickets du projet.</translation>
    </message>
    <message>
        <source>Please verify the location of your Neverwinter Nights installation.  If the location of NWMAIN.EXE listed below is incorrect, please use the Browse button to find it.</source>
        <translation>Vérifiez l’emplacement de votre installation de Neverwinter Nights.  Si l’emplacement de NWMAIN.EXE indiqué ci-dessous est faux, utilisez le bouton Parcourir pour le trouver.</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Restore Original</source>
        <translation>Restaurer l’original</translation>
    </message>
    <message>
        <source>Click Next to continue, or Cancel to quit</source>
        <translation>Cliquez sur Suivant pour continuer, ou sur Annuler pour quitter</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Suivant &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Emplacement de NWMAIN.EXE</translation>
    </message>
    <message>
        <source>Puts back the copy of NWMAIN.EXE kept before Orvendel first changed it</source>
        <translation>Remet la copie de NWMAIN.EXE gardée avant la première modification par Orvendel</translation>
    </message>
    <message>
        <source>Orvendel looked for the game in %1, and did not find it.  Please use the Browse button to find NWMAIN.EXE.</source>
        <extracomment>%1 lists the places searched.</extracomment>
        <translation>Orvendel a cherché le jeu dans %1 sans le trouver.  Utilisez le bouton Parcourir pour trouver NWMAIN.EXE.</translation>
    </message>
</context>
<context>
    <name>orvendel::MainWindow</name>
    <message>
        <source>Orvendel Version H</source>
        <translation>Orvendel version H</translation>
    </message>
    <message>
        <source>Looking for NWMAIN.EXE...</source>
        <translation>Recherche de NWMAIN.EXE...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.  Do you want to replace it?</source>
        <translation>« %1 » existe déjà.  Voulez-vous le remplacer ?</translation>
    </message>
</context>
<context>
    <name>orvendel::ProgressWindow</name>
    <message>
        <source>Modifying Neverwinter Nights...</source>
        <translation>Modification de Neverwinter Nights...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Hacking NWN...</source>
        <extracomment>Title of the progress window while the executable is written; NWN is Neverwinter Nights.</extracomment>
        <translation>Patch de NWN...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
</context>
<context>
    <name>orvendel::QtFileDialogs</name>
    <message>
        <source>Settings Files (*.chs)</source>
        <translation>Fichiers de réglages (*.chs)</translation>
    </message>
    <message>
        <source>Settings File</source>
        <translation>Fichier de réglages</translation>
    </message>
    <message>
        <source>Location of NWMAIN.EXE</source>
        <translation>Emplacement de NWMAIN.EXE</translation>
    </message>
</context>
<context>
    <name>orvendel::SettingsPage</name>
    <message>
        <source>Chase and Top Down Camera Settings</source>
        <translation>Caméra poursuite et vue de dessus</translation>
    </message>
    <message>
        <source>Drive Camera Mode Settings</source>
        <translation>Mode caméra conduite</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Modify NWN</source>
        <extracomment>Writes the chosen values into the game&apos;s executable; NWN is Neverwinter Nights.</extracomment>
        <translation>Modifier NWN</translation>
    </message>
    <message>
        <source>Quick Presets</source>
        <translation>Préréglages rapides</translation>
    </message>
    <message>
        <source>Load Settings...</source>
        <translation>Charger...</translation>
    </message>
    <message>
        <source>Save Settings...</source>
        <translation>Enregistrer...</translation>
    </message>
    <message>
        <source>Undo Changes</source>
        <translation>Annuler modifs</translation>
    </message>
    <message>
        <source>Bioware Defaults</source>
        <translation>Défauts Bioware</translation>
    </message>
    <message>
        <source>FPS Mode!</source>
        <translation>Mode FPS !</translation>
    </message>
    <message>
        <source>Camera Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Zoom</source>
        <extracomment>Caption of the drive camera&apos;s single zoom pointer.</extracomment>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Chase and top-down camera</source>
        <translation>Caméra poursuite et vue de dessus</translation>
    </message>
    <message>
        <source>Drive camera</source>
        <translation>Caméra conduite</translation>
    </message>
    <message>
        <source>Drag a needle or pointer, or pick one with the number keys and move it with the arrow keys and Page Up/Page Down.</source>
        <translation>Faites glisser une aiguille ou un curseur, ou choisissez-en un avec les touches numériques et déplacez-le avec les flèches et Page précédente/Page suivante.</translation>
    </message>
    <message>
        <source>%1 angles</source>
        <extracomment>Accessible name of an angle gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1 : angles</translation>
    </message>
    <message>
        <source>Red needle: minimum angle
Cyan needle: default angle (never below the minimum)</source>
        <translation>Aiguille rouge : angle minimum
Aiguille cyan : angle par défaut (jamais sous le minimum)</translation>
    </message>
    <message>
        <source>
Magenta needle: INS key angle
Silver needle: DEL key angle</source>
        <translation>
Aiguille magenta : angle de la touche Inser
Aiguille argent : angle de la touche Suppr</translation>
    </message>
    <message>
        <source>%1 zoom distances</source>
        <extracomment>Accessible name of a zoom gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1 : distances de zoom</translation>
    </message>
    <message>
        <source>Drive zoom distances: unknown until an executable is read</source>
        <translation>Distances de zoom de la caméra conduite : inconnues tant qu’aucun exécutable n’est lu</translation>
    </message>
    <message>
        <source>Pointer: default zoom distance (below 0 is first-person)</source>
        <translation>Curseur : distance de zoom par défaut (sous 0, vue à la première personne)</translation>
    </message>
    <message>
        <source>Red mark: minimum zoom distance (fixed)</source>
        <translation>Repère rouge : distance de zoom minimum (fixe)</translation>
    </message>
    <message>
        <source>Red pointer: minimum zoom distance</source>
        <translation>Curseur rouge : distance de zoom minimum</translation>
    </message>
    <message>
        <source>%1 viewing distance</source>
        <extracomment>Accessible name of a viewing-distance gauge; %1 is the camera mode (&quot;Drive camera&quot;).</extracomment>
        <translation>%1 : distance de vue</translation>
    </message>
    <message>
        <source>Red pointer: viewing distance in metres (45 is the game&apos;s own)</source>
        <translation>Curseur rouge : distance de vue en mètres (45 est celle du jeu)</translation>
    </message>
    <message>
        <source>Chase camera height</source>
        <translation>Hauteur de la caméra poursuite</translation>
    </message>
    <message>
        <source>Drive camera height</source>
        <translation>Hauteur de la caméra conduite</translation>
    </message>
    <message>
        <source>
Magenta pointer: maximum zoom distance
Cyan pointer: default zoom distance
A distance below 0 is first-person (FPS)</source>
        <translation>
Curseur magenta : distance de zoom maximum
Curseur cyan : distance de zoom par défaut
Sous 0, la vue est à la première personne (FPS)</translation>
    </message>
</context>
</TS>

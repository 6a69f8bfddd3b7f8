<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>About</name>
    <message>
        <source>About Pairlet</source>
        <translation>Über Pairlet</translation>
    </message>
    <message>
        <source>Animation</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>Pairlet %1

Copyright © 2026 The Pairlet developers.
Free software under the MIT License.
Tile pictures: Twemoji, CC-BY 4.0.</source>
        <translation>Pairlet %1

Copyright © 2026 Die Pairlet-Entwickler.
Freie Software unter der MIT-Lizenz.
Bilder der Kärtchen: Twemoji, CC-BY 4.0.</translation>
    </message>
    <message>
        <source>I love making animation and programs like Pairlet, and I am grateful for people like you who help to make it all possible.  Thanks for your support!</source>
        <translation>Ich mache sehr gern Animationen und Programme wie Pairlet, und ich bin dankbar für Menschen wie Sie, die all das möglich machen.  Danke für Ihre Unterstützung!</translation>
    </message>
    <message>
        <source>Happy matching!
The Pairlet team</source>
        <translation>Viel Spaß beim Suchen!
Das Pairlet-Team</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Visit my website</source>
        <translation>Meine Website besuchen</translation>
    </message>
    <message>
        <source>Send me email</source>
        <translation>Mir eine E-Mail schreiben</translation>
    </message>
</context>
<context>
    <name>Board</name>
    <message>
        <source>Row %1, column %2</source>
        <translation>Reihe %1, Spalte %2</translation>
    </message>
    <message>
        <source>%1, covered</source>
        <translation>%1, verdeckt</translation>
    </message>
    <message>
        <source>%1, %2, matched</source>
        <translation>%1, %2, gefunden</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <source>Game over. %1</source>
        <translation>Spiel vorbei. %1</translation>
    </message>
    <message>
        <source>Not a match</source>
        <translation>Nicht dasselbe Bild</translation>
    </message>
    <message>
        <source>Set complete: %1</source>
        <translation>Treffer: %1</translation>
    </message>
</context>
<context>
    <name>Engine</name>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genug Speicher</translation>
    </message>
    <message>
        <source>Mem lock error</source>
        <translation>Speicher lässt sich nicht sperren</translation>
    </message>
    <message>
        <source>No WinG support</source>
        <translation>Keine WinG-Unterstützung</translation>
    </message>
    <message>
        <source>Can&apos;t get a DC</source>
        <translation>Kein Gerätekontext verfügbar</translation>
    </message>
    <message>
        <source>File open error</source>
        <translation>Fehler beim Öffnen der Datei</translation>
    </message>
    <message>
        <source>File read error</source>
        <translation>Fehler beim Lesen der Datei</translation>
    </message>
    <message>
        <source>File write error</source>
        <translation>Fehler beim Schreiben der Datei</translation>
    </message>
    <message>
        <source>File seek error</source>
        <translation>Fehler beim Springen in der Datei</translation>
    </message>
    <message>
        <source>File type error</source>
        <translation>Falscher Dateityp</translation>
    </message>
    <message>
        <source>File not closed</source>
        <translation>Datei nicht geschlossen</translation>
    </message>
    <message>
        <source>Bitmap error</source>
        <translation>Fehler im Bild</translation>
    </message>
    <message>
        <source>Bad frame header</source>
        <translation>Fehlerhafter Bildkopf</translation>
    </message>
    <message>
        <source>Bad chunk type</source>
        <translation>Falscher Blocktyp</translation>
    </message>
    <message>
        <source>Not implemented</source>
        <translation>Nicht implementiert</translation>
    </message>
    <message>
        <source>Not tested</source>
        <translation>Nicht getestet</translation>
    </message>
    <message>
        <source>Bad rectangle</source>
        <translation>Ungültiges Rechteck</translation>
    </message>
    <message>
        <source>Still in use</source>
        <translation>Noch in Gebrauch</translation>
    </message>
    <message>
        <source>Label doesn&apos;t exist</source>
        <translation>Marke existiert nicht</translation>
    </message>
    <message>
        <source>Missing parameter</source>
        <translation>Parameter fehlt</translation>
    </message>
    <message>
        <source>Value out of range</source>
        <translation>Wert außerhalb des Bereichs</translation>
    </message>
    <message>
        <source>Bad ProgInst Value</source>
        <translation>Ungültiger ProgInst-Wert</translation>
    </message>
    <message>
        <source>Unknown Error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>GridSettings</name>
    <message>
        <source>Grid Settings</source>
        <translation>Spielfeld einstellen</translation>
    </message>
    <message>
        <source>Grid Size</source>
        <translation>Größe des Spielfelds</translation>
    </message>
    <message>
        <source>Number of Tiles required for Match</source>
        <translation>Gleiche Kärtchen für einen Treffer</translation>
    </message>
    <message>
        <source>Match 2</source>
        <translation>Paare</translation>
    </message>
    <message>
        <source>Match 3</source>
        <translation>Dreier</translation>
    </message>
    <message>
        <source>Match 4</source>
        <translation>Vierer</translation>
    </message>
    <message>
        <source>Match 4 Corners</source>
        <translation>Vier Ecken</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>Install</name>
    <message>
        <source>3D Animation From the Lumaris CD not found.
Insert CD in CD drive and try again.</source>
        <translation>Die 3D-Animationen der Lumaris-CD wurden nicht gefunden.
Legen Sie die CD ein und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Error: Animation CD Not Found</source>
        <translation>Fehler: Animations-CD nicht gefunden</translation>
    </message>
    <message>
        <source>File copy error</source>
        <translation>Fehler beim Kopieren</translation>
    </message>
    <message>
        <source>A fatal error occured while copying files.
No files were copied</source>
        <translation>Beim Kopieren ist ein schwerer Fehler aufgetreten.
Es wurden keine Dateien kopiert.</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>Install Animation from Lumaris Animation CD</source>
        <translation>Animationen von der Lumaris-CD installieren</translation>
    </message>
    <message>
        <source>Destination Folder:</source>
        <translation>Zielordner:</translation>
    </message>
    <message>
        <source>Free space required for this operation:</source>
        <translation>Dafür nötiger freier Speicherplatz:</translation>
    </message>
    <message>
        <source>Space available on selected drive:</source>
        <translation>Frei auf dem gewählten Laufwerk:</translation>
    </message>
    <message>
        <source>??? MB</source>
        <translation>??? MB</translation>
    </message>
    <message>
        <source>Select New Destination Folder</source>
        <translation>Anderen Zielordner wählen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Copy Files</source>
        <translation>Dateien kopieren</translation>
    </message>
    <message>
        <source>Put the Lumaris Animation CD in your CD drive.</source>
        <translation>Legen Sie die Lumaris-Animations-CD in Ihr CD-Laufwerk ein.</translation>
    </message>
    <message>
        <source>Install Animation CD</source>
        <translation>Animations-CD installieren</translation>
    </message>
    <message>
        <source>Select Destination Folder for Sprite Files</source>
        <translation>Zielordner für die Animationsdateien wählen</translation>
    </message>
    <message>
        <source>There isn&apos;t enough space on this hard drive
for all the files.  Do you want to continue?</source>
        <translation>Auf diesem Laufwerk ist nicht genug Platz
für alle Dateien.  Möchten Sie trotzdem fortfahren?</translation>
    </message>
    <message>
        <source>Not Enough Free Drive Space</source>
        <translation>Nicht genug freier Speicherplatz</translation>
    </message>
    <message>
        <source>An error occured while copying files.</source>
        <translation>Beim Kopieren der Dateien ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>CD animation successfully installed.</source>
        <translation>Die Animationen der CD sind installiert.</translation>
    </message>
    <message>
        <source>Install Complete</source>
        <translation>Installation abgeschlossen</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;Restart Pairlet   Ctrl+R, F2</source>
        <translation>Pairlet &amp;neu starten   Strg+R, F2</translation>
    </message>
    <message>
        <source>&amp;Grid Settings</source>
        <translation>Spiel&amp;feld einstellen</translation>
    </message>
    <message>
        <source>Enable &amp;Animation    Ctrl+A</source>
        <translation>&amp;Animation einschalten    Strg+A</translation>
    </message>
    <message>
        <source>Enable &amp;Sound          Ctrl+S</source>
        <translation>&amp;Ton einschalten          Strg+S</translation>
    </message>
    <message>
        <source>Install Animation CD</source>
        <translation>Animations-CD installieren</translation>
    </message>
    <message>
        <source>Quit Pairlet</source>
        <translation>Pairlet beenden</translation>
    </message>
    <message>
        <source>&amp;About Pairlet</source>
        <translation>Ü&amp;ber Pairlet</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Use Installed CD Animation</source>
        <translation>Installierte CD-Animationen verwenden</translation>
    </message>
    <message>
        <source>Two &amp;Players            Ctrl+T</source>
        <translation>&amp;Zwei Spieler            Strg+T</translation>
    </message>
    <message>
        <source>Clear &amp;Best Results...</source>
        <translation>&amp;Bestleistungen löschen …</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Missing images in INI file!</source>
        <translation>In der INI-Datei fehlen Bilder!</translation>
    </message>
    <message>
        <source>INI File Error</source>
        <translation>Fehler in der INI-Datei</translation>
    </message>
    <message>
        <source>Game Over.  Play Again?</source>
        <translation>Spiel vorbei.  Noch einmal spielen?</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Spiel vorbei</translation>
    </message>
    <message>
        <source>Forget the best results of every board?</source>
        <translation>Die Bestleistungen aller Spielfelder vergessen?</translation>
    </message>
    <message>
        <source>Clear Best Results</source>
        <translation>Bestleistungen löschen</translation>
    </message>
    <message>
        <source>This program requires a minimum of 32K
desktop colors to function optimally.</source>
        <translation>Dieses Programm braucht mindestens 32K Farben
auf dem Bildschirm, um gut zu funktionieren.</translation>
    </message>
    <message>
        <source>%1 Color Desktop Detected</source>
        <translation>Bildschirm mit %1 Farben erkannt</translation>
    </message>
    <message>
        <source>Error loading animation file: %1</source>
        <translation>Fehler beim Laden der Animationsdatei: %1</translation>
    </message>
    <message>
        <source>File Error</source>
        <translation>Dateifehler</translation>
    </message>
    <message>
        <source>Total tiles must be evenly divisible by %1 for Match %2.  Setting grid to default.</source>
        <translation>Die Zahl der Kärtchen muss durch %1 teilbar sein, wenn je %2 zusammengehören.  Das Spielfeld bekommt wieder seine Standardgröße.</translation>
    </message>
    <message>
        <source>Changing to Default Grid</source>
        <translation>Zurück zum Standard-Spielfeld</translation>
    </message>
    <message>
        <source>Can&apos;t open file &apos;%1&apos;</source>
        <translation>Die Datei „%1“ lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no Pairlet pack: it holds no %2.</source>
        <translation>„%1“ ist kein Pairlet-Paket: Darin fehlt %2.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no Pairlet pack: there is no such folder.</source>
        <translation>„%1“ ist kein Pairlet-Paket: Diesen Ordner gibt es nicht.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Copying files…</source>
        <translation>Dateien werden kopiert …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copying %1</source>
        <translation>%1 wird kopiert</translation>
    </message>
</context>
<context>
    <name>Score</name>
    <message>
        <source>Player 1: %1   Player 2: %2   Player %3&apos;s turn</source>
        <translation>Spieler 1: %1   Spieler 2: %2   Spieler %3 ist dran</translation>
    </message>
    <message>
        <source>Turns: %1   Time: %2</source>
        <translation>Züge: %1   Zeit: %2</translation>
    </message>
    <message>
        <source>Best: none yet</source>
        <translation>Bestleistung: noch keine</translation>
    </message>
    <message>
        <source>Best: %1 turns, %2</source>
        <translation>Bestleistung: %1 Züge, %2</translation>
    </message>
    <message>
        <source>New best!</source>
        <translation>Neue Bestleistung!</translation>
    </message>
    <message>
        <source>A draw: %1 each</source>
        <translation>Unentschieden: je %1</translation>
    </message>
    <message>
        <source>Player %1 wins, %2 to %3</source>
        <translation>Spieler %1 gewinnt %2 zu %3</translation>
    </message>
    <message numerus="yes">
        <source>%n set(s)</source>
        <translation>
            <numerusform>%n Treffer</numerusform>
            <numerusform>%n Treffer</numerusform>
        </translation>
    </message>
</context>
</TS>

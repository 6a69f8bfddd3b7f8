<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>About</name>
    <message>
        <source>About Pairlet</source>
        <translation>À propos de Pairlet</translation>
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

Copyright © 2026 Les développeurs de Pairlet.
Logiciel libre sous licence MIT.
Images des tuiles&#xa0;: Twemoji, CC-BY 4.0.</translation>
    </message>
    <message>
        <source>I love making animation and programs like Pairlet, and I am grateful for people like you who help to make it all possible.  Thanks for your support!</source>
        <translation>J’adore créer des animations et des programmes comme Pairlet, et je suis reconnaissant envers celles et ceux qui, comme vous, rendent tout cela possible.  Merci de votre soutien&#xa0;!</translation>
    </message>
    <message>
        <source>Happy matching!
The Pairlet team</source>
        <translation>Bonnes parties&#xa0;!
L’équipe Pairlet</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Visit my website</source>
        <translation>Visiter mon site web</translation>
    </message>
    <message>
        <source>Send me email</source>
        <translation>M’envoyer un e-mail</translation>
    </message>
</context>
<context>
    <name>Board</name>
    <message>
        <source>Row %1, column %2</source>
        <translation>Ligne %1, colonne %2</translation>
    </message>
    <message>
        <source>%1, covered</source>
        <translation>%1, face cachée</translation>
    </message>
    <message>
        <source>%1, %2, matched</source>
        <translation>%1, %2, trouvée</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Grille</translation>
    </message>
    <message>
        <source>Game over. %1</source>
        <translation>Partie terminée. %1</translation>
    </message>
    <message>
        <source>Not a match</source>
        <translation>Pas la même image</translation>
    </message>
    <message>
        <source>Set complete: %1</source>
        <translation>Série complète&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>Engine</name>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>Mem lock error</source>
        <translation>Erreur de verrouillage mémoire</translation>
    </message>
    <message>
        <source>No WinG support</source>
        <translation>WinG non pris en charge</translation>
    </message>
    <message>
        <source>Can&apos;t get a DC</source>
        <translation>Contexte graphique indisponible</translation>
    </message>
    <message>
        <source>File open error</source>
        <translation>Erreur d’ouverture du fichier</translation>
    </message>
    <message>
        <source>File read error</source>
        <translation>Erreur de lecture du fichier</translation>
    </message>
    <message>
        <source>File write error</source>
        <translation>Erreur d’écriture du fichier</translation>
    </message>
    <message>
        <source>File seek error</source>
        <translation>Erreur de déplacement dans le fichier</translation>
    </message>
    <message>
        <source>File type error</source>
        <translation>Type de fichier incorrect</translation>
    </message>
    <message>
        <source>File not closed</source>
        <translation>Fichier non fermé</translation>
    </message>
    <message>
        <source>Bitmap error</source>
        <translation>Erreur d’image</translation>
    </message>
    <message>
        <source>Bad frame header</source>
        <translation>En-tête d’image incorrect</translation>
    </message>
    <message>
        <source>Bad chunk type</source>
        <translation>Type de bloc incorrect</translation>
    </message>
    <message>
        <source>Not implemented</source>
        <translation>Non implémenté</translation>
    </message>
    <message>
        <source>Not tested</source>
        <translation>Non testé</translation>
    </message>
    <message>
        <source>Bad rectangle</source>
        <translation>Rectangle invalide</translation>
    </message>
    <message>
        <source>Still in use</source>
        <translation>Encore utilisé</translation>
    </message>
    <message>
        <source>Label doesn&apos;t exist</source>
        <translation>Étiquette inexistante</translation>
    </message>
    <message>
        <source>Missing parameter</source>
        <translation>Paramètre manquant</translation>
    </message>
    <message>
        <source>Value out of range</source>
        <translation>Valeur hors limites</translation>
    </message>
    <message>
        <source>Bad ProgInst Value</source>
        <translation>Valeur ProgInst incorrecte</translation>
    </message>
    <message>
        <source>Unknown Error</source>
        <translation>Erreur inconnue</translation>
    </message>
</context>
<context>
    <name>GridSettings</name>
    <message>
        <source>Grid Settings</source>
        <translation>Réglages de la grille</translation>
    </message>
    <message>
        <source>Grid Size</source>
        <translation>Taille de la grille</translation>
    </message>
    <message>
        <source>Number of Tiles required for Match</source>
        <translation>Nombre de tuiles à réunir</translation>
    </message>
    <message>
        <source>Match 2</source>
        <translation>Par 2</translation>
    </message>
    <message>
        <source>Match 3</source>
        <translation>Par 3</translation>
    </message>
    <message>
        <source>Match 4</source>
        <translation>Par 4</translation>
    </message>
    <message>
        <source>Match 4 Corners</source>
        <translation>Quatre coins</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
<context>
    <name>Install</name>
    <message>
        <source>3D Animation From the Lumaris CD not found.
Insert CD in CD drive and try again.</source>
        <translation>Les animations 3D du CD Lumaris sont introuvables.
Insérez le CD dans le lecteur et réessayez.</translation>
    </message>
    <message>
        <source>Error: Animation CD Not Found</source>
        <translation>Erreur&#xa0;: CD d’animations introuvable</translation>
    </message>
    <message>
        <source>File copy error</source>
        <translation>Erreur de copie</translation>
    </message>
    <message>
        <source>A fatal error occured while copying files.
No files were copied</source>
        <translation>Une erreur grave est survenue pendant la copie.
Aucun fichier n’a été copié.</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 Mo</translation>
    </message>
    <message>
        <source>Install Animation from Lumaris Animation CD</source>
        <translation>Installer les animations du CD Lumaris</translation>
    </message>
    <message>
        <source>Destination Folder:</source>
        <translation>Dossier de destination&#xa0;:</translation>
    </message>
    <message>
        <source>Free space required for this operation:</source>
        <translation>Espace libre nécessaire&#xa0;:</translation>
    </message>
    <message>
        <source>Space available on selected drive:</source>
        <translation>Espace disponible sur le disque choisi&#xa0;:</translation>
    </message>
    <message>
        <source>??? MB</source>
        <translation>??? Mo</translation>
    </message>
    <message>
        <source>Select New Destination Folder</source>
        <translation>Choisir un autre dossier</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Copy Files</source>
        <translation>Copier les fichiers</translation>
    </message>
    <message>
        <source>Put the Lumaris Animation CD in your CD drive.</source>
        <translation>Insérez le CD d’animations Lumaris dans votre lecteur de CD.</translation>
    </message>
    <message>
        <source>Install Animation CD</source>
        <translation>Installer le CD d’animations</translation>
    </message>
    <message>
        <source>Select Destination Folder for Sprite Files</source>
        <translation>Choisir le dossier des fichiers d’animation</translation>
    </message>
    <message>
        <source>There isn&apos;t enough space on this hard drive
for all the files.  Do you want to continue?</source>
        <translation>Il n’y a pas assez de place sur ce disque
pour tous les fichiers.  Voulez-vous continuer&#xa0;?</translation>
    </message>
    <message>
        <source>Not Enough Free Drive Space</source>
        <translation>Espace disque insuffisant</translation>
    </message>
    <message>
        <source>An error occured while copying files.</source>
        <translation>Une erreur est survenue pendant la copie des fichiers.</translation>
    </message>
    <message>
        <source>CD animation successfully installed.</source>
        <translation>Les animations du CD sont installées.</translation>
    </message>
    <message>
        <source>Install Complete</source>
        <translation>Installation terminée</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>&amp;Restart Pairlet   Ctrl+R, F2</source>
        <translation>&amp;Recommencer   Ctrl+R, F2</translation>
    </message>
    <message>
        <source>&amp;Grid Settings</source>
        <translation>Réglages de la &amp;grille</translation>
    </message>
    <message>
        <source>Enable &amp;Animation    Ctrl+A</source>
        <translation>Activer l’&amp;animation    Ctrl+A</translation>
    </message>
    <message>
        <source>Enable &amp;Sound          Ctrl+S</source>
        <translation>Activer le &amp;son          Ctrl+S</translation>
    </message>
    <message>
        <source>Install Animation CD</source>
        <translation>Installer le CD d’animations</translation>
    </message>
    <message>
        <source>Quit Pairlet</source>
        <translation>Quitter Pairlet</translation>
    </message>
    <message>
        <source>&amp;About Pairlet</source>
        <translation>À &amp;propos de Pairlet</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À pro&amp;pos</translation>
    </message>
    <message>
        <source>Use Installed CD Animation</source>
        <translation>Utiliser les animations du CD installées</translation>
    </message>
    <message>
        <source>Two &amp;Players            Ctrl+T</source>
        <translation>&amp;Deux joueurs            Ctrl+T</translation>
    </message>
    <message>
        <source>Clear &amp;Best Results...</source>
        <translation>Effacer les &amp;meilleurs résultats…</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Missing images in INI file!</source>
        <translation>Il manque des images dans le fichier INI&#xa0;!</translation>
    </message>
    <message>
        <source>INI File Error</source>
        <translation>Erreur du fichier INI</translation>
    </message>
    <message>
        <source>Game Over.  Play Again?</source>
        <translation>Partie terminée.  Rejouer&#xa0;?</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Partie terminée</translation>
    </message>
    <message>
        <source>Forget the best results of every board?</source>
        <translation>Oublier les meilleurs résultats de toutes les grilles&#xa0;?</translation>
    </message>
    <message>
        <source>Clear Best Results</source>
        <translation>Effacer les meilleurs résultats</translation>
    </message>
    <message>
        <source>This program requires a minimum of 32K
desktop colors to function optimally.</source>
        <translation>Ce programme a besoin d’au moins 32K couleurs
à l’écran pour bien fonctionner.</translation>
    </message>
    <message>
        <source>%1 Color Desktop Detected</source>
        <translation>Écran à %1 couleurs détecté</translation>
    </message>
    <message>
        <source>Error loading animation file: %1</source>
        <translation>Erreur au chargement du fichier d’animation&#xa0;: %1</translation>
    </message>
    <message>
        <source>File Error</source>
        <translation>Erreur de fichier</translation>
    </message>
    <message>
        <source>Total tiles must be evenly divisible by %1 for Match %2.  Setting grid to default.</source>
        <translation>Le nombre de tuiles doit être divisible par %1 pour des séries de %2.  La grille reprend sa taille par défaut.</translation>
    </message>
    <message>
        <source>Changing to Default Grid</source>
        <translation>Retour à la grille par défaut</translation>
    </message>
    <message>
        <source>Can&apos;t open file &apos;%1&apos;</source>
        <translation>Impossible d’ouvrir le fichier «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no Pairlet pack: it holds no %2.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un paquet Pairlet&#xa0;: il ne contient pas de %2.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no Pairlet pack: there is no such folder.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un paquet Pairlet&#xa0;: ce dossier n’existe pas.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Copying files…</source>
        <translation>Copie des fichiers…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Copie</translation>
    </message>
    <message>
        <source>Copying %1</source>
        <translation>Copie de %1</translation>
    </message>
</context>
<context>
    <name>Score</name>
    <message>
        <source>Player 1: %1   Player 2: %2   Player %3&apos;s turn</source>
        <translation>Joueur 1&#xa0;: %1   Joueur 2&#xa0;: %2   Au tour du joueur %3</translation>
    </message>
    <message>
        <source>Turns: %1   Time: %2</source>
        <translation>Coups&#xa0;: %1   Temps&#xa0;: %2</translation>
    </message>
    <message>
        <source>Best: none yet</source>
        <translation>Record&#xa0;: aucun pour l’instant</translation>
    </message>
    <message>
        <source>Best: %1 turns, %2</source>
        <translation>Record&#xa0;: %1 coups, %2</translation>
    </message>
    <message>
        <source>New best!</source>
        <translation>Nouveau record&#xa0;!</translation>
    </message>
    <message>
        <source>A draw: %1 each</source>
        <translation>Égalité&#xa0;: %1 chacun</translation>
    </message>
    <message>
        <source>Player %1 wins, %2 to %3</source>
        <translation>Le joueur %1 gagne %2 à %3</translation>
    </message>
    <message numerus="yes">
        <source>%n set(s)</source>
        <translation>
            <numerusform>%n série</numerusform>
            <numerusform>%n séries</numerusform>
        </translation>
    </message>
</context>
</TS>

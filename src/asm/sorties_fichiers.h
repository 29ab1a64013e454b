// Output files of the command-line tools, installed all together or not at all: a failed run
// leaves every existing output as it was, since the simulator may be about to load it. As
// compilers do, an existing special file (a device, a named pipe) is written in place and a
// symbolic link is followed: the node at the path named is never replaced by another.
#ifndef QUORVEL_ASM_SORTIES_FICHIERS_H
#define QUORVEL_ASM_SORTIES_FICHIERS_H

#include <string>
#include <vector>

struct sortie_fichier {
    std::string chemin; // as the user named it, for the messages
    std::string contenu;

    // Set by prepare_sorties.
    std::string cible;      // the file written: chemin, its symbolic links followed
    std::string temporaire; // the new content beside cible, renamed over it at installation
    int descripteur = -1;   // an existing special file, open to be written in place
};

// Gets every output ready: the content written under a temporary name in the folder of each
// regular file (or of one yet to be made), each special file opened. On failure, returns false
// with erreur saying which path and why ("c'est un dossier", "acces refuse"...) and leaves
// nothing behind.
bool prepare_sorties(std::vector<sortie_fichier>& sorties, std::string& erreur);

// Writes the special files, then renames the new files over the old ones. Call it only after
// prepare_sorties has succeeded.
bool installe_sorties(std::vector<sortie_fichier>& sorties, std::string& erreur);

// Whether the two paths name the same file: same device and inode, symbolic links followed, or,
// for files not made yet, the same name in the same folder. "-" is standard input. A character
// device (/dev/null, a terminal) is never the same file as another path: writing to it twice
// destroys nothing.
bool meme_fichier(const std::string& premier, const std::string& second);

#endif

// Inputs of the command-line tools (quorvel-asm, quorvel-run): whatever the user names, read
// whole, with a French reason when it cannot be.
#ifndef QUORVEL_ASM_FICHIERS_H
#define QUORVEL_ASM_FICHIERS_H

#include <cstddef>
#include <string>

// Far more than any source or program file needs; past it an input is refused, so that a
// mistaken /dev/zero or a huge file cannot exhaust the memory.
constexpr size_t TAILLE_ENTREE_MAX = 16 * 1024 * 1024;

// Reads the whole of an input named on a command line: "-" for standard input, or the path of
// any readable file (a regular file, a named pipe, /dev/stdin...), which is read up to its end as
// cat would, blocking on a pipe until it is written and closed. At most TAILLE_ENTREE_MAX bytes.
// On failure returns false, empties contenu and puts a French reason in raison, such as
// "fichier introuvable", "acces refuse", "c'est un dossier" or "trop grand (plus de 16 Mio)",
// for the caller to write after the input's name.
bool lit_entree(const std::string& chemin, std::string& contenu, std::string& raison);

// The French reason for a failed system call's errno: for a read when ecriture is false, for a
// write otherwise (a missing file is then a missing folder).
std::string raison_systeme(int numero, bool ecriture);

#endif

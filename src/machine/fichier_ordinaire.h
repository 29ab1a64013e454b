// Reading a file that the window was asked to open. Only a regular file is ever read: a FIFO or a
// terminal would wait for a writer and a device may never end, and the window must never hang.
#ifndef QUORVEL_FICHIER_ORDINAIRE_H
#define QUORVEL_FICHIER_ORDINAIRE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads at most taille_max bytes of the file into octets; complet is false when the file holds
// more. Returns null, or the reason of a failure as the loader writes it: "fichier introuvable",
// "acces refuse", "c'est un dossier", "ce n'est pas un fichier ordinaire" or "erreur de lecture".
const char* lit_fichier_ordinaire(const std::string& nom_fichier, size_t taille_max,
                                  std::vector<uint8_t>& octets, bool& complet);

#endif

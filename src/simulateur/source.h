// Sources of the assembler opened in the simulator: which file is one, and what assembling it
// gives. No toolkit here.
#ifndef QUORVEL_SOURCE_H
#define QUORVEL_SOURCE_H

#include "programme_source.h"

#include <string>
#include <vector>

// Reads the file (a regular file only, never waiting) and assembles it. The diagnostics name it
// without its folder. False, with the reason, when it cannot be read.
bool assemble_source(const std::string& chemin, source_assemblee& source, std::string& raison);

// What the alert says about a source with errors: the first ten, then how many more.
std::string texte_alerte_assemblage(const std::vector<std::string>& erreurs);

#endif

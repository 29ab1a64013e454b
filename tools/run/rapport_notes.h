// The grading's three reports: text on standard output, a CSV table of points, JUnit XML.
#ifndef QUORVEL_RUN_RAPPORT_NOTES_H
#define QUORVEL_RUN_RAPPORT_NOTES_H

#include "cas.h"
#include "notation.h"

#include <string>
#include <vector>

// Per submission, its points out of the total, then each failed case: what was expected and
// what was obtained, or the assembly's errors.
std::string texte_rapport(const exercice& e, const std::vector<resultat_copie>& copies);

// Header row "copie,points,total,<case>..."; one row per submission, each case's points.
std::string csv_notes(const exercice& e, const std::vector<resultat_copie>& copies);

// One test suite per submission, one test case per case, a failure element per failed case.
std::string junit_notes(const exercice& e, const std::vector<resultat_copie>& copies);

#endif

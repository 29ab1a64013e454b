// The values of quorvel-run's options, read with the one number grammar of nombres_run.h. Each
// reader returns false with the usage message (naming the option) in erreur.
#ifndef QUORVEL_RUN_VALEURS_OPTIONS_H
#define QUORVEL_RUN_VALEURS_OPTIONS_H

#include "etat_final.h"
#include "reglages.h"

#include <string>

// A number no larger than maximum; quoi names the option in the message.
bool lit_valeur(const std::string& quoi, const std::string& texte, uint64_t maximum,
                uint64_t& valeur, std::string& erreur);

// -n N: 1 to BUDGET_MAX.
bool lit_budget(const std::string& texte, uint64_t& budget, std::string& erreur);
// --registre R=V: R is A, X or PC.
bool lit_registre(const std::string& texte, valeur_registre& r, std::string& erreur);
// --memoire ADR=V[,V...]
bool lit_memoire(const std::string& texte, bloc_memoire& b, std::string& erreur);
// --port P=V: a port with input bits; V's output bits are ignored.
bool lit_port(const std::string& texte, valeur_port& p, std::string& erreur);
// --entree K:P=V, K from 1.
bool lit_entree(const std::string& texte, entree_pas& e, std::string& erreur);
// --dump ADR[:LONGUEUR]
bool lit_vidage(const std::string& texte, vidage& v, std::string& erreur);
// --jusqua ADR, or a label (a name as the assembler writes one) resolved once loaded.
bool lit_cible(const std::string& quoi, const std::string& texte, cible_arret& c,
               std::string& erreur);

// The port named by a letter, if it has input bits (for --port, --entree and a case's inputs);
// -1 with the reason.
int port_d_entree(const std::string& lettre, std::string& raison);

#endif

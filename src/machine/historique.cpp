#include "historique.h"

void historique::active(bool oui) {
    actif_ = oui;
    if (!oui) vide();
}

void historique::limite(size_t octets) {
    limite_ = octets;
    reduit();
}

void historique::note_instruction(const mac_interpreteur& inter, const mem_64k& memoire,
                                  const port_machine* ports) {
    instantane e;
    e.debut_journal = debut_ + static_cast<uint32_t>(journal.size());
    e.PC = inter.PC_value();
    e.X = inter.X_value();
    e.A = inter.A_value();
    e.tmpA = inter.tmpA_value();
    e.CCR = inter.CCR_value();
    for (int p = 0; p < NB_PORTS_NOTES; p++) {
        e.valeur[p] = ports[p].valeur;
        e.direction[p] = ports[p].direction;
        e.registre[p] = memoire.read_byte(ports[p].adresse_port_valeur);
    }
    entrees.push_back(e);
    int32_t cellule = inter.cellule_ecrite();
    if (cellule >= 0) {
        uint16_t adresse = static_cast<uint16_t>(cellule);
        journal.push_back(code_cellule(adresse, memoire.read_byte(adresse)));
    }
    if (octets() > limite_) reduit();
}

bool historique::defait(mac_interpreteur& inter, mem_64k& memoire, port_machine* ports) {
    if (entrees.empty()) return false;
    const instantane& e = entrees.back();
    // Newest first, so that a cell written twice gets its oldest value back.
    size_t premier = e.debut_journal - debut_;
    while (journal.size() > premier) {
        uint32_t c = journal.back();
        memoire.write_byte(static_cast<uint16_t>(c >> 8), static_cast<uint8_t>(c));
        journal.pop_back();
    }
    inter.PC = e.PC;
    inter.X = e.X;
    inter.A = e.A;
    inter.tmpA = e.tmpA;
    inter.CCR = e.CCR;
    // Last: these cells were written by the ports after the snapshot, without a journal entry.
    for (int p = 0; p < NB_PORTS_NOTES; p++) {
        ports[p].valeur = e.valeur[p];
        ports[p].direction = e.direction[p];
        memoire.write_byte(ports[p].adresse_port_valeur, e.registre[p]);
    }
    entrees.pop_back();
    return true;
}

void historique::vide() {
    entrees.clear();
    journal.clear();
    debut_ = 0;
}

void historique::reduit() {
    while (octets() > limite_ && !entrees.empty()) {
        entrees.pop_front();
        uint32_t fin = entrees.empty() ? debut_ + static_cast<uint32_t>(journal.size())
                                       : entrees.front().debut_journal;
        size_t n = fin - debut_;
        journal.erase(journal.begin(), journal.begin() + static_cast<std::ptrdiff_t>(n));
        debut_ = fin;
    }
}

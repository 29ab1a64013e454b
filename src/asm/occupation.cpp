#include "occupation.h"

#include <algorithm>
#include <iterator>

bool occupation::chevauchement(long debut, long fin, long& adresse, int& ligne) const {
    auto suivant = blocs_.lower_bound(debut);
    // A block that starts before debut can still run into the range; it comes first.
    if (suivant != blocs_.begin()) {
        auto precedent = std::prev(suivant);
        if (precedent->second.fin > debut) {
            adresse = debut;
            ligne = precedent->second.ligne;
            return true;
        }
    }
    if (suivant == blocs_.end() || suivant->first >= fin) return false;
    adresse = suivant->first;
    ligne = suivant->second.ligne;
    return true;
}

void occupation::prend(long debut, long fin, int ligne) {
    blocs_[debut] = {fin, ligne};
}

long occupation::premiere() const {
    return blocs_.begin()->first;
}

long occupation::derniere() const {
    return blocs_.rbegin()->second.fin - 1;
}

int occupation::ligne_depuis(long adresse) const {
    auto suivant = blocs_.upper_bound(adresse);
    if (suivant != blocs_.begin() && std::prev(suivant)->second.fin > adresse)
        return std::prev(suivant)->second.ligne;
    return suivant == blocs_.end() ? 0 : suivant->second.ligne;
}

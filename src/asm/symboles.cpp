#include "symboles.h"

#include <functional>
#include <string_view>

namespace {

uint32_t empreinte(const std::string& nom) {
    return static_cast<uint32_t>(std::hash<std::string_view>()(nom));
}

uint64_t contenu(uint32_t h, size_t position) {
    return static_cast<uint64_t>(h) << 32 | static_cast<uint32_t>(position + 1);
}

} // namespace

long index_symboles::cherche(const std::vector<symbole_asm>& symboles,
                             const std::string& nom) const {
    if (cases_.empty()) return -1;
    uint32_t h = empreinte(nom);
    size_t masque = cases_.size() - 1;
    for (size_t i = h & masque; cases_[i] != 0; i = (i + 1) & masque) {
        size_t position = static_cast<uint32_t>(cases_[i]) - 1;
        if (cases_[i] >> 32 == h && symboles[position].nom == nom)
            return static_cast<long>(position);
    }
    return -1;
}

void index_symboles::ajoute(const std::vector<symbole_asm>& symboles, size_t position) {
    // At most half full, so that a search meets an empty case soon.
    if (2 * (occupees_ + 1) > cases_.size()) agrandit();
    uint32_t h = empreinte(symboles[position].nom);
    size_t masque = cases_.size() - 1;
    size_t i = h & masque;
    while (cases_[i] != 0) i = (i + 1) & masque;
    cases_[i] = contenu(h, position);
    ++occupees_;
}

void index_symboles::agrandit() {
    std::vector<uint64_t> anciennes(cases_.empty() ? 16 : 2 * cases_.size(), 0);
    anciennes.swap(cases_);
    size_t masque = cases_.size() - 1;
    for (uint64_t c : anciennes) {
        if (c == 0) continue;
        size_t i = static_cast<uint32_t>(c >> 32) & masque;
        while (cases_[i] != 0) i = (i + 1) & masque;
        cases_[i] = c;
    }
}

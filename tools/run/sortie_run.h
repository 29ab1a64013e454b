// Every byte that quorvel-run writes itself goes out through ecrit_sortie, in whole lines: a
// reader that went away (a closed pipe) ends the command quietly with status 1, and no line is
// ever left half-written by a second call.
#ifndef QUORVEL_RUN_SORTIE_H
#define QUORVEL_RUN_SORTIE_H

#include <cstddef>
#include <string>
#include <string_view>

constexpr int SORTIE_ECHEC = 1;

// Writes all of texte (whole lines) or ends the process with status 1.
void ecrit_sortie(int descripteur, std::string_view texte);

// Whole lines gathered and written in large blocks: a trace of a million lines must not cost a
// million system calls.
class tampon_lignes {
  public:
    explicit tampon_lignes(int descripteur, size_t seuil = 1 << 16)
        : descripteur(descripteur), seuil(seuil) {}
    ~tampon_lignes() { vide(); }
    tampon_lignes(const tampon_lignes&) = delete;
    tampon_lignes& operator=(const tampon_lignes&) = delete;

    void ajoute(const char* ligne, size_t longueur) {
        texte.append(ligne, longueur);
        if (texte.size() >= seuil) vide();
    }
    void vide() {
        if (texte.empty()) return;
        ecrit_sortie(descripteur, texte);
        texte.clear();
    }

  private:
    int descripteur;
    size_t seuil;
    std::string texte;
};

#endif

#include "coupure.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/fl_draw.H>

namespace {

// The browser's format codes that start a line: "@" and one letter each.
size_t longueur_codes(const std::string& ligne) {
    size_t n = 0;
    while (n + 1 < ligne.size() && ligne[n] == '@' && ligne[n + 1] != '@' && ligne[n + 1] != '.')
        n += 2;
    return n;
}

// A cut never falls inside a UTF-8 character.
size_t debut_caractere(const std::string& texte, size_t position) {
    while (position > 0 && position < texte.size() && (texte[position] & 0xC0) == 0x80) position--;
    return position;
}

// The longest head of mot that still fits after debut, at least one character.
size_t tete_qui_tient(const std::string& debut, const std::string& mot, int largeur,
                      const mesure_ligne& mesure) {
    size_t n = mot.size();
    while (n > 1 && mesure(debut + mot.substr(0, n)) > largeur) n = debut_caractere(mot, n - 1);
    if (n == 0) n = 1;
    while (n < mot.size() && (mot[n] & 0xC0) == 0x80) n++;
    return n;
}

} // namespace

std::vector<std::string> coupe_ligne(const std::string& ligne, int largeur,
                                     const mesure_ligne& mesure) {
    if (mesure(ligne) <= largeur) return {ligne};
    size_t n_codes = longueur_codes(ligne);
    std::string codes = ligne.substr(0, n_codes);
    std::string texte = ligne.substr(n_codes);
    size_t n_retrait = texte.find_first_not_of(' ');
    if (n_retrait == std::string::npos) return {ligne};
    bool centree = codes.find("@c") != std::string::npos;
    std::string suite = codes + (centree ? "" : texte.substr(0, n_retrait) + "   ");

    std::vector<std::string> lignes;
    std::string courante = codes + texte.substr(0, n_retrait);
    bool vide = true; // no word on courante yet
    size_t i = n_retrait;
    while (i < texte.size()) {
        size_t debut_mot = texte.find_first_not_of(' ', i);
        if (debut_mot == std::string::npos) break;
        size_t fin_mot = texte.find(' ', debut_mot);
        if (fin_mot == std::string::npos) fin_mot = texte.size();
        std::string blancs = texte.substr(i, debut_mot - i);
        std::string mot = texte.substr(debut_mot, fin_mot - debut_mot);
        i = fin_mot;
        if (!vide && mesure(courante + blancs + mot) <= largeur) {
            courante += blancs + mot;
            continue;
        }
        if (!vide) {
            lignes.push_back(courante);
            courante = suite;
        }
        // A word wider than a whole line goes out in pieces.
        while (mesure(courante + mot) > largeur) {
            size_t n = tete_qui_tient(courante, mot, largeur, mesure);
            if (n >= mot.size()) break;
            lignes.push_back(courante + mot.substr(0, n));
            mot = mot.substr(n);
            courante = suite;
        }
        courante += mot;
        vide = false;
    }
    if (!vide) lignes.push_back(courante);
    return lignes;
}

int largeur_ligne(const Fl_Browser* navigateur, const std::string& ligne) {
    // The codes as the browser reads them when it measures a line.
    Fl_Font police = navigateur->textfont();
    Fl_Fontsize taille = navigateur->textsize();
    size_t n_codes = longueur_codes(ligne);
    for (size_t n = 1; n < n_codes; n += 2) {
        switch (ligne[n]) {
        case 'b': police |= FL_BOLD; break;
        case 'i': police |= FL_ITALIC; break;
        case 'f':
        case 't': police = FL_COURIER; break;
        case 'l':
        case 'L': taille = 24; break;
        case 'm':
        case 'M': taille = 18; break;
        case 's': taille = 11; break;
        default: break;
        }
    }
    fl_font(police, taille);
    // The browser draws a line 3 pixels in from each side.
    return static_cast<int>(fl_width(ligne.c_str() + n_codes)) + 6;
}

int largeur_utile(const Fl_Browser* navigateur) {
    int barre = navigateur->scrollbar_size() ? navigateur->scrollbar_size() : Fl::scrollbar_size();
    return navigateur->w() - Fl::box_dw(navigateur->box()) - barre;
}

#include "outils_debogage.h"

#include "stringpp.h"

#include "outils.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Slider.H>
#include <FL/Fl_Window.H>
#include <FL/forms.H>

#include <cstdio>
#include <unistd.h>

const std::vector<uint8_t> COMPTEUR = {0x00, 0x12, 0x00, 0x00, 0x02, 0x00, 0x40, 0x25, 0x01,
                                       0x06, 0x00, 0x40, 0x56, 0xFF, 0xF8, 0x7A, 0xFF, 0xF5};

void charge(simulateur& sim, const std::vector<uint8_t>& fichier) {
    capture_erreur silence;
    sim.session.charge_octets(fichier);
    sim.adr_debut_desassemblage = sim.inter.PC_value();
    sim.sauve_registres();
    sim.rafraichit_desassemble();
    sim.rafraichit_dump(0);
}

etat_session::etat_session(const machine& m)
    : memoire(m.memoire.mem, m.memoire.mem + 65536), PC(m.inter.PC), X(m.inter.X), A(m.inter.A),
      tmpA(m.inter.tmpA), CCR(m.inter.CCR), compteur_pas(m.compteur_pas) {
    for (int p = 0; p < 3; p++) {
        valeur[p] = m.ports[p].valeur;
        direction[p] = m.ports[p].direction;
    }
}

namespace {

std::string difference(const char* nom, unsigned a, unsigned b) {
    char texte[96];
    std::snprintf(texte, sizeof texte, "%s: $%x au lieu de $%x", nom, a, b);
    return texte;
}

} // namespace

std::string ecart(const etat_session& a, const etat_session& b) {
    if (a.PC != b.PC) return difference("PC", a.PC, b.PC);
    if (a.X != b.X) return difference("X", a.X, b.X);
    if (a.A != b.A) return difference("A", a.A, b.A);
    if (a.tmpA != b.tmpA) return difference("tmpA", a.tmpA, b.tmpA);
    if (a.CCR != b.CCR) return difference("CCR", a.CCR, b.CCR);
    for (int p = 0; p < 3; p++) {
        if (a.valeur[p] != b.valeur[p])
            return difference("valeur d'un port", a.valeur[p], b.valeur[p]);
        if (a.direction[p] != b.direction[p])
            return difference("direction d'un port", a.direction[p], b.direction[p]);
    }
    if (a.compteur_pas != b.compteur_pas)
        return difference("compteur_pas", unsigned(a.compteur_pas), unsigned(b.compteur_pas));
    for (uint32_t adr = 0; adr < 65536; adr++)
        if (a.memoire[adr] != b.memoire[adr])
            return difference(("cellule " + std::to_string(adr)).c_str(), a.memoire[adr],
                              b.memoire[adr]);
    return "";
}

namespace {

std::string compare(const std::string& nom, const char* vu, const std::string& attendu) {
    if (vu && attendu == vu) return "";
    return nom + ": \"" + (vu ? vu : "(aucun)") + "\" au lieu de \"" + attendu + "\"";
}

std::string formate(const char* format, unsigned valeur) {
    char texte[32];
    std::snprintf(texte, sizeof texte, format, valeur);
    return texte;
}

} // namespace

std::string ecart_vues(simulateur& sim) {
    const mac_interpreteur& r = sim.inter;
    const SIM_class& f = *sim.SIM;
    const std::string panneau[][3] = {
        {"REG_A_HEX", fl_get_input(f.REG_A_HEX), formate("%2x", r.A_value())},
        {"REG_A_DEC", f.REG_A_DEC->label(), formate("%d", r.A_value())},
        {"REG_CCR_BIN", f.REG_CCR_BIN->label(), bin8toS(r.CCR_value())},
        {"REG_X_HEX", fl_get_input(f.REG_X_HEX), formate("   %4x", r.X_value())},
        {"REG_PC_HEX", fl_get_input(f.REG_PC_HEX), formate("   %4x", r.PC_value())},
        {"REG_PC_DEC", f.REG_PC_DEC->label(), formate("%5d", r.PC_value())},
    };
    for (const auto& p : panneau) {
        std::string e = compare(p[0], p[1].c_str(), p[2]);
        if (!e.empty()) return e;
    }
    int base = static_cast<int>(f.DUMP_SLIDE->value());
    for (int n = 0; n < 12; n++) {
        char ligne[32];
        int a = base + 8 * n;
        const machine& m = sim.session;
        std::snprintf(ligne, sizeof ligne, "%4x %2x %2x %2x %2x %2x %2x %2x %2x", a,
                      m.memoire.read_byte(uint16_t(a)), m.memoire.read_byte(uint16_t(a + 1)),
                      m.memoire.read_byte(uint16_t(a + 2)), m.memoire.read_byte(uint16_t(a + 3)),
                      m.memoire.read_byte(uint16_t(a + 4)), m.memoire.read_byte(uint16_t(a + 5)),
                      m.memoire.read_byte(uint16_t(a + 6)), m.memoire.read_byte(uint16_t(a + 7)));
        std::string e = compare("DUMP" + std::to_string(n + 1), sim.point_dump[n]->label(), ligne);
        if (!e.empty()) return e;
    }
    portparallele* const ports[] = {&sim.portA, &sim.portB, &sim.portC};
    for (int p = 0; p < 3; p++) {
        std::string e = compare("port " + std::to_string(p), ports[p]->obj_port_valeur->label(),
                                bin8toS(ports[p]->valeur));
        if (!e.empty()) return e;
    }
    int lignes_pc = 0;
    for (int y = 0; y < 12; y++) {
        const char* l = sim.point_desa[y]->label();
        if (l && l[1] == '>') lignes_pc += sim.adresses_desa[y] == r.PC_value() ? 1 : 100;
    }
    if (lignes_pc != 1) return "the disassembly does not mark PC's line alone";
    return "";
}

namespace {

void rassemble(Fl_Group* groupe, dialogue& d, Fl_Input*& saisie, Fl_Widget*& valider) {
    for (int i = 0; i < groupe->children(); i++) {
        Fl_Widget* w = groupe->child(i);
        if (w->label()) d.textes += std::string(w->label()) + "\n";
        if (auto s = dynamic_cast<Fl_Input*>(w)) saisie = s;
        if (dynamic_cast<Fl_Return_Button*>(w) && w->visible()) valider = w;
        if (w->as_group()) rassemble(w->as_group(), d, saisie, valider);
    }
}

void repond(void* donnees) {
    dialogue& d = *static_cast<dialogue*>(donnees);
    Fl_Window* modale = Fl::modal();
    if (!modale) {
        Fl::repeat_timeout(0.02, repond, donnees); // not up yet
        return;
    }
    d.vu = true;
    Fl_Input* saisie = nullptr;
    Fl_Widget* valider = nullptr;
    rassemble(modale, d, saisie, valider);
    if (d.reponse && saisie && valider) {
        saisie->value(d.reponse);
        valider->do_callback();
    } else {
        modale->hide();
    }
    if (d.ensuite) repondra(*d.ensuite);
    reveille();
}

} // namespace

void repondra(dialogue& d) {
    Fl::add_timeout(0.05, repond, &d);
}

// The simulator's controller: it builds the machine and its windows, runs the command loop that
// takes one activated widget per pass from the toolkit's object queue, and draws the views.
#ifndef QUORVEL_INTERFACE2_H
#define QUORVEL_INTERFACE2_H

#include "cadence.h"
#include "changements.h"
#include "interface.h"
#include "interpreteur.h"
#include "ligne_commande.h"
#include "machine.h"
#include "memoire.h"
#include "periph.h"
#include "trace_instructions.h"

#include <cstddef>
#include <cstdint>
#include <string>

class simulateur {
  public:
    SIM_class* SIM;
    form_about_class* form_about;
    aide_class* aide;
    Fl_Widget* point_desa[12];
    Fl_Widget* point_dump[12];
    machine session; // the machine itself; the fields below are its parts, as the views name them
    mem_64k& memoire;
    mac_interpreteur& inter;
    portparallele portA;
    portparallele portB;
    portparallele portC;
    portparallele portD;
    portparallele portE;
    uint16_t adr_debut_desassemblage;
    // The command loop's flags, kept here so that one pass can be a function of its own.
    int play;                    // run mode
    int encore;                  // 0: the loop ends after this pass
    int modif_entree;            // a port's input switch was handled in this pass
    changements_vus changements; // what the last instruction changed, for the views
    mode_trace trace;
    std::string programme_initial; // named on the command line; opened by the first pass
    std::string dernier_programme; // the file that Ctrl+R loads again
    std::string programme_charge;  // the file whose program is in memory, canonical; "" if none
    char ligne_trace[TAILLE_LIGNE_TRACE];
    size_t longueur_ligne_trace;
    // The address of each disassembly line as last drawn, for a click that sets a breakpoint.
    uint16_t adresses_desa[12];
    cadence cadence_pas; // run mode's speed

    // Ends the process with status 1 on an -automemlink without a value.
    simulateur(int argc, char** argv);
    ~simulateur();
    simulateur(const simulateur&) = delete;
    simulateur& operator=(const simulateur&) = delete;

    void interprete_commandes();
    // One pass of the loop; 0 when it found nothing to do (no object, not running).
    int passe();
    void execute_un_pas();
    // Which port and bit a widget's button stands for; port -1 for any other widget.
    void bouton_port(Fl_Widget* obj, int& port, int& bit) const;
    void affiche_ports();
    // The Help window, not modal: the loop goes on while it is up.
    void montre_aide();
    void remplit_memoire();
    int interprete_menu_fichier(Fl_Widget* obj);
    // What follows the file chooser: retour is the chosen path, or null when cancelled.
    void charge_programme(const char* retour);
    const char* choisit_programme();
    // K_OUVRIR: the command line's program the first time, then the file chooser.
    void ouvre_programme();
    // K_RECHARGE: the last program again, read afresh.
    void recharge_programme();
    // A source or a program file, then the views; the machine is left as it was on failure.
    void charge_chemin(const std::string& chemin);
    bool charge_binaire(const std::string& chemin);
    bool charge_source(const std::string& chemin);
    // K_ALLER: asks for an address and shows its line in the dump.
    void va_a_adresse();

    // Ends the process with status 2 on a bad --trace; silences the console unless complete.
    void lit_mode_trace(int argc, char** argv);
    // Around each executed instruction: its line in --trace=instructions.
    void commence_ligne_trace();
    void termine_ligne_trace();

    void sauve_registres();
    void charge_registres();
    void rafraichit_desassemble();
    void rafraichit_dump(int dec);
    // The colours of what the last instruction changed; efface_changements forgets it (reset).
    void colore_registres();
    void colore_dump();
    void efface_changements();

    // Debugging: the widgets, the history turned on, the speed.
    void prepare_debogage();
    // B_RETOUR: stops run mode and undoes the last instruction.
    void retour_arriere();
    // After a step: stops run mode on a breakpoint.
    void arret_sur_point();
    void bascule_point(uint16_t adresse);
    // A disassembly line's box: toggles a breakpoint at its address.
    void clic_desassemblage(Fl_Widget* obj);
    void point_sur_pc();
    // K_POINT_ADRESSE: asks for an address or a label.
    void demande_point();
    // What follows the dialog: texte is the answer, or null when cancelled.
    void point_a_adresse(const char* texte);
    void efface_points();
    void choisit_vitesse();
    // Run mode below full speed with no step due: waits for it (or an event); 1 if so.
    int attend_cadence();
    // Test 4's condition: the step button, or run mode when its step is due.
    bool pas_a_faire(Fl_Widget* obj);
};

// Eight characters '0' or '1', bit 7 first, and a NUL: buffer holds at least 9 bytes.
void reg2bin8(unsigned char v, char* buffer);

// The shared-memory identifier given by the last "-automemlink <ident>" of the arguments (0
// without one). Ends the process with status 1, after the usage lines, on an -automemlink that
// is the last argument.
int lit_option_automemlink(int argc, char** argv);

#endif

// Ctrl+G: the dump goes to an address, or to a label of the loaded source.
#include "adresses.h"
#include "console.h"
#include "interface2.h"

#include <FL/Fl_Slider.H>
#include <FL/fl_ask.H>
#include <FL/forms.H>

void simulateur::va_a_adresse() {
    fl_message_title("Aller a");
    const char* texte = fl_input("Adresse a montrer dans le dump ($hexa, decimal ou etiquette) :");
    if (!texte || !*texte) return; // cancelled, or nothing typed
    uint16_t adresse;
    std::string erreur;
    if (!lit_adresse(texte, session.etiquettes, adresse, erreur)) {
        erreur = "aller a: " + erreur;
        console_ligne(erreur);
        fl_alert("%s", erreur.c_str());
        return;
    }
    // The dump starts at the line that holds the address, or shows the last page.
    fl_set_slider_value(SIM->DUMP_SLIDE, adresse);
    rafraichit_dump(0);
}

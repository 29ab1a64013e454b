// The File menu: About, loading a program file, and quitting.
#include "console.h"
#include "interface2.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/forms.H>

int simulateur::interprete_menu_fichier(Fl_Widget* obj) {
    int termine = 0;
    int item = fl_get_menu(obj);
    if (item == 1) {
        // Transient, hence modal: the only objects the wait can get are the About window's own.
        fl_show_form(form_about->form_about, FL_PLACE_MOUSE, FL_TRANSIENT, "Informations");
        do Fl::wait();
        while (!Fl::readqueue());
        fl_hide_form(form_about->form_about);
    } else if (item == 2) {
        charge_programme(fl_show_file_selector("Choisissez un fichier binaire", "", "*.bin", ""));
    } else if (item == 3) {
        termine = 1;
    }
    return termine;
}

void simulateur::charge_programme(const char* retour) {
    if (!retour) {
        console_ligne("chargement abandonne ...");
        return;
    }
    std::string raison;
    if (!session.charge_fichier(retour, raison)) {
        // The memory is kept as it was, and so is the processor.
        fl_show_alert("Erreur: fichier corrompu", "ou fichier binaire non attendu.", raison.c_str(),
                      0);
        return;
    }
    adr_debut_desassemblage = inter.PC_value();
    console_lignef("depart: %d", adr_debut_desassemblage);
    sauve_registres();
    rafraichit_desassemble();
    rafraichit_dump(0);
}

// The File menu: About, opening a program (see chargement.cpp), and quitting.
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
        charge_programme(choisit_programme());
    } else if (item == 3) {
        termine = 1;
    }
    return termine;
}

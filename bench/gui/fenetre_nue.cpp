// The reference for the start-up bench: the least a program with the simulator's window size,
// shown through the Forms layer and run by the same command loop, costs to start.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/forms.H>

int main(int argc, char** argv) {
    fl_initialize(&argc, argv, nullptr, nullptr, 0);
    Fl_Double_Window* fenetre = new Fl_Double_Window(645, 695, "SIM");
    Fl_Button* quitter = new Fl_Button(20, 360, 40, 40, "Quitter");
    fenetre->end();
    fl_show_form(fenetre, FL_PLACE_CENTER | FL_FREE_SIZE, FL_FULLBORDER, "Fenetre nue");

    // The simulator's loop: one check per pass, one queued object, a wait when idle.
    for (;;) {
        Fl::check();
        Fl_Widget* obj = Fl::readqueue();
        if (obj == quitter || obj == fenetre) break;
        if (obj == nullptr) Fl::wait();
    }
    fl_hide_form(fenetre);
    fl_finish();
    return 0;
}

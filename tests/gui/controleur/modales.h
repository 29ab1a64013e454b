// Answering the modal windows that a pass opens (alert, input dialog, file chooser) from inside
// the toolkit's wait, as a person would: look at it, type in it, press one of its buttons.
#ifndef QUORVEL_TESTS_MODALES_H
#define QUORVEL_TESTS_MODALES_H

#include <string>

struct reponse_modale {
    // What to do: the text typed into the window's first input (if not null), then the button
    // pressed, by its label (null: the window is closed).
    const char* saisie = nullptr;
    const char* bouton = nullptr;
    // The window that this answer opens, if any (an alert after an input dialog).
    reponse_modale* suivante = nullptr;
    // What was seen.
    bool vue = false;
    std::string titre;
    std::string textes; // every label in the window, one per line
    int attentes = 0;   // polls so far: a window that never comes is given up after 5 s
};

// The next modal window that shows up gets this answer; r must outlive it.
void repond_a_la_prochaine_modale(reponse_modale& r);

#endif

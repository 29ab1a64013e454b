// The simulator's windows: the main window with every widget that the controller touches, the
// About window and the Help window. They set no callbacks: every activated widget goes to the
// toolkit's object queue, where the command loop finds it.
#ifndef QUORVEL_INTERFACE_H
#define QUORVEL_INTERFACE_H

class Fl_Box;
class Fl_Browser;
class Fl_Button;
class Fl_Choice;
class Fl_Double_Window;
class Fl_Input;
class Fl_Menu_Button;
class Fl_Return_Button;
class Fl_Slider;
class Fl_Widget;

class SIM_class {
  public:
    Fl_Double_Window* SIM;
    Fl_Box* REG_A_DEC;
    Fl_Box* REG_CCR_BIN;
    Fl_Box* REG_X_DEC;
    Fl_Box* REG_PC_DEC;
    Fl_Menu_Button* m_fichier;
    Fl_Box* DESA01;
    Fl_Slider* DUMP_SLIDE;
    Fl_Button* B_STOP;
    Fl_Button* B_PLAY;
    Fl_Button* B_STEP;
    Fl_Button* B_RESET;
    Fl_Box* DESA02;
    Fl_Box* DESA03;
    Fl_Box* DESA04;
    Fl_Box* DESA05;
    Fl_Box* DESA06;
    Fl_Box* DESA07;
    Fl_Box* DESA08;
    Fl_Box* DESA09;
    Fl_Box* DESA10;
    Fl_Box* DESA11;
    Fl_Box* DESA12;
    Fl_Box* DUMP01;
    Fl_Box* DUMP02;
    Fl_Box* DUMP03;
    Fl_Box* DUMP04;
    Fl_Box* DUMP05;
    Fl_Box* DUMP06;
    Fl_Box* DUMP07;
    Fl_Box* DUMP08;
    Fl_Box* DUMP09;
    Fl_Box* DUMP10;
    Fl_Box* DUMP11;
    Fl_Box* DUMP12;
    Fl_Button* DUMP_U;
    Fl_Button* DUMP_D;
    Fl_Button* DESA_U;
    Fl_Button* DESA_D;
    Fl_Button* B_AIDE;
    Fl_Button* DESA_PC;
    Fl_Input* REG_A_HEX;
    Fl_Input* REG_X_HEX;
    Fl_Input* REG_PC_HEX;
    Fl_Input* REG_TMPA_HEX;
    Fl_Box* REG_TMPA_BIN;
    Fl_Box* REG_A_BIN;
    Fl_Box* REG_TMPA_DEC;
    Fl_Input* adresse_select;
    Fl_Input* valeur_select;
    Fl_Input* multiplicateur_select;
    Fl_Return_Button* VALID_MEM;
    // Debugging, added behind the ports: step back, the speed of run mode, and hidden widgets
    // that keys queue (breakpoint at PC, at an address asked for, clear them all).
    Fl_Button* B_RETOUR = nullptr;
    Fl_Choice* VITESSE = nullptr;
    Fl_Button* K_POINT_PC = nullptr;
    Fl_Button* K_POINT_ADRESSE = nullptr;
    Fl_Button* K_EFFACE_POINTS = nullptr;
    // Hidden widgets that stand for keys without a button: a key queues one like a click.
    Fl_Button* K_OUVRIR = nullptr;   // Ctrl+O
    Fl_Button* K_RECHARGE = nullptr; // Ctrl+R
    Fl_Button* K_ALLER = nullptr;    // Ctrl+G

    // Needs the toolkit's Forms layer initialised and no group open; leaves the window hidden.
    SIM_class();
    // Appends the debugging widgets to the window, once the ports have joined it.
    void ajoute_debogage();
};

// The choices of VITESSE, in its order: instructions per second, 0 for no limit.
constexpr int NB_VITESSES = 6;
extern const int vitesses_choix[NB_VITESSES];

class form_about_class {
  public:
    Fl_Double_Window* form_about;

    form_about_class();
};

class aide_class {
  public:
    Fl_Double_Window* aide;
    Fl_Browser* TEXTE_AIDE; // filled when the window is shown (see montre_aide)
    int largeur_texte;      // the width that the text was wrapped to; 0: not filled yet

    aide_class();
    // The window at another width, same height: the text fills it, "Fermer" stays centred under
    // the text at the same distance from the bottom.
    void dispose(int largeur);
};

// The Help window's "Fermer" button (not kept in a field: only the loop needs to recognise it).
Fl_Widget* bouton_fermer_aide(const aide_class& fenetre);

#endif

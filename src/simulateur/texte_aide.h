// The Help window's text: the controls, the memory fill, the program files and the instruction set.
#ifndef QUORVEL_TEXTE_AIDE_H
#define QUORVEL_TEXTE_AIDE_H

class Fl_Browser;

void remplit_texte_aide(Fl_Browser* navigateur);

#endif

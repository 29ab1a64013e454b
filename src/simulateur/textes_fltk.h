// The toolkit's own texts (file chooser, alert and input dialogs) in French, like the rest of the
// program.
#ifndef QUORVEL_TEXTES_FLTK_H
#define QUORVEL_TEXTES_FLTK_H

// Before any dialog is built: the file chooser copies its texts when it is first made.
void textes_fltk_en_francais();

#endif

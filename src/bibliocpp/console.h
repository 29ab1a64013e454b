// Console trace: every progress and diagnostic line of the machine and the window.
//
// Where lines go (one destination at a time; standard error unless told otherwise):
//   console_vers_erreur_standard()  standard error, the same bytes as ever
//   console_vers_fichier(chemin)    a file, created or emptied
//   console_vers_descripteur(fd)    an open descriptor, which the console never closes
//   console_vers_rien()             nowhere: a line then costs no formatting and no system call
// What a line does when its reader is slow or gone:
//   console_mode_outil()    (the default) every line is kept, waiting for the reader as long as
//                           it takes; a closed pipe or socket ends the program at once, quietly,
//                           with exit status 1 (never by SIGPIPE, never in the middle of a line)
//   console_mode_fenetre()  for the window, which must never end or freeze: call it once at the
//                           start. SIGPIPE is then ignored for the whole process. A pipe or
//                           socket that cannot take a line now loses that line, which is counted;
//                           the next line that goes out is preceded by "N lignes de trace
//                           perdues". A closed reader silences the console. A terminal or a file
//                           gets every line, as in the default mode.
// Either way each line leaves in a single write with its line end, so that a reader following the
// trace never sees half a line and a running program pays one system call per line. The console
// belongs to one thread.
#ifndef QUORVEL_CONSOLE_H
#define QUORVEL_CONSOLE_H

#include <string>
#include <string_view>

void console_vers_erreur_standard();
// False when the file cannot be opened for writing (errno says why): the console then keeps its
// destination. A FIFO with no reader is refused (ENXIO) rather than waited for.
bool console_vers_fichier(const std::string& chemin);
void console_vers_descripteur(int descripteur);
void console_vers_rien();

void console_mode_outil();
void console_mode_fenetre();

// The window's --trace=instructions: every console line is dropped before it is built, except
// those given to console_ligne_instruction (a whole line, its line end included), which go to the
// destination under the rules of the mode.
void console_instructions_seules(bool seules);
void console_ligne_instruction(std::string_view ligne);

// Lines lost since the last notice (window mode only).
unsigned long console_lignes_perdues();

// False once nothing can come out (console_vers_rien, or the window's reader has gone): a caller
// can skip building a text that nobody will read. Read on every line: keep it inline.
extern bool console_ouverte;
inline bool console_active() {
    return console_ouverte;
}

// One line and its line end. With standard error in the default mode the line goes through
// std::cerr (then flushed), so that a test can catch it by replacing the stream's buffer.
void console_ligne(std::string_view texte);

// As console_ligne, with printf formatting.
void console_lignef(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A text without a line end, which the next line completes. The window's console keeps it and
// sends it with that line, so that a lost line is never half-written.
void console_texte(std::string_view texte);

#endif

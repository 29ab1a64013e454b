// Writing to a file descriptor without dying of a closed pipe: the rule the console follows, and
// that the command-line tools use for their own outputs (a report, a trace).
#ifndef QUORVEL_ECRITURE_H
#define QUORVEL_ECRITURE_H

#include <csignal>
#include <cstddef>
#include <string_view>

// SIGPIPE is raised in the thread that writes: holding it back there while this lives turns a
// closed reader into EPIPE, without changing the process's disposition.
class sigpipe_retenu {
  public:
    sigpipe_retenu();
    ~sigpipe_retenu();
    sigpipe_retenu(const sigpipe_retenu&) = delete;
    sigpipe_retenu& operator=(const sigpipe_retenu&) = delete;

  private:
    sigset_t ancien;
};

// The tools' end when their reader has gone: exit status 1, no message, no SIGPIPE.
[[noreturn]] void fin_lecteur_parti();

// What is at the other end of a descriptor decides whether a write can block or break.
enum class genre_sortie { ordinaire, tube, prise };
genre_sortie genre_de(int descripteur);

// Writes every byte, waiting as long as the reader needs (also on a descriptor that was made
// non-blocking). When the reader has gone (closed pipe or socket), the program ends at once with
// exit status 1, with no message and never by SIGPIPE; a tool's output then stops at a whole
// buffer or not at all from its reader's point of view. Returns false on any other error (errno
// says which), true once everything is written. Safe whatever SIGPIPE's disposition is.
bool ecrit_tout(int descripteur, const void* donnees, size_t taille);
inline bool ecrit_tout(int descripteur, std::string_view texte) {
    return ecrit_tout(descripteur, texte.data(), texte.size());
}

// A write that must not make the caller wait (the window's console).
enum class ecriture_immediate {
    ecrite,   // every byte went out
    refusee,  // the pipe or socket cannot take it now: nothing was written
    fermee,   // the reader has gone (SIGPIPE must be ignored or blocked by the caller)
    en_erreur // another error; part of the text may have gone out
};
// On a pipe or socket, nothing is written unless poll says it can take data now; once some bytes
// of the text went out, the rest is written even if that means waiting, so that the reader never
// gets half a line. Other descriptors (terminal, file) are written as ecrit_tout does.
ecriture_immediate ecrit_sans_attendre(int descripteur, genre_sortie genre, const char* donnees,
                                       size_t taille);

#endif

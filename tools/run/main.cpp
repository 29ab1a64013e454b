// quorvel-run: runs a program of the accumulator machine without the window, with the window's
// rules, and prints why it stopped and the final state; or grades students' programs against
// the cases of an exercise.
#include "lancement.h"
#include "notation.h"
#include "options.h"
#include "sortie_run.h"

int main(int argc, char** argv) {
    options_run o;
    int statut = lit_options(argc, argv, o);
    if (statut != CONTINUE) return statut;
    return o.correction ? corrige(o) : lance(o);
}

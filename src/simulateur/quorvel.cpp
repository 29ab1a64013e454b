// The simulator program.
#include "console.h"
#include "interface2.h"

int main(int argc, char** argv) {
    // The window must never end or freeze because of where its trace goes.
    console_mode_fenetre();
    simulateur sim(argc, argv);
    sim.interprete_commandes();
    return 0;
}

// The simulator program.
#include "interface2.h"

int main(int argc, char** argv) {
    simulateur sim(argc, argv);
    sim.interprete_commandes();
    return 0;
}

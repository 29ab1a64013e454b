// The pace of run mode at a limited speed: a step is due 1/v s after the previous one, measured
// from when that step really happened, so that a late step is never caught up by a burst.
#ifndef QUORVEL_CADENCE_H
#define QUORVEL_CADENCE_H

#include <chrono>

class cadence {
  public:
    // v instructions per second; 0: no limit, one step per pass.
    void regle(int v) { pas_par_seconde = v; }
    int vitesse() const { return pas_par_seconde; }

    // Seconds until the next step is due; 0 when it is due (always, without a limit).
    double reste(double maintenant) const {
        if (pas_par_seconde == 0 || !deja) return 0;
        double r = dernier + 1.0 / pas_par_seconde - maintenant;
        return r > 0 ? r : 0;
    }
    void note_pas(double maintenant) {
        dernier = maintenant;
        deja = true;
    }

    // Seconds of a steady clock.
    static double horloge() {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

  private:
    int pas_par_seconde = 0;
    bool deja = false; // no step yet: the first one is due at once
    double dernier = 0;
};

#endif

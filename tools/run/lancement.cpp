#include "lancement.h"

#include "console.h"
#include "programme.h"
#include "session_run.h"
#include "sortie_run.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// Labels are known once the source is assembled; a program file has none.
bool resout_arrets(const options_run& o, const programme_lu& p, deroulement_run& d,
                   std::string& erreur) {
    for (const cible_arret& c : o.jusqua) {
        if (c.etiquette.empty()) {
            d.arrets.push_back(c.adresse);
            continue;
        }
        auto trouvee = p.etiquettes.find(c.etiquette);
        if (trouvee == p.etiquettes.end()) {
            erreur = "--jusqua: etiquette inconnue \"" + c.etiquette + "\"" +
                     (p.source ? "" : " (un fichier binaire n'a pas d'etiquettes)");
            return false;
        }
        d.arrets.push_back(trouvee->second);
    }
    return true;
}

int echec(const std::string& message) {
    ecrit_sortie(2, "quorvel-run: " + message + "\n");
    return SORTIE_ECHEC;
}

// Standard error, or the file of --trace-fichier; -1 when it cannot be created.
int ouvre_trace(const options_run& o) {
    if (o.trace) return 2;
    return ::open(o.trace_fichier.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

} // namespace

int lance(const options_run& o) {
    if (!o.console) console_vers_rien();
    programme_lu p;
    lecture_programme lecture = lit_programme(o.fichiers[0], p);
    if (lecture == PROGRAMME_ILLISIBLE)
        return echec("impossible de lire " + p.chemin + ": " + p.raison);
    std::string diagnostics;
    for (const std::string& ligne : p.diagnostics) diagnostics += ligne + "\n";
    ecrit_sortie(2, diagnostics);
    if (lecture == PROGRAMME_ERRONE) return SORTIE_ECHEC;

    std::unique_ptr<machine> m = std::make_unique<machine>();
    if (!charge_programme(*m, p))
        return echec("impossible de charger " + p.chemin + ": fichier vide ou trop court");
    deroulement_run deroulement = o.deroulement;
    std::string erreur;
    if (!resout_arrets(o, p, deroulement, erreur)) return erreur_usage(erreur);
    demarre(*m, o.depart);

    std::unique_ptr<tampon_lignes> trace;
    int descripteur = -1;
    if (o.trace || !o.trace_fichier.empty()) {
        descripteur = ouvre_trace(o);
        if (descripteur < 0)
            return echec("impossible d'ecrire " + o.trace_fichier + ": " + std::strerror(errno));
        trace = std::make_unique<tampon_lignes>(descripteur);
    }
    resultat_execution r = deroule(*m, deroulement, trace.get());
    trace.reset();
    if (descripteur > 2) ::close(descripteur);
    ecrit_sortie(1, o.json ? json_etat(*m, r, o.vidages) : texte_etat(*m, r, o.vidages));
    return r.arret == ARRET_BUDGET ? SORTIE_BUDGET : 0;
}

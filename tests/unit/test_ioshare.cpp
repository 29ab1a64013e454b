// The link is inert: the client reports every input clear, and no operation ever dereferences a
// zone that was never attached.
#include "ioshare.h"

#include <gtest/gtest.h>

#include <climits>
#include <list>
#include <string>

namespace {

TEST(Ioshare, LeClientRepondZeroPourToutIdentifiantEtToutNom) {
    const int identifiants[] = {0, 1, -1, 42, INT_MAX, INT_MIN};
    const std::string noms[] = {"", "PORTA0", "PORTB7", "x"};
    for (int identifiant : identifiants) {
        SCOPED_TRACE(identifiant);
        IOsharemem_client client(identifiant);
        EXPECT_EQ(client.adresse_mem, nullptr);
        EXPECT_EQ(client.local_input, nullptr);
        for (const std::string& nom : noms) {
            client.setreset_output(nom, 1);
            EXPECT_EQ(client.receive(), 0) << nom;
            EXPECT_EQ(client.input_is_set(nom), 0) << nom;
        }
        client.outputs_refresh(); // no zone: must not dereference it
        EXPECT_EQ(client.adresse_mem, nullptr);
    }
}

TEST(Ioshare, LesHorlogesPassentParLaZoneQuandElleExiste) {
    IO_controleur zone{};
    zone.output_clock = 41;
    IOsharemem_client client(7);
    client.adresse_mem = &zone;
    client.outputs_refresh();
    EXPECT_EQ(zone.output_clock, 42);

    std::list<std::string> entrees{"E0"}, sorties{"S0"};
    IOsharemem_server serveur(entrees, sorties);
    EXPECT_EQ(serveur.get_outputs_clock(), 0); // no zone attached
    serveur.adresse_mem = &zone;
    EXPECT_EQ(serveur.get_outputs_clock(), 42);
}

TEST(Ioshare, LeServeurNeFaitRien) {
    std::list<std::string> entrees, sorties;
    IOsharemem_server serveur(entrees, sorties);
    EXPECT_EQ(serveur.adresse_mem, nullptr);
    serveur.inputs_go();
    serveur.setreset_input(3, 1);
    serveur.sharing_terminate();
    EXPECT_EQ(serveur.output_value(0), 0);
    EXPECT_EQ(serveur.output_value(49), 0);
    serveur.shm_ident = 1234;
    EXPECT_EQ(serveur.memory_ident(), 1234);
}

} // namespace

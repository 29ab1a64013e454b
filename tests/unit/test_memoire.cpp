// The memory store: a fresh store, the byte view, and the word view with its rule at $FFFF.
#include "cas_execution.h"

namespace {

TEST(Memoire, UnStockNeufLitFFPartoutEtSesMotsFFFFSaufEnFFFF) {
    machine_test m;
    for (uint32_t a = 0; a < 65536; ++a) {
        uint16_t adresse = static_cast<uint16_t>(a);
        ASSERT_EQ(m.memoire->read_byte(adresse), 0xFF) << hexa(a, 4);
        ASSERT_EQ(m.memoire->read_word(adresse), adresse == 0xFFFF ? 0 : 0xFFFF) << hexa(a, 4);
    }
}

TEST(Memoire, ChaqueOctetSeRelitSansToucherSesVoisins) {
    const uint16_t adresses[] = {0x0000, 0x1004, 0xFFFF};
    for (uint16_t adresse : adresses) {
        SCOPED_TRACE(hexa(adresse, 4));
        machine_test m;
        uint16_t avant = static_cast<uint16_t>(adresse - 1),
                 apres = static_cast<uint16_t>(adresse + 1);
        m.memoire->write_byte(avant, 0x5A);
        m.memoire->write_byte(apres, 0xA5);
        for (int valeur = 0; valeur < 256; ++valeur) {
            m.memoire->write_byte(adresse, static_cast<uint8_t>(valeur));
            ASSERT_EQ(m.memoire->read_byte(adresse), valeur);
            ASSERT_EQ(m.memoire->read_byte(avant), 0x5A) << "value " << valeur;
            ASSERT_EQ(m.memoire->read_byte(apres), 0xA5) << "value " << valeur;
        }
    }
}

TEST(Memoire, LireUnMotAssembleDeuxOctetsPoidsFortDAbord) {
    struct cas {
        const char* nom;
        std::vector<cellule> octets; // on a fresh store
        uint16_t adresse;
        uint16_t mot;
    };
    const cas table[] = {
        {"$1234 at $0010", {{0x0010, 0x12}, {0x0011, 0x34}}, 0x0010, 0x1234},
        {"$FF12 across $000F", {{0x0010, 0x12}, {0x0011, 0x34}}, 0x000F, 0xFF12},
        {"$FFFE takes $FFFE high, $FFFF low", {{0xFFFE, 0xAB}, {0xFFFF, 0xCD}}, 0xFFFE, 0xABCD},
        {"$FFFF is 0, nothing wraps", {{0xFFFF, 0x12}, {0x0000, 0x34}}, 0xFFFF, 0x0000},
        {"$0000", {{0x0000, 0x00}, {0x0001, 0x80}}, 0x0000, 0x0080},
    };
    for (const cas& c : table) {
        SCOPED_TRACE(c.nom);
        machine_test m;
        m.place(c.octets);
        EXPECT_EQ(hexa(m.memoire->read_word(c.adresse), 4), hexa(c.mot, 4));
    }
}

TEST(Memoire, EcrireUnMotRangeDeuxOctetsSaufEnFFFF) {
    struct cas {
        const char* nom;
        uint16_t adresse;
        uint16_t mot;
        std::vector<cellule> changees;
    };
    const cas table[] = {
        {"$ABCD at $2000", 0x2000, 0xABCD, {{0x2000, 0xAB}, {0x2001, 0xCD}}},
        {"$1234 at $FFFE fills the last two cells",
         0xFFFE,
         0x1234,
         {{0xFFFE, 0x12}, {0xFFFF, 0x34}}},
        {"$0000 at $0000", 0x0000, 0x0000, {{0x0000, 0x00}, {0x0001, 0x00}}},
        {"at $FFFF nothing is stored", 0xFFFF, 0x1234, {}},
    };
    for (const cas& c : table) {
        SCOPED_TRACE(c.nom);
        machine_test m;
        std::vector<uint8_t> avant = instantane(*m.memoire);
        m.memoire->write_word(c.adresse, c.mot);
        attend_memoire(*m.memoire, avant, c.changees);
    }
}

} // namespace

// The console trace: each line leaves in one write with its line end, then the stream is flushed,
// whatever the line's length (short lines go through a fixed buffer, long ones do not).
#include "console.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

// Records every write the stream hands down, and every flush.
class flux_espion : public std::streambuf {
  public:
    std::vector<std::string> ecritures;
    std::vector<size_t> vidages; // number of writes seen at each flush

  protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        ecritures.emplace_back(s, static_cast<size_t>(n));
        return n;
    }
    int overflow(int c) override {
        if (c != traits_type::eof()) ecritures.emplace_back(1, static_cast<char>(c));
        return traits_type::not_eof(c);
    }
    int sync() override {
        vidages.push_back(ecritures.size());
        return 0;
    }
};

class espion_console {
  public:
    flux_espion espion;
    std::streambuf* ancien;
    espion_console() : ancien(std::cerr.rdbuf(&espion)) {}
    ~espion_console() { std::cerr.rdbuf(ancien); }
};

// std::cerr is unit-buffered, so the stream may flush more than once; what matters is that it
// flushes, and only once the whole line has been written.
void verifie_vidages(const std::vector<size_t>& vidages) {
    EXPECT_FALSE(vidages.empty()) << "never flushed";
    for (size_t ecritures : vidages) EXPECT_EQ(ecritures, 1u) << "flushed before the write";
}

TEST(Console, ChaqueLignePartEnUneEcritureSuivieDUnVidage) {
    struct cas {
        const char* nom;
        std::string texte;
    };
    const cas table[] = {
        {"empty line", ""},
        {"short line", "c'est parti .."},
        {"255 characters, the most the fixed buffer holds", std::string(255, 'a')},
        {"256 characters", std::string(256, 'b')},
        {"long line", std::string(1000, 'c')},
    };
    for (const cas& c : table) {
        SCOPED_TRACE(c.nom);
        espion_console console;
        console_ligne(c.texte);
        ASSERT_EQ(console.espion.ecritures.size(), 1u);
        EXPECT_EQ(console.espion.ecritures[0], c.texte + "\n");
        verifie_vidages(console.espion.vidages);
    }
}

TEST(Console, LaLigneFormateeEstLaMemeQueSonTexte) {
    struct cas {
        const char* nom;
        int largeur;
        std::string attendu;
    };
    const cas table[] = {
        {"short", 3, "31 NOP ,X"},
        {"255 characters, the most the fixed buffer holds", 249,
         "31 NOP" + std::string(247, ' ') + ",X"},
        {"256 characters", 250, "31 NOP" + std::string(248, ' ') + ",X"},
        {"long", 600, "31 NOP" + std::string(598, ' ') + ",X"},
    };
    for (const cas& c : table) {
        SCOPED_TRACE(c.nom);
        espion_console console;
        console_lignef("%d %s%*s", 31, "NOP", c.largeur, ",X");
        ASSERT_EQ(console.espion.ecritures.size(), 1u);
        EXPECT_EQ(console.espion.ecritures[0], c.attendu + "\n");
        verifie_vidages(console.espion.vidages);
    }
}

} // namespace

// The toolkit writes its preferences under $HOME: each run of the tests gets a HOME of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    char modele[] = "/tmp/quorvel_home_XXXXXX";
    const char* home = mkdtemp(modele);
    if (home) setenv("HOME", home, 1);
    int resultat = RUN_ALL_TESTS();
    if (home) std::filesystem::remove_all(home);
    return resultat;
}

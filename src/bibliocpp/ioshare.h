// The shared-memory link through which the ports would exchange signals with another process.
// Both sides are inert here: no zone is ever attached, every input reads clear.
#ifndef QUORVEL_IOSHARE_H
#define QUORVEL_IOSHARE_H

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>

struct IO_controleur_structure {
    int32_t clock;
    int32_t output_clock;
    int32_t mutex;
    int32_t nb_entrees;
    int32_t nb_sorties;
    int32_t input[50];
    int32_t output[50];
    char nom_input[41][50]; // 41 rows, not 50: the layout the other side expects
    char nom_output[41][50];
};
typedef IO_controleur_structure IO_controleur;

static_assert(sizeof(IO_controleur_structure) == 4520, "the shared zone is 4520 bytes");
static_assert(offsetof(IO_controleur_structure, output_clock) == 4, "zone layout");
static_assert(offsetof(IO_controleur_structure, mutex) == 8, "zone layout");
static_assert(offsetof(IO_controleur_structure, nb_entrees) == 12, "zone layout");
static_assert(offsetof(IO_controleur_structure, nb_sorties) == 16, "zone layout");
static_assert(offsetof(IO_controleur_structure, input) == 20, "zone layout");
static_assert(offsetof(IO_controleur_structure, output) == 220, "zone layout");
static_assert(offsetof(IO_controleur_structure, nom_input) == 420, "zone layout");
static_assert(offsetof(IO_controleur_structure, nom_output) == 2470, "zone layout");

class IOsharemem_client {
  public:
    int nb_inputs;
    int nb_outputs;
    IO_controleur* adresse_mem;
    int* local_input;
    int32_t local_clock;

    explicit IOsharemem_client(int identifiant);
    int receive();
    int input_is_set(const std::string& nom);
    void setreset_output(const std::string& nom, int valeur);
    void outputs_refresh();
};

class IOsharemem_server {
  public:
    int shm_ident;
    IO_controleur* adresse_mem;
    int32_t local_clock;

    IOsharemem_server(std::list<std::string>& noms_entrees, std::list<std::string>& noms_sorties);
    void inputs_go();
    int memory_ident();
    int output_value(int numero);
    int32_t get_outputs_clock();
    void setreset_input(int numero, int valeur);
    void sharing_terminate();
};

#endif

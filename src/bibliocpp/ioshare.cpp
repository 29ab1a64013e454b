#include "ioshare.h"

// The client attaches to nothing; it answers as a link on which no input is ever set.
IOsharemem_client::IOsharemem_client(int)
    : nb_inputs(0), nb_outputs(0), adresse_mem(nullptr), local_input(nullptr), local_clock(0) {}

int IOsharemem_client::receive() {
    return 0;
}

int IOsharemem_client::input_is_set(const std::string&) {
    return 0;
}

void IOsharemem_client::setreset_output(const std::string&, int) {}

void IOsharemem_client::outputs_refresh() {
    if (adresse_mem != nullptr) ++adresse_mem->output_clock;
}

IOsharemem_server::IOsharemem_server(std::list<std::string>&, std::list<std::string>&)
    : shm_ident(0), adresse_mem(nullptr), local_clock(0) {}

void IOsharemem_server::inputs_go() {}

int IOsharemem_server::memory_ident() {
    return shm_ident;
}

int IOsharemem_server::output_value(int) {
    return 0;
}

int32_t IOsharemem_server::get_outputs_clock() {
    return adresse_mem != nullptr ? adresse_mem->output_clock : 0;
}

void IOsharemem_server::setreset_input(int, int) {}

void IOsharemem_server::sharing_terminate() {}

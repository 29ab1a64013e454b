// Everything written to std::cerr while it lives, so that a test can assert the console text
// exactly (and keep the machine's trace out of the test output).
#ifndef QUORVEL_CAPTURE_CONSOLE_H
#define QUORVEL_CAPTURE_CONSOLE_H

#include <iostream>
#include <sstream>
#include <string>

class capture_console {
  public:
    std::ostringstream flux;
    std::streambuf* ancien;

    capture_console() : ancien(std::cerr.rdbuf(flux.rdbuf())) {}
    ~capture_console() { std::cerr.rdbuf(ancien); }
    capture_console(const capture_console&) = delete;
    capture_console& operator=(const capture_console&) = delete;

    std::string texte() const { return flux.str(); }
    void efface() { flux.str(""); }
};

#endif

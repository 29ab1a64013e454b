// A stream buffer that swallows the console trace without a system call per line.
#ifndef QUORVEL_FLUX_NUL_H
#define QUORVEL_FLUX_NUL_H

#include <iostream>
#include <streambuf>

class flux_nul : public std::streambuf {
  protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Sends std::cerr to a flux_nul for the whole run.
inline void console_muette() {
    static flux_nul nul;
    std::cerr.rdbuf(&nul);
}

#endif

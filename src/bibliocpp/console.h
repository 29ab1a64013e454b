// Console trace: every progress and diagnostic line goes to the standard error stream.
#ifndef QUORVEL_CONSOLE_H
#define QUORVEL_CONSOLE_H

#include <string_view>

// False while the console is silenced: callers that build a line test it first, so that a silent
// run pays neither the formatting nor the system call.
extern bool console_muette_active;
inline bool console_active() {
    return !console_muette_active;
}
void console_muette(bool muette);

// Writes one line and its line end to std::cerr, then flushes the stream. The line goes out in a
// single write so that a reader following the trace never sees half a line, and so that a
// running program pays one system call per line.
void console_ligne(std::string_view texte);

// As console_ligne, with printf formatting.
void console_lignef(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif

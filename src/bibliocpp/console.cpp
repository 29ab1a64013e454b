#include "console.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

bool console_muette_active = false;

void console_muette(bool muette) {
    console_muette_active = muette;
}

void console_ligne(std::string_view texte) {
    if (console_muette_active) return;
    char tampon[256];
    if (texte.size() < sizeof tampon) {
        std::memcpy(tampon, texte.data(), texte.size());
        tampon[texte.size()] = '\n';
        std::cerr.write(tampon, static_cast<std::streamsize>(texte.size() + 1));
    } else {
        std::string ligne(texte);
        ligne += '\n';
        std::cerr.write(ligne.data(), static_cast<std::streamsize>(ligne.size()));
    }
    std::cerr.flush();
}

void console_lignef(const char* format, ...) {
    if (console_muette_active) return;
    char tampon[256];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(tampon, sizeof tampon, format, args);
    va_end(args);
    if (n < 0) return;
    if (static_cast<size_t>(n) < sizeof tampon) {
        console_ligne(std::string_view(tampon, static_cast<size_t>(n)));
        return;
    }
    std::string long_texte(static_cast<size_t>(n) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(long_texte.data(), long_texte.size(), format, args);
    va_end(args);
    long_texte.pop_back();
    console_ligne(long_texte);
}

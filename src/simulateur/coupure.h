// Wrapping of the Help text: the toolkit's browser shows each line as it is, so long lines are cut
// here, at spaces, to the browser's width.
#ifndef QUORVEL_COUPURE_H
#define QUORVEL_COUPURE_H

#include <functional>
#include <string>
#include <vector>

class Fl_Browser;

// The width that a whole browser line (its format codes included) takes.
typedef std::function<int(const std::string& ligne)> mesure_ligne;

// Cuts a browser line into lines no wider than largeur, at spaces (a word wider than a line is cut
// between characters). Every piece keeps the line's leading format codes ("@b", "@f"...); the
// continuation pieces are indented three spaces more than the line (centred ones are not).
std::vector<std::string> coupe_ligne(const std::string& ligne, int largeur,
                                     const mesure_ligne& mesure);

// What the browser gives a line: its width as the browser draws it, and the room it has for it
// once its frame and its vertical scroll bar are taken away. Both need the display open.
int largeur_ligne(const Fl_Browser* navigateur, const std::string& ligne);
int largeur_utile(const Fl_Browser* navigateur);

#endif

# Turns the simulator's trace into one line per pass of its command loop, so that a scenario
# can compare what each pass did. A pass that handles something ends with the three ports'
# lines, which are dropped here (and checked). A run of disassembly lines, one drawing of the
# view, becomes "desa S NAME": S the lines of the search for the program counter before the
# twelve drawn lines, NAME the drawing's name in the file of known drawings (else the twelve
# lines themselves). Other lines stay as they are, joined by " / "; a pass with nothing else
# is "-". The folder in a "lecture de" or "assemblage de" line is dropped: the file chooser may
# give either form.
#
#   awk -v dessins=FILE -v saute=N -f resume_trace.awk TRACE
#   (FILE: lines "NAME<tab>drawing", the drawing as this script writes it; N: lines to skip)

BEGIN {
    if (dessins != "") {
        while ((getline ligne < dessins) > 0) {
            i = index(ligne, "\t")
            nom[substr(ligne, i + 1)] = substr(ligne, 1, i - 1)
        }
    }
    n = 0
    nd = 0
}

NR <= saute { next }

/^[0-9]+ [A-Z]/ {
    desa[++nd] = $0
    next
}

{
    fin_dessin()
    if ($0 ~ /^(lecture|assemblage) de "/) gsub(/"[^"]*\//, "\"")
}

/^PortC: ppartage_mem / {
    if (n < 2 || elem[n - 1] != "PortA: ppartage_mem 0" || elem[n] != "PortB: ppartage_mem 0" ||
        $0 != "PortC: ppartage_mem 0") {
        ajoute("BAD PORT LINES: " $0)
        emet()
        next
    }
    n -= 2
    emet()
    next
}

{ ajoute($0) }

END {
    fin_dessin()
    if (n > 0) {
        texte = "UNFINISHED PASS:"
        for (i = 1; i <= n; i++) texte = texte " " elem[i]
        print texte
    }
}

function ajoute(t) { elem[++n] = t }

function fin_dessin(    i, dessin) {
    if (nd == 0) return
    if (nd < 13 || nd > 24) {
        dessin = "BAD DRAWING:"
        for (i = 1; i <= nd; i++) dessin = dessin " " desa[i]
        ajoute(dessin)
    } else {
        dessin = desa[nd - 11]
        for (i = nd - 10; i <= nd; i++) dessin = dessin " | " desa[i]
        if (dessin in nom) dessin = nom[dessin]
        ajoute("desa " (nd - 12) " " dessin)
    }
    nd = 0
}

function emet(    i, texte) {
    if (n == 0) {
        print "-"
    } else {
        texte = elem[1]
        for (i = 2; i <= n; i++) texte = texte " / " elem[i]
        print texte
    }
    n = 0
}

#!/usr/bin/env python3
"""Reads back what quorvel-run wrote, with Python's own parsers, and prints it flat, one
"key=value" line each, for the tests to compare:
    relit.py json|csv|junit FILE
A file that its parser refuses ends with status 1 and the parser's message."""
import csv
import json
import sys
import xml.etree.ElementTree as ET


def entier(valeur, cle):
    # JSON integers only: no strings, no floats, no booleans.
    if type(valeur) is not int:
        raise ValueError(f"{cle}: {valeur!r} n'est pas un entier")
    return str(valeur)


def relit_json(texte):
    objet = json.loads(texte)
    lignes = [f"cles={','.join(objet)}", f"arret={objet['arret']}"]
    for cle in ("pas", "PC", "A", "X", "CCR", "tmpA"):
        lignes.append(f"{cle}={entier(objet[cle], cle)}")
    lignes.append(f"ports.cles={','.join(objet['ports'])}")
    for port, valeur in objet["ports"].items():
        lignes.append(f"ports.{port}={entier(valeur, port)}")
    for n, bloc in enumerate(objet["memoire"]):
        lignes.append(f"memoire[{n}].cles={','.join(bloc)}")
        lignes.append(f"memoire[{n}].adresse={entier(bloc['adresse'], 'adresse')}")
        octets = [entier(o, "octet") for o in bloc["octets"]]
        lignes.append(f"memoire[{n}].octets={','.join(octets)}")
    return lignes


def relit_csv(texte):
    return ["|".join(rangee) for rangee in csv.reader(texte.splitlines())]


def relit_junit(texte):
    racine = ET.fromstring(texte)
    lignes = [f"{racine.tag} tests={racine.get('tests')} failures={racine.get('failures')}"]
    for suite in racine:
        lignes.append(f"{suite.tag} {suite.get('name')} tests={suite.get('tests')} "
                      f"failures={suite.get('failures')}")
        for cas in suite:
            echecs = cas.findall("failure")
            etat = f"failure: {echecs[0].get('message')}" if echecs else "ok"
            lignes.append(f"  {cas.tag} {cas.get('name')}: {etat}")
    return lignes


def main():
    genre, chemin = sys.argv[1], sys.argv[2]
    with open(chemin, encoding="utf-8", newline="") as fichier:
        texte = fichier.read()
    lecteurs = {"json": relit_json, "csv": relit_csv, "junit": relit_junit}
    try:
        lignes = lecteurs[genre](texte)
    except (ValueError, KeyError, ET.ParseError, csv.Error) as erreur:
        print(f"illisible: {erreur}")
        return 1
    print("\n".join(lignes))
    return 0


if __name__ == "__main__":
    sys.exit(main())

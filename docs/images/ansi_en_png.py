#!/usr/bin/python3
"""Turns a terminal screen captured with `tmux capture-pane -p -e` into a PNG image: each
character drawn in a monospaced font with the colours of the ANSI codes that precede it (the
eight standard colours, bold, reset). Usage: ansi_en_png.py CAPTURE.txt IMAGE.png"""
import re
import sys

from PIL import Image, ImageDraw, ImageFont

POLICE = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
POLICE_GRASSE = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf"
TAILLE = 15
# The xterm palette of the eight standard colours, then their bright forms.
COULEURS = [(0, 0, 0), (205, 0, 0), (0, 205, 0), (205, 205, 0),
            (0, 0, 238), (205, 0, 205), (0, 205, 205), (229, 229, 229)]
VIVES = [(127, 127, 127), (255, 0, 0), (0, 255, 0), (255, 255, 0),
         (92, 92, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
TEXTE, FOND = (229, 229, 229), (0, 0, 0)
CODE = re.compile(r"\x1b\[([0-9;]*)m")


def cellules(ligne):
    """The characters of a line with their foreground, background and boldness."""
    avant, arriere, gras = TEXTE, FOND, False
    resultat, position = [], 0
    for m in list(CODE.finditer(ligne)) + [None]:
        fin = m.start() if m else len(ligne)
        resultat += [(c, avant, arriere, gras) for c in ligne[position:fin]]
        if m is None:
            break
        position = m.end()
        for code in [int(c) if c else 0 for c in m.group(1).split(";")]:
            if code == 0:
                avant, arriere, gras = TEXTE, FOND, False
            elif code == 1:
                gras = True
            elif code == 22:
                gras = False
            elif 30 <= code <= 37:
                avant = COULEURS[code - 30]
            elif code == 39:
                avant = TEXTE
            elif 40 <= code <= 47:
                arriere = COULEURS[code - 40]
            elif code == 49:
                arriere = FOND
            elif 90 <= code <= 97:
                avant = VIVES[code - 90]
            elif 100 <= code <= 107:
                arriere = VIVES[code - 100]
    return resultat


def main():
    lignes = open(sys.argv[1], encoding="utf-8", errors="replace").read().split("\n")
    while lignes and not lignes[-1].strip():
        lignes.pop()
    police = ImageFont.truetype(POLICE, TAILLE)
    grasse = ImageFont.truetype(POLICE_GRASSE, TAILLE)
    largeur = int(police.getlength("M") + 0.5)
    hauteur = TAILLE + 4
    grille = [cellules(l) for l in lignes]
    colonnes = max((len(l) for l in grille), default=1)
    image = Image.new("RGB", (colonnes * largeur + 16, len(grille) * hauteur + 16), FOND)
    dessin = ImageDraw.Draw(image)
    for y, ligne in enumerate(grille):
        for x, (c, avant, arriere, gras) in enumerate(ligne):
            gauche, haut = 8 + x * largeur, 8 + y * hauteur
            if arriere != FOND:
                dessin.rectangle([gauche, haut, gauche + largeur - 1, haut + hauteur - 1], fill=arriere)
            if gras and avant in COULEURS:
                avant = VIVES[COULEURS.index(avant)]
            if c != " ":
                dessin.text((gauche, haut + 1), c, font=grasse if gras else police, fill=avant)
    image.save(sys.argv[2])


if __name__ == "__main__":
    main()

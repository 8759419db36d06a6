#!/usr/bin/env bash
# The Debian package: built with CPack from a configured build folder, unpacked in a scratch root
# (no system change, no network), then run from another folder: it must find its help file and
# play a headless run. Usage: tests/paquet.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
construction=$(realpath "${1:-build}")

(cd "$construction" && rm -f pangaeolith_*.deb && cpack -G DEB > cpack.log 2>&1) ||
  { cat "$construction/cpack.log"; exit 1; }
paquet=$(ls "$construction"/pangaeolith_*.deb)
racine=$(mktemp -d)
ailleurs=$(mktemp -d)
trap 'rm -rf "$racine" "$ailleurs"' EXIT
dpkg-deb -x "$paquet" "$racine"
echo "Paquet : $(basename "$paquet")"
dpkg-deb -f "$paquet" Package Version Depends | sed "s/^/  /"; echo

echec() { echo "ECHEC paquet : $*" >&2; exit 1; }
for f in usr/bin/pangaeolith usr/share/pangaeolith/aide.dat usr/share/doc/pangaeolith/README.md; do
  [ -f "$racine/$f" ] || echec "$f absent du paquet"
done
[ -n "$(dpkg-deb -f "$paquet" Depends)" ] || echec "aucune dependance declaree"

cd "$ailleurs"
"$racine/usr/bin/pangaeolith" --seed 5 -q --pas 5 --stats s.csv < /dev/null ||
  echec "--pas 5 a echoue"
[ "$(cut -d, -f1 s.csv | tail -n 1)" = 5 ] || echec "le CSV ne va pas jusqu'au pas 5"
printf 'help\nquit\n' | "$racine/usr/bin/pangaeolith" --seed 5 > aide.txt
grep -q '^Autres commandes:' aide.txt || echec "le programme installe ne trouve pas son fichier d'aide"
grep -q 'ne peut pas être ouvert' aide.txt && echec "fichier d'aide introuvable"

# cmake --install into a prefix of its own: the same three places.
prefixe=$(mktemp -d)
cmake --install "$construction" --prefix "$prefixe" > /dev/null
for f in bin/pangaeolith share/pangaeolith/aide.dat share/doc/pangaeolith/README.md; do
  [ -f "$prefixe/$f" ] || { rm -rf "$prefixe"; echec "cmake --install : $f absent"; }
done
printf 'help\nquit\n' | "$prefixe/bin/pangaeolith" --seed 5 | grep -q '^Autres commandes:' ||
  { rm -rf "$prefixe"; echec "cmake --install : fichier d'aide introuvable"; }
rm -rf "$prefixe"
echo "Paquet installe dans une racine de travail : aide trouvee, --pas 5 joue."

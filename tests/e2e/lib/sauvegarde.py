# sauvegarde.py ENTREE SORTIE BASE CODE: the save ENTREE with the Python statements CODE run on
# it (the document is d, its first tribe with units t, that tribe's first unit u), signed with
# FNV-1a 64 of its canonical text from the offset basis BASE (norme, or ancienne as older saves
# are), written to SORTIE.
import json, sys
entree, sortie, base, code = sys.argv[1:5]
d = json.load(open(entree, encoding="utf-8"))
t = next(x for x in d["tribus"] if x["unites"])
u = t["unites"][0]
exec(code)
canonique = lambda x: json.dumps(x, sort_keys=True, separators=(",", ":"), ensure_ascii=False)
h = {"norme": 14695981039346656037, "ancienne": 1469598103934665603}[base]
for octet in canonique({k: v for k, v in d.items() if k != "empreinte"}).encode("utf-8"):
    h = ((h ^ octet) * 1099511628211) % 2**64
d["empreinte"] = "%016x" % h
open(sortie, "w", encoding="utf-8").write(canonique(d))

// The plan of an experiment: its runs and their order, its columns, the refusals that name their
// field; and the spread the experiment's chart draws.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "observation/courbe.h"
#include "observation/courbe_experience.h"
#include "observation/plan_experience.h"

namespace {

const std::string PLAN = R"({
  "facteurs": [{"parametre": "chance_epidemie", "valeurs": [300, 50]},
               {"parametre": "tribu2_regime", "de": -1, "a": 1, "pas": 2}],
  "repetitions": {"nombre": 3, "premiere_graine": 4294967293},
  "carte": {"colonnes": 50, "lignes": 7}, "tribus": "tirees", "pas": 25,
  "mesures": ["guerres", "habitants"], "releve": {"tous_les": 10}})";

std::string erreur_de(const std::string& texte) {
  plan_experience p;
  p.pas = 99;
  std::string erreur;
  EXPECT_FALSE(lire_plan(texte, p, erreur)) << texte;
  EXPECT_EQ(p.pas, 99) << "plan changé par un refus : " << texte;
  return erreur;
}

}  // namespace

TEST(PlanExperience, EssaisDuPlanCompletDansLOrdreEtColonnes) {
  plan_experience p;
  std::string erreur;
  ASSERT_TRUE(lire_plan(PLAN, p, erreur)) << erreur;
  // -1 (as the tribe set makes it) is taken back by a per-tribe parameter.
  EXPECT_EQ(p.facteurs[1].valeurs, (std::vector<int>{-1, 1}));
  EXPECT_EQ(p.graines, (std::vector<std::uint32_t>{4294967293u, 4294967294u, 4294967295u}));
  EXPECT_TRUE(p.tribus_tirees);
  // The seed varies fastest, then the last factor, then the first.
  EXPECT_EQ(debut_ligne_essai(essai_numero(p, 7)), "7,50,-1,4294967293");
  EXPECT_EQ(debut_ligne_essai(essai_numero(p, 12)), "12,50,1,4294967295");
  const parametres_modele m = modele_essai(p, essai_numero(p, 4));
  EXPECT_EQ(std::tuple(m.chance_epidemie, m.tribus[2].regime, m.croissance),
            std::tuple(300, 1, parametres_modele{}.croissance));
  // Rows every 10 steps from 0, and always the last step.
  EXPECT_EQ(pas_releves(p), (std::vector<std::int64_t>{0, 10, 20, 25}));
  std::string tribus;
  for (int t = 0; t < 9; ++t) tribus += ",habitants_" + std::to_string(t);
  EXPECT_EQ(entete_mesures(p), "essai,chance_epidemie,tribu2_regime,graine,pas,guerres" + tribus);
  EXPECT_EQ(entete_resume(p), entete_mesures(p) + ",guerres_total,habitants_max,pas_habitants_max");
  // Without "releve" the end only.
  ASSERT_TRUE(lire_plan(R"({"facteurs": [{"parametre": "croissance", "valeurs": [150]}],
      "repetitions": {"graines": [1]}, "carte": {"colonnes": 1, "lignes": 1}, "pas": 5})",
                        p, erreur));
  EXPECT_EQ(pas_releves(p), (std::vector<std::int64_t>{5}));
}

TEST(PlanExperience, MemesEssaisMemeTexteCanonique) {
  plan_experience a;
  plan_experience b;
  std::string erreur;
  ASSERT_TRUE(lire_plan(PLAN, a, erreur)) << erreur;
  // The same runs written otherwise: lists spelled out, keys in another order.
  ASSERT_TRUE(lire_plan(R"({"releve": {"tous_les": 10}, "pas": 25, "tribus": "tirees",
      "mesures": ["guerres", "habitants"], "carte": {"lignes": 7, "colonnes": 50},
      "repetitions": {"graines": [4294967293, 4294967294, 4294967295]},
      "facteurs": [{"valeurs": [300, 50], "parametre": "chance_epidemie"},
                   {"parametre": "tribu2_regime", "valeurs": [-1, 1]}]})",
                        b, erreur))
      << erreur;
  EXPECT_EQ(a.canonique, b.canonique);
  // Another order of values is another numbering of the runs.
  ASSERT_TRUE(
      lire_plan(std::string(PLAN).replace(PLAN.find("[300, 50]"), 9, "[50, 300]"), b, erreur));
  EXPECT_NE(a.canonique, b.canonique);
}

TEST(PlanExperience, RefusNommantLeChamp) {
  const std::string B =
      R"("repetitions": {"graines": [1]}, "carte": {"colonnes": 5, "lignes": 5}, "pas": 3)";
  const std::string F = R"("facteurs": [{"parametre": "croissance", "valeurs": [150]}])";
  struct cas {
    std::string texte;
    std::string attendu;
  };
  // One factor with the rest fixed, or the factor fixed with the rest given.
  const auto facteur = [&](const std::string& f) {
    return R"({"facteurs": [)" + f + "], " + B + "}";
  };
  const auto reste = [&](const std::string& r) { return "{" + F + ", " + r + "}"; };
  const std::string CARTE = R"("carte": {"colonnes": 5, "lignes": 5}, "pas": 3)";
  const cas essais[] = {
      {"[1]", "plan : objet JSON attendu"},
      {"{" + B + "}", "plan : clé « facteurs » manquante"},
      {facteur(R"({"parametre": 3, "valeurs": [1]})"),
       "facteurs[0].parametre : nom de paramètre attendu"},
      {facteur(R"({"parametre": "croissance"})"),
       "facteurs[0] : il faut soit « valeurs », soit « de », « a » et « pas »"},
      {facteur(R"({"parametre": "croissance", "de": 200, "a": 150, "pas": 10})"),
       "facteurs[0].a : 150 avant le début 200"},
      {facteur(R"({"parametre": "croissance", "de": 100, "a": 200, "pas": 0})"),
       "facteurs[0].pas : 0 hors de 1..2147483647"},
      {facteur(R"({"parametre": "croissance", "valeurs": [150, 150]})"),
       "facteurs[0].valeurs[1] : valeur 150 répétée"},
      {facteur(R"({"parametre": "croissance", "valeurs": [18446744073709551615]})"),
       "facteurs[0].valeurs[0] : 18446744073709551615 hors de"},
      {facteur(R"({"parametre": "croissance", "de": 0, "a": 2000000000, "pas": 1})"),
       "facteurs[0] : plus de 10000 valeurs"},
      {reste(R"("repetitions": {"nombre": 2, "premiere_graine": 4294967295}, )" + CARTE),
       "repetitions : la dernière graine dépasse 4294967295"},
      {reste(R"("repetitions": {"nombre": 2}, )" + CARTE),
       "repetitions : clé « premiere_graine » manquante"},
      {reste(R"("repetitions": {"graines": [-1]}, )" + CARTE),
       "repetitions.graines[0] : -1 hors de 0..4294967295"},
      {reste(B + R"(, "tribus": "aleatoires")"), "tribus : « fixes » ou « tirees » attendu"},
      {reste(B + R"(, "mesures": ["guerres", "guerres"])"),
       "mesures[1] : mesure « guerres » répétée"},
      {reste(B + R"(, "releve": "debut")"), "releve : « fin » ou"},
      {reste(B + R"(, "description": ")" + std::string(2001, 'x') + "\""),
       "description : texte de 2000 octets au plus attendu"},
      {reste(B + R"(, "pas": 1e400)"), "plan : nombre trop grand pour être lu"},
  };
  for (const cas& e : essais) {
    const std::string erreur = erreur_de(e.texte);
    EXPECT_EQ(erreur.rfind(e.attendu, 0), 0u)
        << "attendu « " << e.attendu << " », obtenu « " << erreur << " »";
  }
  // Factors whose product passes the bound are refused before their runs are counted further.
  std::string gros = R"({"facteurs": [)";
  for (const char* nom : {"croissance", "seuil_milieu", "milieu_autre"})
    gros += std::string(gros.back() == '[' ? "" : ",") + R"({"parametre": ")" + nom +
            R"(", "de": 100, "a": 200, "pas": 1})";
  EXPECT_EQ(erreur_de(gros + "], " + B + "}"), "facteurs : plus de 1000000 essais");
}

TEST(CourbeExperience, MoyenneQuartilesExtremesParValeurDuFacteur) {
  EXPECT_DOUBLE_EQ(quantile({1, 2, 3, 4}, 0.25), 1.75);
  EXPECT_DOUBLE_EQ(quantile({7}, 0.25), 7);
  // Runs 1-3 at x = 10, 4 at x = 20; a run's last row is its largest step, whatever the order.
  const std::string csv =
      "essai,x,graine,pas,vivantes,habitants_0,habitants_3,extinction_0\n"
      "1,10,1,0,9,5,5,\n1,10,1,8,4,100,40,\n"
      "2,10,2,8,2,200,0,3\n2,10,2,0,9,1,1,\n"
      "3,10,3,8,3,600,10,\n"
      "4,20,1,8,1,0,7,5\n";
  contenu_courbe_experience c;
  std::string erreur;
  ASSERT_TRUE(preparer_courbe_experience(csv, "habitants", "x", c, erreur)) << erreur;
  EXPECT_EQ(c.essais, 4);
  EXPECT_EQ(c.pas, 8);
  ASSERT_EQ(c.series.size(), 2u);
  EXPECT_EQ(c.series[1].code, 3);
  EXPECT_EQ(c.series[1].couleur, couleur_tribu(3));
  const point_experience& p = c.series[0].points[0];
  EXPECT_EQ(std::tuple(p.x, p.n, p.moyenne, p.minimum, p.q1, p.q3, p.maximum),
            std::tuple(10, 3, 300.0, 100.0, 150.0, 400.0, 600.0));
  EXPECT_EQ(
      std::tuple(c.series[0].points[1].x, c.ticks_y.back(), c.ticks_x.front(), c.ticks_x.back()),
      std::tuple(20, 600, 10, 20));
  // A metric of the whole world is one series; empty values are left out.
  ASSERT_TRUE(preparer_courbe_experience(csv, "vivantes", "x", c, erreur)) << erreur;
  ASSERT_EQ(c.series.size(), 1u);
  EXPECT_EQ(c.series[0].code, -1);
  ASSERT_TRUE(preparer_courbe_experience(csv, "extinction", "x", c, erreur)) << erreur;
  EXPECT_EQ(c.series[0].points[0].n, 1);
  EXPECT_DOUBLE_EQ(c.series[0].points[0].moyenne, 3);
  // What the file does not hold is refused (the metric's case is checked end to end).
  EXPECT_FALSE(preparer_courbe_experience(csv, "habitants", "graine", c, erreur));
  EXPECT_EQ(erreur, "facteur « graine » absent du fichier (facteurs : x)");
  EXPECT_FALSE(preparer_courbe_experience(csv + "5,10,1\n", "habitants", "x", c, erreur));
  EXPECT_EQ(erreur, "ligne 8 mal formée");
}

// The formatter of frequent lines writes exactly what snprintf writes, and hands back to printf
// every directive it does not know and every text that does not fit.
#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "socle/texte.h"

namespace {

// Runs the formatter into a buffer of `taille` characters; "<refus>" when it hands back.
__attribute__((format(printf, 2, 3))) std::string formater(std::size_t taille, const char* format,
                                                           ...) {
  char tampon[256];
  va_list arguments;
  va_start(arguments, format);
  const int n = formater_texte(tampon, taille, format, arguments);
  va_end(arguments);
  return n < 0 ? "<refus>" : std::string(tampon, static_cast<std::size_t>(n));
}

}  // namespace

TEST(Texte, CommeSnprintfOuRendLaMain) {
  // The extremes of each integer directive (the ordinary lines are pinned by the recorded logs).
  char attendu[256];
  std::snprintf(attendu, sizeof attendu, "%i %u %ld %lld %%", INT_MIN, UINT_MAX, LONG_MIN,
                LLONG_MAX);
  EXPECT_EQ(formater(256, "%i %u %ld %lld %%", INT_MIN, UINT_MAX, LONG_MIN, LLONG_MAX), attendu);
  // Exactly full: accepted; one character short: handed back.
  EXPECT_EQ(formater(4, "abcd"), "abcd");
  EXPECT_EQ(formater(3, "abcd"), "<refus>");
  EXPECT_EQ(formater(4, "%s", "abcde"), "<refus>");
  // Flags, widths, precisions, floats and null pointers are printf's business.
  for (const std::string& r :
       {formater(256, "%2d", 1), formater(256, "%1.1i", 1), formater(256, "c.c=%f", 1.2),
        formater(256, "%p", static_cast<void*>(nullptr))})
    EXPECT_EQ(r, "<refus>");
}

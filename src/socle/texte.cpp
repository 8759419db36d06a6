// A small printf for the common directives; everything it does not know is left to vfprintf.
#include "socle/texte.h"

#include <cstdint>
#include <cstring>

namespace {

// Writes the decimal digits of v (and a leading '-' when negatif) at `sortie`; gives the count.
int ecrire_entier(char* sortie, unsigned long long v, bool negatif) {
  int chiffres = 1;
  for (unsigned long long r = v; r >= 10; r /= 10) ++chiffres;
  if (negatif) *sortie++ = '-';
  for (int i = chiffres - 1; i >= 0; --i) {
    sortie[i] = static_cast<char>('0' + v % 10);
    v /= 10;
  }
  return chiffres + (negatif ? 1 : 0);
}

// The absolute value of a signed integer as unsigned, without overflow for the smallest value.
unsigned long long valeur_absolue(long long v) {
  return v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
}

// Longest text one directive can produce apart from %s: 20 digits and a sign, or "0x" and 16
// hexadecimal digits.
constexpr std::size_t PLUS_LONG_NOMBRE = 24;

}  // namespace

int formater_texte(char* tampon, std::size_t taille, const char* format, va_list arguments) {
  std::size_t n = 0;
  for (const char* p = format; *p != '\0'; ++p) {
    if (*p != '%') {
      // The text up to the next directive, in one copy.
      const char* fin = strchrnul(p, '%');
      const auto l = static_cast<std::size_t>(fin - p);
      if (l > taille - n) return -1;
      std::memcpy(tampon + n, p, l);
      n += l;
      p = fin - 1;
      continue;
    }
    ++p;
    int longs = 0;
    while (*p == 'l' && longs < 2) {
      ++longs;
      ++p;
    }
    if (*p == 's' && longs == 0) {
      const char* s = va_arg(arguments, const char*);
      if (s == nullptr) return -1;
      const std::size_t l = std::strlen(s);
      if (l > taille - n) return -1;
      std::memcpy(tampon + n, s, l);
      n += l;
      continue;
    }
    if (taille - n < PLUS_LONG_NOMBRE) return -1;
    char* sortie = tampon + n;
    switch (*p) {
      case 'd':
      case 'i': {
        const long long v = longs == 0   ? va_arg(arguments, int)
                            : longs == 1 ? va_arg(arguments, long)
                                         : va_arg(arguments, long long);
        n += static_cast<std::size_t>(ecrire_entier(sortie, valeur_absolue(v), v < 0));
        break;
      }
      case 'u': {
        const unsigned long long v = longs == 0   ? va_arg(arguments, unsigned)
                                     : longs == 1 ? va_arg(arguments, unsigned long)
                                                  : va_arg(arguments, unsigned long long);
        n += static_cast<std::size_t>(ecrire_entier(sortie, v, false));
        break;
      }
      case 'c':
        if (longs != 0) return -1;
        tampon[n++] = static_cast<char>(va_arg(arguments, int));
        break;
      case '%':
        if (longs != 0) return -1;
        tampon[n++] = '%';
        break;
      case 'p': {
        // glibc's form: "(nil)" for a null pointer, else 0x and lowercase digits.
        const auto v = reinterpret_cast<std::uintptr_t>(va_arg(arguments, void*));
        if (longs != 0 || v == 0) return -1;
        char chiffres[16];
        int k = 0;
        for (std::uintptr_t r = v; r != 0; r >>= 4) chiffres[k++] = "0123456789abcdef"[r & 15];
        tampon[n++] = '0';
        tampon[n++] = 'x';
        while (k > 0) tampon[n++] = chiffres[--k];
        break;
      }
      default:
        return -1;
    }
  }
  return static_cast<int>(n);
}

// Formatting of the program's frequent lines without printf's parser: the directives the trace
// and log lines use most (%d %i %u %ld %lld %s %c %p %%), written into a caller's buffer.
#pragma once

#include <cstdarg>
#include <cstddef>

// Expands `format` into `tampon` (at most `taille` characters, no terminating zero) and gives
// the length written. Gives -1, with `arguments` left unusable, when the format holds a directive
// with a flag, width or precision or a conversion not listed above, or when the text does not
// fit: the caller then formats the record with vfprintf from its own copy of the arguments.
int formater_texte(char* tampon, std::size_t taille, const char* format, va_list arguments);

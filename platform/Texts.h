#pragma once

#include <initializer_list>
#include <string>

namespace platform {

// The player's language for the texts the program writes itself. The
// English is the source text and the key; where no translation is
// installed, or none is known for a text, the English is shown.
// A translator gives "" for a text it does not know; n is -1 for a text
// without a count.
using Translator = std::string (*)(const char* context, const char* source, const char* disambiguation, int n);
void SetTranslator(Translator translator);
std::string Tr(const char* context, const char* source);
// A text with a count: "%n set(s)" is "1 set", "0 sets" or "2 sets" in
// English, and takes each language's own plural forms where translated.
std::string TrCount(const char* context, const char* source, const char* disambiguation, int n);

// Marks a text kept in a table for translation where it is shown; the
// table keeps the English.
constexpr const char* TrNoop(const char* /*context*/, const char* source) { return source; }

// The text with %1, %2 … replaced by the arguments in order; a number
// without an argument stays as it is.
std::string Arg(const std::string& text, std::initializer_list<std::string> args);

} // namespace platform

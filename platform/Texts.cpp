#include "platform/Texts.h"

#include <vector>

namespace platform {

namespace {
Translator installed = nullptr;
} // namespace

void SetTranslator(Translator translator) { installed = translator; }

std::string Tr(const char* context, const char* source)
{
    std::string translated = installed ? installed(context, source, nullptr, -1) : std::string();
    return translated.empty() ? std::string(source) : translated;
}

std::string TrCount(const char* context, const char* source, const char* disambiguation, int n)
{
    std::string text = installed ? installed(context, source, disambiguation, n) : std::string();
    if (!text.empty()) return text;
    // English, the source: "(s)" is a plural's ending.
    text = source;
    const std::size_t ending = text.find("(s)");
    if (ending != std::string::npos) text.replace(ending, 3, n == 1 ? "" : "s");
    const std::size_t count = text.find("%n");
    if (count != std::string::npos) text.replace(count, 2, std::to_string(n));
    return text;
}

std::string Arg(const std::string& text, std::initializer_list<std::string> args)
{
    const std::vector<std::string> values(args);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t n = i + 1 < text.size() ? std::size_t(text[i + 1] - '0') : 0;
        if (text[i] == '%' && n >= 1 && n <= values.size()) {
            out += values[n - 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace platform

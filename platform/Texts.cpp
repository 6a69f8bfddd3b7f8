#include "platform/Texts.h"

#include <vector>

namespace platform {

namespace {
Translator installed = nullptr;
} // namespace

void SetTranslator(Translator translator) { installed = translator; }

std::string Tr(const char* context, const char* source)
{
    return installed ? installed(context, source) : std::string(source);
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

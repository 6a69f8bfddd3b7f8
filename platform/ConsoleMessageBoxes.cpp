#include "platform/ConsoleMessageBoxes.h"

#include <cctype>

namespace platform {

int ConsoleMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned style)
{
    std::fprintf(out_, "\n[%s] %s\n", caption.c_str(), text.c_str());
    const unsigned type = style & MB_TYPEMASK;
    if (type != MB_YESNO && type != MB_YESNOCANCEL) return IDOK;
    for (;;) {
        std::fprintf(out_, "(y/n) ");
        std::fflush(out_);
        char line[64];
        if (!std::fgets(line, sizeof line, in_)) return type == MB_YESNOCANCEL ? IDCANCEL : IDNO;
        const int c = std::tolower(static_cast<unsigned char>(line[0]));
        if (c == 'y') return IDYES;
        if (c == 'n') return IDNO;
    }
}

} // namespace platform

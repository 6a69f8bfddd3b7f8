// Any bytes as a profile: lookups and an edit must never fail unsafely, and
// the edited text must give back the value just written.
#include "platform/IniText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using platform::IniText;
    const std::string text(reinterpret_cast<const char*>(data), size);
    IniText ini(text);
    (void)ini.Find("Tiles", "TILE01");
    (void)ini.Find("", "");

    // The first line names the section to edit; the file is the rest.
    const std::size_t nl = text.find('\n');
    std::string section = text.substr(0, nl == std::string::npos ? 0 : nl);
    if (section.find_first_of("]\r\n") != std::string::npos || section.find('\0') != std::string::npos) return 0;
    ini.Set(section, "FUZZKEY", "value one");
    const auto found = IniText(ini.Join()).Find(section, "FUZZKEY");
    // Names are matched as written, without their surrounding blanks.
    const bool plainName = !section.empty() && section.front() != ' ' && section.front() != '\t' &&
                           section.back() != ' ' && section.back() != '\t';
    if (plainName && (!found || *found != "value one")) std::abort();
    return 0;
}

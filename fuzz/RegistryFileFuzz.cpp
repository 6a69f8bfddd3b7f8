// Any bytes as a store file: parsing must never fail unsafely, and whatever
// parses must come back unchanged through a save and a second parse.
#include "platform/RegistryFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using platform::RegistryFile;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto keys = RegistryFile::Parse(text);
    if (!keys) return 0;
    const auto again = RegistryFile::Parse(RegistryFile::Serialize(*keys));
    if (!again || again->size() != keys->size()) std::abort();
    for (auto a = keys->begin(), b = again->begin(); a != keys->end(); ++a, ++b) {
        if (a->first != b->first || a->second.size() != b->second.size()) std::abort();
        for (auto va = a->second.begin(), vb = b->second.begin(); va != a->second.end(); ++va, ++vb)
            if (va->first != vb->first || va->second.type != vb->second.type || va->second.bytes != vb->second.bytes)
                std::abort();
    }
    return 0;
}

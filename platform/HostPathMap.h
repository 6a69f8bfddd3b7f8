#pragma once

#include "platform/PathMap.h"

namespace platform {

// Backslashes become slashes. On a case-sensitive file system a name that does
// not exist as written is looked up again folder by folder without regard to
// case, so content files written for Windows find "Bmp/Cat.BMP" as "bmp\cat.bmp".
class HostPathMap : public PathMap {
public:
    std::string Resolve(const std::string& name) const override;
};

} // namespace platform

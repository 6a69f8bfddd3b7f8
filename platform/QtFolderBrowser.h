#pragma once

#include "platform/FolderBrowser.h"

namespace platform {

// Qt's folder dialog over the active window, starting at the desktop folder
// (the home folder when there is none).
class QtFolderBrowser : public FolderBrowser {
public:
    std::optional<std::string> Choose(const std::string& title) override;
};

} // namespace platform

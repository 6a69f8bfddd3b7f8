#pragma once

#include "platform/FolderBrowser.h"

#include <vector>

// Answers with a set choice (none: cancelled) and records the titles.
class ScriptedFolderBrowser : public platform::FolderBrowser {
public:
    std::optional<std::string> Choose(const std::string& title) override
    {
        titles.push_back(title);
        return choice;
    }

    std::optional<std::string> choice;
    std::vector<std::string> titles;
};

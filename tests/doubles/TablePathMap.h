#pragma once

#include "platform/PathMap.h"

#include <map>
#include <string>

// Maps names through a table; names not in it only get their backslashes
// turned into slashes.
class TablePathMap : public platform::PathMap {
public:
    std::string Resolve(const std::string& name) const override
    {
        auto it = table.find(name);
        if (it != table.end()) return it->second;
        std::string path = name;
        for (char& c : path)
            if (c == '\\') c = '/';
        return path;
    }

    std::map<std::string, std::string> table;
};

#pragma once

#include "platform/Profile.h"

#include <map>
#include <string>
#include <strings.h>
#include <utility>

// A profile held in memory, with the lookup rules of the real one.
class MemoryProfile : public platform::Profile {
public:
    void Set(const std::string& section, const std::string& key, const std::string& value)
    {
        values_[{section, key}] = value;
    }
    void Clear() { values_.clear(); }

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override
    {
        ++lookups;
        auto it = values_.find({section, key});
        std::string v = it == values_.end() ? defaultValue : it->second;
        return v.substr(0, MaxValueLength);
    }
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) override
    {
        Set(section, key, value);
        return true;
    }

    mutable int lookups = 0;

private:
    struct NoCase {
        bool operator()(const std::pair<std::string, std::string>& a,
                        const std::pair<std::string, std::string>& b) const
        {
            const int s = ::strcasecmp(a.first.c_str(), b.first.c_str());
            return s != 0 ? s < 0 : ::strcasecmp(a.second.c_str(), b.second.c_str()) < 0;
        }
    };
    std::map<std::pair<std::string, std::string>, std::string, NoCase> values_;
};

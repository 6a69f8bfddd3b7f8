#pragma once

#include "platform/CrtRand.h"

#include <deque>
#include <vector>

// Answers from a script of values, then like the real generator; remembers
// every seed it was given.
class ScriptedRand : public platform::Rand {
public:
    explicit ScriptedRand(std::deque<int> script = {}) : script_(std::move(script)) {}

    void Seed(std::uint32_t seed) override
    {
        seeds.push_back(seed);
        fallback_.Seed(seed);
    }
    int Next() override
    {
        ++draws;
        if (script_.empty()) return fallback_.Next();
        const int v = script_.front();
        script_.pop_front();
        return v;
    }

    std::vector<std::uint32_t> seeds;
    int draws = 0;

private:
    std::deque<int> script_;
    platform::CrtRand fallback_;
};

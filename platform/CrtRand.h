#pragma once

#include "platform/Rand.h"

namespace platform {

// The Microsoft C runtime's linear congruential generator. Deals and sound
// choices depend on its exact sequence, which the C library here does not have.
class CrtRand : public Rand {
public:
    explicit CrtRand(std::uint32_t seed = 1) : state_(seed) {}

    void Seed(std::uint32_t seed) override { state_ = seed; }
    int Next() override;

private:
    std::uint32_t state_;
};

} // namespace platform

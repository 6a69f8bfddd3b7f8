#include "platform/CrtRand.h"

#include <gtest/gtest.h>

// The deals of every saved game depend on this exact sequence.
TEST(CrtRand, ReproducesTheRuntimeSequence)
{
    platform::CrtRand r;
    r.Seed(1);
    EXPECT_EQ(r.Next(), 41);
    EXPECT_EQ(r.Next(), 18467);
    EXPECT_EQ(r.Next(), 6334);
    EXPECT_EQ(r.Next(), 26500);
    EXPECT_EQ(r.Next(), 19169);

    r.Seed(1);
    EXPECT_EQ(r.Next(), 41) << "seeding again restarts the sequence";
}

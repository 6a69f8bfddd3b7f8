#include "platform/DesktopMotion.h"

#include <gtest/gtest.h>

// The environment decides when it says 1 or 0; else GNOME's switch as
// gsettings prints it, else KDE's animation speed of 0.
TEST(DesktopMotion, TheEnvironmentThenGnomeThenKdeDecide)
{
    struct Case {
        const char* environment;
        const char* gnome;
        const char* kde;
        bool reduced;
    };
    const Case cases[] = {
        {nullptr, "", "", false},           {nullptr, "false\n", "", true},  {nullptr, "true\n", "", false},
        {nullptr, "", "0", true},           {nullptr, "", "0.0", true},      {nullptr, "", "0.5", false},
        {nullptr, "true\n", "0", true},     {"1", "true\n", "1", true},      {"0", "false\n", "0", false},
        {"yes", "true\n", "", false},       {"10", "false\n", "", true},     {"", "", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.reduced, platform::ReducesMotion(c.environment, c.gnome, c.kde))
            << (c.environment ? c.environment : "(none)") << " / " << c.gnome << " / " << c.kde;
}

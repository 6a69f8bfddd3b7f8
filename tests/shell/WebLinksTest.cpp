#include "shell/WebLinks.h"

#include "doubles/RecordingLauncher.h"
#include "platform/RegistryFile.h"
#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string Address = "http://www.example.org/Pairlet";
const std::string Lowered = "http://www.example.org/pairlet";

TEST(WebLinks, HandlerCommandsGiveTheProgramAndItsParameters)
{
    struct Case {
        std::string handler, program, parameters;
    };
    const std::vector<Case> cases = {
        {"\"C:\\Program Files\\Web\\Browse.EXE\" -nohome \"%1\"", "\"c:\\program files\\web\\browse.exe",
         " -nohome " + Lowered},
        {"c:\\web\\browse.exe %1", "c:\\web\\browse.exe", "%1 " + Lowered},
        {"c:\\web\\browse.exe", "c:\\web\\browse.exe", Lowered},
        {"\"c:\\web\\browse.exe\"", "\"c:\\web\\browse.exe", Lowered},
        {"c:\\old\\IEXPLORE.EXE -nohome", "iexplore.exe", "-new " + Lowered},
        {"dummy", "iexplore.exe", "-new " + Lowered},
        {"firefox %u", "iexplore.exe", "-new " + Lowered},
    };
    for (const Case& c : cases) {
        const WebCommand command = WebCommandFor(Address, c.handler);
        EXPECT_EQ(command.program, c.program) << c.handler;
        EXPECT_EQ(command.parameters, c.parameters) << c.handler;
    }
    // The address counts from its first "http" on.
    EXPECT_EQ(WebCommandFor("URL: HTTPS://Example.org", "dummy").parameters, "-new https://example.org");
}

TEST(WebLinks, OpensTheRegisteredProgramOrElseTheDefaultBrowserAndKeepsTheSettingsKey)
{
    TempConfigHome config;
    SetSettingsKey("Pairlet", "Software\\Quillory\\Pairlet");
    RecordingLauncher launcher;
    OpenWebPage(Address, launcher);
    EXPECT_EQ(launcher.opened, std::vector<std::string>{Lowered});
    EXPECT_TRUE(launcher.started.empty());

    // A long command is used whole; the opening quotation mark is no part
    // of the program's name.
    const std::string folder(300, 'x');
    platform::RegistryFile(ClassesSettingsFile())
        .SetValue("HTTP\\shell\\open\\command", "",
                  platform::RegistryValue::FromText("\"/opt/" + folder + "/browse.exe\" --new-window \"%1\""));
    OpenWebPage(Address, launcher);
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, "/opt/" + folder + "/browse.exe");
    EXPECT_EQ(launcher.started[0].parameters, " --new-window " + Lowered);
    EXPECT_EQ(SettingsKeyPath(), "Software\\Quillory\\Pairlet");
    EXPECT_EQ(SettingsKeyClass(), "Pairlet");
}

} // namespace

// The About box's web link: the browser command made from the handler the
// system registers for web links, and what is started with it.
#include "shell/WebLinks.h"

#include "doubles/RecordingLauncher.h"
#include "platform/RegistryFile.h"
#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

const std::string Address = "Visit HTTPS://Pairlet.Example.org/Index.HTML";
const std::string Link = "https://pairlet.example.org/index.html";

TEST(WebLinksTest, TheBrowserCommandFollowsTheRegisteredHandler)
{
    struct Case {
        const char* handler;
        std::string program, parameters;
    };
    const std::vector<Case> cases = {
        // The quoted placeholder and all after it give way to the address;
        // the program keeps its opening quotation mark only.
        {R"("C:\Program Files\Web\Browse.EXE" -nohome "%1" -x)", R"("c:\program files\web\browse.exe)",
         " -nohome " + Link},
        // Only the quoted placeholder is one.
        {R"(c:\web\browse.exe %1)", R"(c:\web\browse.exe)", "%1 " + Link},
        {R"(c:\web\browse.exe)", R"(c:\web\browse.exe)", Link},
        {R"(c:\web\browse.exe )", R"(c:\web\browse.exe)", Link},
        {R"(c:\old\IEXPLORE.EXE -nohome)", "iexplore.exe", "-new " + Link},
        {"dummy", "iexplore.exe", "-new " + Link},
        {"/usr/bin/firefox %u", "iexplore.exe", "-new " + Link},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handler);
        const WebCommand command = WebCommandFor(Address, c.handler);
        EXPECT_EQ(c.program, command.program);
        EXPECT_EQ(c.parameters, command.parameters);
    }
}

// A registered program is started without its quotation mark; without
// one, the desktop's browser opens the address. Either way the settings
// key is the game's again afterwards.
TEST(WebLinksTest, OpeningStartsTheHandlerOrTheDesktopsBrowser)
{
    TempConfigHome config;
    SetSettingsKey("Pairlet", "Software\\Quillory\\Pairlet");
    RecordingLauncher launcher;
    OpenWebPage(Address, launcher);
    EXPECT_EQ(std::vector<std::string>{Link}, launcher.opened);
    EXPECT_TRUE(launcher.started.empty());

    platform::RegistryFile classes(ClassesSettingsFile());
    ASSERT_TRUE(classes.SetValue("HTTP\\shell\\open\\command", "",
                                 platform::RegistryValue::FromText(R"("/opt/web/browse.exe" "%1")")));
    OpenWebPage(Address, launcher);
    ASSERT_EQ(1u, launcher.started.size());
    EXPECT_EQ("/opt/web/browse.exe", launcher.started[0].program);
    EXPECT_EQ(" " + Link, launcher.started[0].parameters);
    EXPECT_EQ("Software\\Quillory\\Pairlet", SettingsKeyPath());
    EXPECT_EQ("Pairlet", SettingsKeyClass());
}

} // namespace

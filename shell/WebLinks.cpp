#include "shell/WebLinks.h"

#include "platform/Launcher.h"
#include "shell/SettingsStore.h"

#include <algorithm>
#include <cctype>

namespace {

const std::string DefaultBrowser = "iexplore.exe";
const std::string NewWindowSwitch = "-new ";
const std::string Placeholder = "\"%1\"";
const std::string Program = ".exe";
constexpr std::size_t MaxCommand = 32768;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string HandlerCommand()
{
    const std::string keyClass = SettingsKeyClass(), keyPath = SettingsKeyPath();
    SetSettingsKey(nullptr, "HTTP\\shell\\open\\command");
    // Any length: a program deep in the file system must not be cut short.
    const std::string command = ReadClassesString("", MaxCommand, "dummy");
    SetSettingsKey(keyClass.empty() ? nullptr : keyClass.c_str(), keyPath);
    return command;
}

} // namespace

WebCommand WebCommandFor(const std::string& address, const std::string& handlerCommand)
{
    std::string link = Lower(address);
    link.erase(0, std::min(link.find("http"), link.size()));
    const std::string command = Lower(handlerCommand);
    const std::size_t exe = command.find(Program);
    if (command.find(DefaultBrowser) != std::string::npos || exe == std::string::npos)
        return {DefaultBrowser, NewWindowSwitch + link};

    // The program is cut right after ".exe"; an opening quotation mark stays.
    const std::size_t cut = exe + Program.size();
    WebCommand result{command.substr(0, cut), link};
    if (cut + 1 >= command.size()) return result;
    std::string rest = command.substr(cut + 1);
    const std::size_t placeholder = rest.find(Placeholder);
    if (placeholder != std::string::npos)
        result.parameters = rest.substr(0, placeholder) + link;
    else
        result.parameters = rest + " " + link;
    return result;
}

void OpenWebPage(const std::string& address, platform::Launcher& launcher)
{
    WebCommand command = WebCommandFor(address, HandlerCommand());
    // Where no program of its own is registered, the desktop's default
    // browser stands in for the one named by default.
    if (command.program == DefaultBrowser) {
        launcher.Open(command.parameters.substr(NewWindowSwitch.size()));
        return;
    }
    if (command.program.front() == '"') command.program.erase(0, 1);
    launcher.Start(command.program, command.parameters);
}

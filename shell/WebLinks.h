#pragma once

#include <string>

namespace platform {
class Launcher;
}

// The About box's two ways out of the game: the web page in a browser window
// of its own, and a mail to the maker.
struct WebCommand {
    std::string program;
    std::string parameters;
};

// What opens address in a new browser window, given the command registered
// for web links ("dummy" when there is none). The address is used in lower
// case, from its first "http" on.
WebCommand WebCommandFor(const std::string& address, const std::string& handlerCommand);

// Opens the web page with the registered handler, or, where none names a
// program, with the desktop's default browser.
void OpenWebPage(const std::string& address, platform::Launcher& launcher);

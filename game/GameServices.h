#pragma once

#include <string>

namespace platform {
class Clock;
class FolderBrowser;
class Launcher;
class MessageBoxes;
class PathMap;
class Profile;
class Rand;
class ShellFiles;
class SoundPlayer;
class Volumes;
} // namespace platform

// The platform services the main window works with. The application gives
// the real ones; tests give doubles. None is owned by the window.
struct GameServices {
    platform::MessageBoxes& boxes;
    platform::Rand& rand;
    platform::Clock& clock;
    platform::SoundPlayer& sounds;
    const platform::PathMap& paths;
    // The content file, and the user's system profile (win.ini).
    const platform::Profile& content;
    platform::Profile& systemProfile;
    // Starts the browser and the mail program for the About box.
    platform::Launcher& launcher;
    // What the add-on installer finds discs, folders and copies with.
    const platform::Volumes& volumes;
    platform::FolderBrowser& folderBrowser;
    platform::ShellFiles& shellFiles;
    // Bits per pixel of the screen; 0 asks the screen itself.
    int screenDepth = 0;
    // Whether the desktop asks for less motion: the match animation then
    // starts off until the player switches it on. Asked only while the
    // player has made no choice.
    bool (*reducesMotion)() = nullptr;
};

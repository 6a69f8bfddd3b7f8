#pragma once

#include <string>

namespace platform {

// A content pack: the content file (Pairlet.ini) and the folder the names
// in it are relative to. The two always come from the same place.
struct PackFolder {
    // Where a pack may be, in the order they are tried.
    struct Places {
        std::string argument;  // a folder or content file the user named; empty when none
        std::string current;   // the current folder
        std::string program;   // the program's own folder
        std::string installed; // the installed pack's folder
    };

    // Named: that pack, or a problem naming it. Not named: the current
    // folder's pack, else the one beside the program, else the installed
    // one; with none of them, the program's folder, whose missing content
    // the game reports as it always has.
    static PackFolder Find(const Places& places);
    // Find for the running program: the current folder, the program's own,
    // and the installed pack at installedFromProgram relative to it.
    static PackFolder ForProgram(const std::string& argument, const std::string& installedFromProgram);
    // The folder of the running program ("" when it cannot be told).
    static std::string ProgramFolder();

    std::string folder;
    std::string contentFile;
    std::string problem; // why the named place is no pack; empty when found
};

} // namespace platform

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace platform {

// The whole file, or nothing when it cannot be read or exceeds maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// A number for this file as it is now: the same for every opening of the
// unchanged file, another once it is rewritten or replaced (device, inode,
// size and modification time mixed). 0 when the system cannot tell.
std::uint64_t FileVersion(std::FILE* file);

// Replaces the file with new contents so that readers see either the old or
// the new file, never a part: write a temporary beside it, flush, rename.
// The caller holds the file's FileLock, which makes the temporary its own.
bool ReplaceFile(const std::string& path, const std::string& contents);

// The folder part of a path ("" for a bare name or a file in the root).
std::string FolderOf(const std::string& path);

// Creates the folder and its missing parents; true if it exists afterwards.
bool MakeFolders(const std::string& path);

// The user's folder for programs' configuration: $XDG_CONFIG_HOME, else
// ~/.config.
std::string ConfigHome();

// The folder for this program's configuration files:
// $XDG_CONFIG_HOME/Quillory, else ~/.config/Quillory.
std::string ConfigFolder();

// The user's folder for programs' data: $XDG_DATA_HOME, else ~/.local/share.
std::string DataHome();

} // namespace platform

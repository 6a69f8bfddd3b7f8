#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The whole file, or nothing when it cannot be read or exceeds maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// Replaces the file with new contents so that readers see either the old or
// the new file, never a part: write a temporary beside it, flush, rename.
// The caller holds the file's FileLock, which makes the temporary its own.
bool ReplaceFile(const std::string& path, const std::string& contents);

// The folder part of a path ("" for a bare name or a file in the root).
std::string FolderOf(const std::string& path);

// Creates the folder and its missing parents; true if it exists afterwards.
bool MakeFolders(const std::string& path);

// The folder for this program's configuration files:
// $XDG_CONFIG_HOME/Quillory, else ~/.config/Quillory.
std::string ConfigFolder();

// The user's folder for programs' data: $XDG_DATA_HOME, else ~/.local/share.
std::string DataHome();

} // namespace platform

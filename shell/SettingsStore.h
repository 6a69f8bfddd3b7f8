#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The program's settings: one current key, every call a single read or write
// that goes straight to the store, so a value written anywhere is seen at
// once everywhere, also by another running instance. Failures never reach the
// caller: reads yield the default, writes answer 0.
//
// Off Windows the store is "current-user.reg" (and "classes-root.reg" for the
// file-type branch) in the configuration folder, $XDG_CONFIG_HOME/Quillory.

// windowClass names the class string given to keys created from now on
// (nullptr: none); at most 39 characters of it are kept.
void SetSettingsKey(const char* windowClass, const std::string& keyPath);

// The stored value if it has at most 4 bytes, whatever its type (a string of
// up to three characters reads as the number made of its bytes), else def.
std::int32_t ReadNumber(const std::string& valueName, std::int32_t def);
int WriteNumber(const std::string& valueName, std::int32_t number);

// The stored value if it fits in destSize bytes with its terminating zero,
// else def cut to destSize - 1 bytes.
std::string ReadString(const std::string& valueName, std::size_t destSize, const std::string& def);
std::string ReadClassesString(const std::string& valueName, std::size_t destSize, const std::string& def);
int WriteString(const std::string& valueName, const std::string& text);

// What SetSettingsKey last set, for the parts that restore it.
const std::string& SettingsKeyPath();
const std::string& SettingsKeyClass();

// The files behind the two roots.
std::string UserSettingsFile();
std::string ClassesSettingsFile();

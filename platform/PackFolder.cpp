#include "platform/PackFolder.h"

#include "platform/Texts.h"

#include <filesystem>
#include <system_error>

namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr const char* ContentName = "Pairlet.ini";

bool HoldsPack(const std::string& folder)
{
    std::error_code ignored;
    return !folder.empty() && fs::is_regular_file(fs::path(folder) / ContentName, ignored);
}

PackFolder PackIn(const fs::path& folder, const fs::path& contentFile)
{
    std::error_code ignored;
    fs::path absolute = fs::absolute(folder, ignored).lexically_normal();
    if (absolute.has_relative_path() && absolute.filename().empty()) absolute = absolute.parent_path(); // "a/b/"
    return {absolute.string(), (absolute / contentFile.filename()).string(), ""};
}

PackFolder Named(const std::string& argument)
{
    std::error_code ignored;
    const fs::path path(argument);
    if (fs::is_directory(path, ignored)) {
        if (HoldsPack(argument)) return PackIn(path, ContentName);
        return {"", "", Arg(Tr("Messages", "'%1' is no Pairlet pack: it holds no %2."), {argument, ContentName})};
    }
    // A content file of any name: its folder holds what it names.
    if (fs::is_regular_file(path, ignored)) return PackIn(fs::absolute(path, ignored).parent_path(), path);
    return {"", "", Arg(Tr("Messages", "'%1' is no Pairlet pack: there is no such folder."), {argument})};
}

} // namespace

PackFolder PackFolder::Find(const Places& places)
{
    if (!places.argument.empty()) return Named(places.argument);
    for (const std::string* folder : {&places.current, &places.program, &places.installed})
        if (HoldsPack(*folder)) return PackIn(*folder, ContentName);
    return PackIn(places.program.empty() ? places.current : places.program, ContentName);
}

PackFolder PackFolder::ForProgram(const std::string& argument, const std::string& installedFromProgram)
{
    const std::string program = ProgramFolder();
    std::error_code ignored;
    const std::string current = fs::current_path(ignored).string();
    return Find({argument, current, program, program.empty() ? "" : program + "/" + installedFromProgram});
}

std::string PackFolder::ProgramFolder()
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? "" : self.parent_path().string();
}

} // namespace platform

// Every settings read goes to the store file. This measures what one
// ReadNumber costs against the floor of reading the same file's bytes.
#include "platform/FileUtil.h"
#include "shell/SettingsStore.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

template <typename Body> double MicrosecondsPerCall(int calls, Body body)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) body(i);
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / calls;
}

} // namespace

int main()
{
    std::string folder = (std::filesystem::temp_directory_path() / "pairlet-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) return 1;
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    SetSettingsKey("CGameWnd", "Software\\Quillory\\Pairlet");
    for (const char* name : {"animation", "sound", "use_cd_anim", "rows", "columns", "match", "split"})
        WriteNumber(name, 1);
    WriteString("cd_anim_dir", "/home/player/animations/");

    constexpr int Calls = 20000;
    volatile long sink = 0;
    const double read = MicrosecondsPerCall(Calls, [&](int) { sink = sink + ReadNumber("rows", 6); });
    const double floor = MicrosecondsPerCall(Calls, [&](int) {
        sink = sink + static_cast<long>(platform::ReadWholeFile(UserSettingsFile(), 1 << 20)->size());
    });
    const double write = MicrosecondsPerCall(200, [&](int i) { WriteNumber("rows", 4 + i % 4); });

    std::printf("settings store: ReadNumber %.2f us, plain file read %.2f us, ratio %.2f; WriteNumber %.1f us\n",
                read, floor, read / floor, write);
    std::filesystem::remove_all(folder);
    return 0;
}

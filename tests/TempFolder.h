#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pairlet-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    std::string Write(const std::string& name, const std::string& contents) const
    {
        const std::string file = *this / name;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::ofstream(file, std::ios::binary) << contents;
        return file;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(*this / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};

// Points one of the user's folders (an XDG variable) at a temporary one for
// a test's lifetime.
class TempHome {
public:
    explicit TempHome(std::string variable) : variable_(std::move(variable))
    {
        const char* old = std::getenv(variable_.c_str());
        if (old) saved_ = old, hadOld_ = true;
        ::setenv(variable_.c_str(), folder_.Path().c_str(), 1);
    }
    ~TempHome()
    {
        if (hadOld_) ::setenv(variable_.c_str(), saved_.c_str(), 1);
        else ::unsetenv(variable_.c_str());
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    const TempFolder& Folder() const { return folder_; }

private:
    std::string variable_;
    TempFolder folder_;
    std::string saved_;
    bool hadOld_ = false;
};

// The configuration folder, where the settings store lives.
class TempConfigHome : public TempHome {
public:
    TempConfigHome() : TempHome("XDG_CONFIG_HOME") {}
};

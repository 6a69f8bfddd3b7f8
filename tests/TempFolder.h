#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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

// Works in another folder for the lifetime of the object.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& path) : saved_(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~CurrentFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(saved_, ignored);
    }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::filesystem::path saved_;
};

// Points the configuration folder at a temporary one for a test's lifetime.
class TempConfigHome {
public:
    TempConfigHome()
    {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old) saved_ = old, hadOld_ = true;
        ::setenv("XDG_CONFIG_HOME", folder_.Path().c_str(), 1);
    }
    ~TempConfigHome()
    {
        if (hadOld_) ::setenv("XDG_CONFIG_HOME", saved_.c_str(), 1);
        else ::unsetenv("XDG_CONFIG_HOME");
    }
    const TempFolder& Folder() const { return folder_; }

private:
    TempFolder folder_;
    std::string saved_;
    bool hadOld_ = false;
};

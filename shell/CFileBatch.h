#pragma once

#include "platform/ShellFiles.h"

#include <string>
#include <vector>

// One run of the desktop's file operation: collects source and destination
// names, checks that they make sense together, and runs the operation once.
class CFileBatch {
public:
    // How the operation behaves; each switch is one of the operation's flags.
    struct Switches {
        bool silent = false;
        bool allowUndo = false;
        bool filesOnly = false;
        bool noConfirmation = false;
        bool noConfirmMkdir = false;
        bool renameOnCollision = false;
        bool simpleProgress = false;
    };

    explicit CFileBatch(platform::ShellFiles& files) : files_(files) {}

    int AddSource(const std::string& name);
    int AddDestination(const std::string& name);
    void SetOperation(unsigned function, const Switches& switches);
    // 1 only when the operation was called and answered 0. started tells
    // whether it was called at all: a batch that makes no sense never is.
    int Run(bool& started, int& result, bool& anyAborted);

private:
    bool MakesSense() const;
    static std::string ZeroList(const std::vector<std::string>& names);

    platform::ShellFiles& files_;
    bool configured_ = false;
    std::vector<std::string> sources_, destinations_;
    platform::FileOperation operation_;
};

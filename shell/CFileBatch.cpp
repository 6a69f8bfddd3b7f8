#include "shell/CFileBatch.h"

using namespace platform;

int CFileBatch::AddSource(const std::string& name)
{
    sources_.push_back(name);
    return 1;
}

int CFileBatch::AddDestination(const std::string& name)
{
    destinations_.push_back(name);
    return 1;
}

void CFileBatch::SetOperation(unsigned function, const Switches& switches)
{
    operation_.function = function;
    const std::pair<bool, unsigned> bits[] = {
        {switches.silent, FOF_SILENT},
        {switches.allowUndo, FOF_ALLOWUNDO},
        {switches.filesOnly, FOF_FILESONLY},
        {switches.noConfirmation, FOF_NOCONFIRMATION},
        {switches.noConfirmMkdir, FOF_NOCONFIRMMKDIR},
        {switches.renameOnCollision, FOF_RENAMEONCOLLISION},
        {switches.simpleProgress, FOF_SIMPLEPROGRESS},
    };
    operation_.flags = 0;
    for (const auto& [on, bit] : bits)
        if (on) operation_.flags |= bit;
    configured_ = true;
}

bool CFileBatch::MakesSense() const
{
    const unsigned f = operation_.function;
    if (!configured_ || f < FO_MOVE || f > FO_RENAME || sources_.empty()) return false;
    if (f == FO_DELETE) return true;
    return destinations_.size() == 1 || (!destinations_.empty() && destinations_.size() == sources_.size());
}

// Every name ends with a zero, and one more zero ends the list.
std::string CFileBatch::ZeroList(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names) {
        list += name;
        list += '\0';
    }
    list += '\0';
    return list;
}

int CFileBatch::Run(bool& started, int& result, bool& anyAborted)
{
    started = false;
    if (!MakesSense()) return 0;
    FileOperation operation = operation_;
    operation.from = ZeroList(sources_);
    if (operation.function != FO_DELETE) operation.to = ZeroList(destinations_);
    if (destinations_.size() > 1) operation.flags |= FOF_MULTIDESTFILES;
    started = true;
    result = files_.Run(operation);
    anyAborted = operation.anyOperationsAborted;
    return result == 0 ? 1 : 0;
}

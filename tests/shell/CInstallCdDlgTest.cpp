// The add-on installer offscreen, with doubles for the disc, the folder
// browser and the copy, and a settings store in a temporary folder.
#include "shell/CInstallCdDlg.h"

#include "doubles/FakeVolumes.h"
#include "doubles/RecordingShellFiles.h"
#include "doubles/ScriptedFolderBrowser.h"
#include "doubles/ScriptedMessageBoxes.h"
#include "resources/CommandIds.h"
#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <QLineEdit>

#include <gtest/gtest.h>

using namespace platform;
using Texts = std::vector<std::string>;

namespace {

constexpr std::uint64_t MB = 1048576;
const std::string Space = "There isn't enough space on this hard drive\nfor all the files.  Do you want to continue?",
                  Fatal = "A fatal error occured while copying files.\nNo files were copied",
                  Failed = "An error occured while copying files.", Success = "CD animation successfully installed.";

class CInstallCdDlgTest : public ::testing::Test {
public:
    void SetUp() override
    {
        SetSettingsKey("Pairlet", "Software\\Quillory\\Pairlet");
        volumes.volumes = {{"/", ""}, {"/media/cd/", "LUMARIS_1"}};
    }
    std::unique_ptr<CInstallCdDlg> Open()
    {
        boxes.shown.clear();
        return std::make_unique<CInstallCdDlg>(
            nullptr, CInstallCdDlg::Services{boxes, volumes, folders, files, [this](int id) { posted.push_back(id); }},
            memory);
    }
    // Types the folder if one is given and presses Copy Files. Returns how
    // the dialog ended itself, or 0 if it stayed open (it is then cancelled).
    static int CopyFiles(CInstallCdDlg& d, std::optional<std::string> typed = {})
    {
        if (typed) static_cast<QLineEdit*>(d.Control(CInstallCdDlg::IDC_DESTINATION))->setText(QString::fromStdString(*typed));
        bool open = false;
        QMetaObject::invokeMethod(&d, [&d, &open] {
            d.OnCommand(CInstallCdDlg::IDC_COPY_FILES);
            QMetaObject::invokeMethod(&d, [&d, &open] {
                open = d.isVisible();
                d.PostCommand(CInstallCdDlg::IDCANCEL);
            }, Qt::QueuedConnection);
        }, Qt::QueuedConnection);
        const int result = d.exec();
        return open ? 0 : result;
    }
    std::string Proposed() const { return data.Folder().Path() + "/Quillory/Pairlet/AnimCD"; }

    TempConfigHome config;
    TempHome data{"XDG_DATA_HOME"};
    ScriptedMessageBoxes boxes;
    FakeVolumes volumes;
    ScriptedFolderBrowser folders;
    RecordingShellFiles files;
    CInstallCdDlg::Memory memory;
    std::vector<int> posted;
};

TEST_F(CInstallCdDlgTest, CopyFilesAsksWhenSpaceIsShortRefusesUnreadableFoldersAndRecordsOnlyWholeCopies)
{
    struct Case {
        std::uint64_t freeMb;
        int answer;
        std::optional<std::string> typed;
        int result;
        Texts texts;
        int ends;
    };
    const std::string longest = "/" + std::string(258, 'a'); // 260 with its separator
    const std::vector<Case> cases = {
        {117, 0, {}, 0, {Success}, IDOK},
        {116, IDOK, {}, 0, {Space, Success}, IDOK},
        {116, IDCANCEL, {}, 0, {Space}, 0}, // the player may choose another folder
        // A failed or cancelled copy records nothing and switches nothing.
        {500, 0, {}, FILE_ERROR_NOT_FOUND, {Failed}, IDCANCEL},
        {500, 0, {}, FILE_ERROR_CANCELLED, {Failed}, IDCANCEL},
        {500, 0, "", 0, {Fatal}, IDCANCEL},
        {500, 0, longest + "b", 0, {Fatal}, IDCANCEL},
        {500, 0, longest, 0, {Success}, IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.freeMb << " MB, answer " << c.answer << ", result " << c.result);
        TempConfigHome fresh;
        files = {};
        posted.clear();
        files.result = c.result;
        volumes.freeBytes = {{Proposed(), c.freeMb * MB}};
        if (c.answer) boxes.answers = {c.answer};
        auto d = Open();
        EXPECT_EQ(c.ends, CopyFiles(*d, c.typed));
        EXPECT_EQ(boxes.Texts(), c.texts);
        const bool copied = c.texts.back() == Success;
        EXPECT_EQ(copied || c.texts.back() == Failed ? 1u : 0u, files.runs.size());
        EXPECT_EQ(posted, copied ? std::vector<int>{ID_CD_ANIM_INSTALLED} : std::vector<int>{});
        const std::string folder = c.typed.value_or(Proposed()) + "/";
        EXPECT_EQ(copied ? folder : "none", ReadString("cd_anim_dir", 300, "none"));
        if (!copied) continue;
        EXPECT_EQ(unsigned(FO_COPY), files.runs[0].function);
        EXPECT_EQ(std::string("/media/cd/FLC/*.flc\0\0", 21), files.runs[0].from);
        EXPECT_EQ(folder + std::string(2, '\0'), files.runs[0].to);
        EXPECT_EQ(unsigned(FOF_FILESONLY | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SIMPLEPROGRESS), files.runs[0].flags);
        EXPECT_EQ(c.texts.size() == 2 ? (c.answer ? MB_OKCANCEL : MB_ICONEXCLAMATION | MB_OK) : MB_OK, boxes.shown[0].style);
    }
}

// Browsing: a chosen folder replaces the proposal with its free space,
// which the copy then goes by; a cancelled choice changes nothing.
TEST_F(CInstallCdDlgTest, AFolderChosenByBrowsingShowsItsSpaceAndIsWhereTheFilesGo)
{
    volumes.freeBytes = {{Proposed(), 500 * MB}, {"/mine", 40 * MB}};
    auto d = Open();
    auto text = [&d](int id) { return d->Control(id)->property("text").toString().toStdString(); };
    EXPECT_EQ("500 MB", text(CInstallCdDlg::IDC_SPACE_AVAILABLE));
    d->OnCommand(CInstallCdDlg::IDC_SELECT_FOLDER);
    EXPECT_EQ(Proposed(), text(CInstallCdDlg::IDC_DESTINATION)) << "cancelled";
    folders.choice = "/mine";
    d->OnCommand(CInstallCdDlg::IDC_SELECT_FOLDER);
    EXPECT_EQ(Texts{"Select Destination Folder for Sprite Files"}, Texts{folders.titles.back()});
    EXPECT_EQ("/mine", text(CInstallCdDlg::IDC_DESTINATION));
    EXPECT_EQ("40 MB", text(CInstallCdDlg::IDC_SPACE_AVAILABLE));
    boxes.answers = {IDCANCEL};
    EXPECT_EQ(0, CopyFiles(*d)) << "stays open";
    EXPECT_EQ(Texts{Space}, boxes.Texts());
}

} // namespace

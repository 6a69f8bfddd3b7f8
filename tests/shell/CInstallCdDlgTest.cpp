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

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace platform;
using Texts = std::vector<std::string>;

namespace {

constexpr std::uint64_t MB = 1048576;
const std::string PutIn = "Put the Lumaris Animation CD in your CD drive.",
                  NotFound = "3D Animation From the Lumaris CD not found.\nInsert CD in CD drive and try again.",
                  Space = "There isn't enough space on this hard drive\nfor all the files.  Do you want to continue?",
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
    // Types the folder if one is given, presses Copy Files, then Cancel; the
    // dialog ends with the first command that ends it.
    static int CopyFiles(CInstallCdDlg& d, std::optional<std::string> typed = {})
    {
        if (typed) static_cast<QLineEdit*>(d.Control(CInstallCdDlg::IDC_DESTINATION))->setText(QString::fromStdString(*typed));
        QMetaObject::invokeMethod(&d, [&d] {
            d.OnCommand(CInstallCdDlg::IDC_COPY_FILES);
            d.PostCommand(CInstallCdDlg::IDCANCEL);
        }, Qt::QueuedConnection);
        return d.exec();
    }
    static QString Text(const CInstallCdDlg& d, int id)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(d.Control(id))) return edit->text();
        return static_cast<QLabel*>(d.Control(id))->text();
    }
    std::string Proposed() const { return data.Folder().Path() + "/Quillory/Pairlet/AnimCD"; }
    Texts Shown() const
    {
        Texts texts;
        for (const auto& box : boxes.shown) texts.push_back(box.text);
        return texts;
    }

    TempConfigHome config;
    TempHome data{"XDG_DATA_HOME"};
    ScriptedMessageBoxes boxes;
    FakeVolumes volumes;
    ScriptedFolderBrowser folders;
    RecordingShellFiles files;
    CInstallCdDlg::Memory memory;
    std::vector<int> posted;
};

TEST_F(CInstallCdDlgTest, FindsTheFirstVolumeLabelledExactlyLumaris1OrSaysSoTwice)
{
    const std::vector<Volumes::Volume> second = {{"/", ""}, {"/media/a/", "OTHER"}, {"/media/b/", "LUMARIS_1"}, {"/media/c/", "LUMARIS_1"}};
    volumes.volumes = second;
    auto found = Open();
    EXPECT_EQ("/media/b/FLC/", memory.cdSource);
    EXPECT_TRUE(boxes.shown.empty());

    volumes.volumes = {{"/media/cd/", "lumaris_1"}, {"/media/x/", "LUMARIS_10"}};
    auto missing = Open();
    EXPECT_EQ(Shown(), (Texts{PutIn, NotFound}));
    EXPECT_EQ("Install Animation CD", boxes.shown[0].caption);
    EXPECT_EQ("Error: Animation CD Not Found", boxes.shown[1].caption);
    EXPECT_EQ("", memory.cdSource);
    EXPECT_EQ("", Text(*missing, CInstallCdDlg::IDC_DESTINATION));
    EXPECT_EQ("123 MB", Text(*missing, CInstallCdDlg::IDC_SPACE_NEEDED));
    EXPECT_EQ("??? MB", Text(*missing, CInstallCdDlg::IDC_SPACE_AVAILABLE));

    // Put in while the first box was up: found on the second look.
    boxes.onShow = [this, second] { volumes.volumes = second; };
    auto late = Open();
    EXPECT_EQ(Shown(), Texts{PutIn});
    EXPECT_EQ("/media/b/FLC/", memory.cdSource);
}

TEST_F(CInstallCdDlgTest, ProposesTheProgramFolderWithAnimCdAndShowsItsFreeSpace)
{
    for (const auto& [stored, shown] : std::vector<std::pair<const char*, std::string>>{
             {nullptr, Proposed()}, {"/opt/Pairlet", "/opt/Pairlet/AnimCD"}, {"/opt/Pairlet/", "/opt/Pairlet/AnimCD"}}) {
        TempConfigHome fresh;
        if (stored) WriteString("", stored);
        volumes.freeBytes = {{shown, 5120 * MB + MB - 1}};
        auto d = Open();
        EXPECT_EQ(QString::fromStdString(shown), Text(*d, CInstallCdDlg::IDC_DESTINATION));
        EXPECT_EQ("117 MB", Text(*d, CInstallCdDlg::IDC_SPACE_NEEDED));
        EXPECT_EQ("5120 MB", Text(*d, CInstallCdDlg::IDC_SPACE_AVAILABLE));
    }
    // A space that cannot be queried is not shown, but the last figure counts.
    volumes.freeBytes.clear();
    auto d = Open();
    EXPECT_EQ("??? MB", Text(*d, CInstallCdDlg::IDC_SPACE_AVAILABLE));
    EXPECT_EQ(5120, memory.availableMb);
}

TEST_F(CInstallCdDlgTest, AChosenFolderBringsItsSpaceATypedOneKeepsTheLastSpace)
{
    auto d = Open();
    d->OnCommand(CInstallCdDlg::IDC_SELECT_FOLDER); // cancelled: nothing changes
    EXPECT_EQ(QString::fromStdString(Proposed()), Text(*d, CInstallCdDlg::IDC_DESTINATION));
    EXPECT_EQ(folders.titles, Texts{"Select Destination Folder for Sprite Files"});
    folders.choice = "/srv/anim";
    volumes.freeBytes = {{"/srv/anim", 200 * MB}};
    d->OnCommand(CInstallCdDlg::IDC_SELECT_FOLDER);
    EXPECT_EQ("/srv/anim", Text(*d, CInstallCdDlg::IDC_DESTINATION));
    EXPECT_EQ("200 MB", Text(*d, CInstallCdDlg::IDC_SPACE_AVAILABLE));
    // 200 MB belong to /srv/anim, yet they count: no question.
    EXPECT_EQ(CInstallCdDlg::IDOK, CopyFiles(*d, "/elsewhere"));
    EXPECT_EQ(Shown(), Texts{Success});
    EXPECT_EQ("/elsewhere/", ReadString("cd_anim_dir", 300, ""));
}

TEST_F(CInstallCdDlgTest, CopyFilesAsksWhenSpaceIsShortRefusesUnreadableFoldersAndRecordsEveryStartedCopy)
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
        {116, IDCANCEL, {}, 0, {Space}, IDCANCEL},
        {500, 0, {}, FILE_ERROR_NOT_FOUND, {Failed, Success}, IDCANCEL},
        {500, 0, {}, FILE_ERROR_CANCELLED, {Failed, Success}, IDCANCEL},
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
        EXPECT_EQ(Shown(), c.texts);
        const bool copied = c.texts.back() == Success;
        EXPECT_EQ(copied ? 1u : 0u, files.runs.size());
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

TEST_F(CInstallCdDlgTest, WithoutADiscCopyFilesLooksAgainBeforeItRefuses)
{
    volumes.volumes = {{"/", ""}};
    auto d = Open();
    boxes.shown.clear();
    EXPECT_EQ(CInstallCdDlg::IDCANCEL, CopyFiles(*d)) << "ended by the test";
    EXPECT_EQ(Shown(), Texts{NotFound});
    EXPECT_TRUE(files.runs.empty());

    auto later = Open();
    volumes.volumes.push_back({"/media/cd/", "LUMARIS_1"});
    volumes.freeBytes = {{Proposed(), 117 * MB}};
    EXPECT_EQ(CInstallCdDlg::IDOK, CopyFiles(*later));
    ASSERT_EQ(1u, files.runs.size());
    EXPECT_EQ(Proposed() + "/" + std::string(2, '\0'), files.runs[0].to);
}

} // namespace

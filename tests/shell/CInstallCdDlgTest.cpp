// The add-on installer offscreen, with doubles for the disc, the folder
// browser and the copy, and a settings store in a temporary folder.
#include "shell/CInstallCdDlg.h"

#include "doubles/FakeVolumes.h"
#include "doubles/RecordingShellFiles.h"
#include "doubles/ScriptedFolderBrowser.h"
#include "doubles/ScriptedMessageBoxes.h"
#include "platform/QtShellFiles.h"
#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {

constexpr std::uint64_t MB = 1048576;
const char* const PutIn = "Put the Lumaris Animation CD in your CD drive.";
const char* const NotFound = "3D Animation From the Lumaris CD not found.\nInsert CD in CD drive and try again.";
const char* const Success = "CD animation successfully installed.";

class CInstallCdDlgTest : public ::testing::Test {
public:
    void SetUp() override
    {
        SetSettingsKey("Pairlet", "Software\\Quillory\\Pairlet");
        volumes.volumes = {{"/", ""}, {"/media/cd/", "LUMARIS_1"}};
    }
    std::unique_ptr<CInstallCdDlg> Open()
    {
        return std::make_unique<CInstallCdDlg>(
            nullptr, CInstallCdDlg::Services{boxes, volumes, folders, files, [this](int id) { posted.push_back(id); }},
            memory);
    }
    // Runs the dialog; act works on it once it shows.
    static int Run(CInstallCdDlg& dialog, std::function<void(CInstallCdDlg&)> act)
    {
        QTimer::singleShot(0, &dialog, [&dialog, act] { act(dialog); });
        return dialog.exec();
    }
    static int CopyAndRun(CInstallCdDlg& dialog)
    {
        return Run(dialog, [](CInstallCdDlg& d) { d.OnCommand(CInstallCdDlg::IDC_COPY_FILES); });
    }
    static QString Text(const CInstallCdDlg& dialog, int id)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(dialog.Control(id))) return edit->text();
        return static_cast<QLabel*>(dialog.Control(id))->text();
    }
    static void Type(CInstallCdDlg& dialog, const std::string& folder)
    {
        static_cast<QLineEdit*>(dialog.Control(CInstallCdDlg::IDC_DESTINATION))->setText(QString::fromStdString(folder));
    }
    std::string Proposed() const { return data.Folder().Path() + "/Quillory/Pairlet/AnimCD"; }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
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

TEST_F(CInstallCdDlgTest, FindsTheFirstVolumeLabelledExactlyLumaris1)
{
    volumes.volumes = {{"/", ""}, {"/media/a/", "OTHER"}, {"/media/b/", "LUMARIS_1"}, {"/media/c/", "LUMARIS_1"}};
    auto dialog = Open();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ("/media/b/FLC/", memory.cdSource);
    EXPECT_EQ(1, volumes.listings);
    EXPECT_EQ("Install Animation from Lumaris Animation CD", dialog->windowTitle());
    EXPECT_EQ("Select New Destination Folder", dialog->Control(CInstallCdDlg::IDC_SELECT_FOLDER)->accessibleName());
}

TEST_F(CInstallCdDlgTest, WithoutTheDiscAsksLooksAgainAndLeavesTheFieldsAsTheyWere)
{
    volumes.volumes = {{"/", ""}, {"/media/cd/", "lumaris_1"}, {"/media/x/", "LUMARIS_10"}};
    memory.cdSource = "/earlier/FLC/";
    auto dialog = Open();
    ASSERT_EQ(Texts(), (std::vector<std::string>{PutIn, NotFound}));
    EXPECT_EQ("Install Animation CD", boxes.shown[0].caption);
    EXPECT_EQ("Error: Animation CD Not Found", boxes.shown[1].caption);
    EXPECT_EQ(MB_OK, boxes.shown[0].style);
    EXPECT_EQ(MB_OK, boxes.shown[1].style);
    EXPECT_EQ(2, volumes.listings);
    EXPECT_EQ("", memory.cdSource);
    EXPECT_EQ("", Text(*dialog, CInstallCdDlg::IDC_DESTINATION));
    EXPECT_EQ("123 MB", Text(*dialog, CInstallCdDlg::IDC_SPACE_NEEDED));
    EXPECT_EQ("??? MB", Text(*dialog, CInstallCdDlg::IDC_SPACE_AVAILABLE));

    // Put in while the first box was up: found on the second look.
    boxes.shown.clear();
    boxes.onShow = [this] { volumes.volumes.push_back({"/media/late/", "LUMARIS_1"}); };
    auto again = Open();
    EXPECT_EQ(Texts(), std::vector<std::string>{PutIn});
    EXPECT_EQ("/media/late/FLC/", memory.cdSource);
}

TEST_F(CInstallCdDlgTest, ProposesTheProgramFolderWithAnimCdAndShowsItsFreeSpace)
{
    struct Case {
        const char* stored;
        std::string shown;
    };
    for (const Case& c : {Case{nullptr, Proposed()}, Case{"/opt/games/Pairlet", "/opt/games/Pairlet/AnimCD"},
                          Case{"/opt/games/Pairlet/", "/opt/games/Pairlet/AnimCD"}}) {
        SCOPED_TRACE(c.shown);
        TempConfigHome fresh;
        if (c.stored) WriteString("", c.stored);
        volumes.freeBytes = {{c.shown, 5 * 1024 * MB + MB - 1}};
        auto dialog = Open();
        EXPECT_EQ(QString::fromStdString(c.shown), Text(*dialog, CInstallCdDlg::IDC_DESTINATION));
        EXPECT_EQ("117 MB", Text(*dialog, CInstallCdDlg::IDC_SPACE_NEEDED));
        EXPECT_EQ("5120 MB", Text(*dialog, CInstallCdDlg::IDC_SPACE_AVAILABLE));
        EXPECT_EQ(5120, memory.availableMb);
    }
    // A space that cannot be queried keeps the last figure, but is not shown.
    volumes.freeBytes.clear();
    auto dialog = Open();
    EXPECT_EQ("??? MB", Text(*dialog, CInstallCdDlg::IDC_SPACE_AVAILABLE));
    EXPECT_EQ(5120, memory.availableMb);
}

TEST_F(CInstallCdDlgTest, AChosenFolderBringsItsSpaceATypedOneKeepsTheLastSpaceShown)
{
    auto dialog = Open();
    folders.choice = std::nullopt;
    dialog->OnCommand(CInstallCdDlg::IDC_SELECT_FOLDER);
    EXPECT_EQ(QString::fromStdString(Proposed()), Text(*dialog, CInstallCdDlg::IDC_DESTINATION));
    EXPECT_EQ(folders.titles, std::vector<std::string>{"Select Destination Folder for Sprite Files"});

    folders.choice = "/srv/anim";
    volumes.freeBytes = {{"/srv/anim", 200 * MB}};
    dialog->OnCommand(CInstallCdDlg::IDC_SELECT_FOLDER);
    EXPECT_EQ("/srv/anim", Text(*dialog, CInstallCdDlg::IDC_DESTINATION));
    EXPECT_EQ("200 MB", Text(*dialog, CInstallCdDlg::IDC_SPACE_AVAILABLE));

    // 200 MB is that of /srv/anim, but it counts: no question.
    volumes.asked.clear();
    Type(*dialog, "/elsewhere/add-ons");
    EXPECT_EQ(CInstallCdDlg::IDOK, CopyAndRun(*dialog));
    EXPECT_TRUE(volumes.asked.empty());
    EXPECT_EQ(Texts(), std::vector<std::string>{Success});
    ASSERT_EQ(1u, files.runs.size());
    EXPECT_EQ(std::string("/elsewhere/add-ons/\0\0", 21), files.runs[0].to);
}

TEST_F(CInstallCdDlgTest, BelowTheSpaceNeededItAsksFirst)
{
    struct Case {
        std::uint64_t freeMb;
        int answer;
        bool asked, copied;
    };
    for (const Case& c : {Case{116, IDCANCEL, true, false}, Case{116, IDOK, true, true}, Case{117, 0, false, true}}) {
        SCOPED_TRACE(testing::Message() << c.freeMb << " MB, answer " << c.answer);
        boxes.shown.clear();
        files.runs.clear();
        volumes.freeBytes = {{Proposed(), c.freeMb * MB}};
        if (c.answer) boxes.answers = {c.answer};
        auto dialog = Open();
        bool open = false;
        const int result = Run(*dialog, [&](CInstallCdDlg& d) {
            d.OnCommand(CInstallCdDlg::IDC_COPY_FILES);
            open = d.isVisible();
            if (!c.copied) d.reject();
        });
        EXPECT_EQ(c.copied ? CInstallCdDlg::IDOK : CInstallCdDlg::IDCANCEL, result);
        ASSERT_EQ(c.asked, !boxes.shown.empty() && boxes.shown[0].caption == "Not Enough Free Drive Space");
        if (c.asked) {
            EXPECT_EQ("There isn't enough space on this hard drive\nfor all the files.  Do you want to continue?",
                      boxes.shown[0].text);
            EXPECT_EQ(MB_OKCANCEL, boxes.shown[0].style);
        }
        EXPECT_EQ(c.copied ? 1u : 0u, files.runs.size());
        if (!c.copied) {
            EXPECT_TRUE(open) << "a refused question leaves the dialog open";
        }
    }
}

TEST_F(CInstallCdDlgTest, CopiesTheDiscsFlcFilesAndRecordsTheFolderWhateverTheOutcome)
{
    struct Case {
        int result;
        bool aborted;
        std::vector<std::string> texts;
        int ends;
    };
    const std::vector<Case> cases = {
        {0, false, {Success}, CInstallCdDlg::IDOK},
        {FILE_ERROR_NOT_FOUND, false, {"An error occured while copying files.", Success}, CInstallCdDlg::IDCANCEL},
        {FILE_ERROR_CANCELLED, true, {"An error occured while copying files.", Success}, CInstallCdDlg::IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        TempConfigHome fresh;
        boxes.shown.clear();
        posted.clear();
        files.runs.clear();
        files.result = c.result;
        files.abort = c.aborted;
        volumes.freeBytes = {{Proposed(), 117 * MB}};
        auto dialog = Open();
        EXPECT_EQ(c.ends, CopyAndRun(*dialog));
        EXPECT_EQ(Texts(), c.texts);
        EXPECT_EQ("Install Complete", boxes.shown.back().caption);
        if (c.result) {
            EXPECT_EQ(MB_ICONEXCLAMATION | MB_OK, boxes.shown[0].style);
        }
        EXPECT_EQ(Proposed() + "/", ReadString("cd_anim_dir", 300, ""));
        EXPECT_EQ(posted, std::vector<int>{CInstallCdDlg::ID_CD_ANIM_INSTALLED});
        ASSERT_EQ(1u, files.runs.size());
        const FileOperation& run = files.runs[0];
        EXPECT_EQ(unsigned(FO_COPY), run.function);
        EXPECT_EQ(std::string("/media/cd/FLC/*.flc\0\0", 21), run.from);
        EXPECT_EQ(Proposed() + "/" + std::string(2, '\0'), run.to);
        EXPECT_EQ(unsigned(FOF_FILESONLY | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SIMPLEPROGRESS), run.flags);
    }
}

TEST_F(CInstallCdDlgTest, AFolderThatCouldNotBeReadBackIsRefusedBeforeAnythingIsCopied)
{
    volumes.freeBytes = {{Proposed(), 500 * MB}};
    const std::string longest = "/" + std::string(258, 'a'); // 260 with its separator
    for (const std::string& typed : {std::string(), longest + "b"}) {
        SCOPED_TRACE(typed.size());
        boxes.shown.clear();
        auto dialog = Open();
        Type(*dialog, typed);
        EXPECT_EQ(CInstallCdDlg::IDCANCEL, CopyAndRun(*dialog));
        EXPECT_EQ(Texts(), std::vector<std::string>{"A fatal error occured while copying files.\nNo files were copied"});
        EXPECT_EQ("File copy error", boxes.shown[0].caption);
        EXPECT_TRUE(files.runs.empty());
        EXPECT_TRUE(posted.empty());
        EXPECT_EQ("none", ReadString("cd_anim_dir", 300, "none"));
    }
    auto dialog = Open();
    Type(*dialog, longest);
    EXPECT_EQ(CInstallCdDlg::IDOK, CopyAndRun(*dialog));
    EXPECT_EQ(longest + "/", ReadString("cd_anim_dir", 300, ""));
}

TEST_F(CInstallCdDlgTest, WithoutADiscCopyFilesLooksAgainBeforeItRefuses)
{
    volumes.volumes = {{"/", ""}};
    auto dialog = Open();
    boxes.shown.clear();
    bool open = false;
    Run(*dialog, [&](CInstallCdDlg& d) {
        d.OnCommand(CInstallCdDlg::IDC_COPY_FILES);
        open = d.isVisible();
        d.reject();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(Texts(), std::vector<std::string>{NotFound});
    EXPECT_TRUE(files.runs.empty());

    auto later = Open();
    boxes.shown.clear();
    volumes.volumes.push_back({"/media/cd/", "LUMARIS_1"});
    volumes.freeBytes = {{Proposed(), 117 * MB}};
    EXPECT_EQ(CInstallCdDlg::IDOK, CopyAndRun(*later));
    EXPECT_EQ(QString::fromStdString(Proposed()), Text(*later, CInstallCdDlg::IDC_DESTINATION));
    ASSERT_EQ(1u, files.runs.size());
    EXPECT_EQ(std::string("/media/cd/FLC/*.flc\0\0", 21), files.runs[0].from);
}

TEST_F(CInstallCdDlgTest, CopiesARealDiscsAnimationsWhateverTheCaseOfItsNames)
{
    // How a disc's names look depends on how it was mounted.
    TempFolder disc;
    disc.Write("flc/CAT.FLC", std::string(200000, 'c'));
    disc.Write("flc/dog.flc", "dog");
    disc.Write("flc/README.TXT", "not copied");
    volumes.volumes = {{disc.Path() + "/", "LUMARIS_1"}};
    volumes.freeBytes = {{Proposed(), 117 * MB}};
    platform::QtShellFiles copier;
    auto dialog = std::make_unique<CInstallCdDlg>(
        nullptr, CInstallCdDlg::Services{boxes, volumes, folders, copier, [this](int id) { posted.push_back(id); }},
        memory);
    EXPECT_EQ(CInstallCdDlg::IDOK, CopyAndRun(*dialog));
    EXPECT_EQ(Texts(), std::vector<std::string>{Success});
    const TempFolder& home = data.Folder();
    EXPECT_EQ(std::string(200000, 'c'), home.Read("Quillory/Pairlet/AnimCD/CAT.FLC"));
    EXPECT_EQ("dog", home.Read("Quillory/Pairlet/AnimCD/dog.flc"));
    EXPECT_FALSE(std::filesystem::exists(home / "Quillory/Pairlet/AnimCD/README.TXT"));
}

TEST_F(CInstallCdDlgTest, EndsWithTheFirstCommandThatEndsIt)
{
    auto closed = Open();
    EXPECT_EQ(CInstallCdDlg::IDCANCEL, Run(*closed, [](CInstallCdDlg& d) { d.close(); }));
    auto both = Open();
    EXPECT_EQ(CInstallCdDlg::IDCANCEL, Run(*both, [](CInstallCdDlg& d) {
                  d.PostCommand(CInstallCdDlg::IDCANCEL);
                  d.PostCommand(CInstallCdDlg::IDOK);
              }));
    auto ok = Open();
    EXPECT_EQ(CInstallCdDlg::IDOK, Run(*ok, [](CInstallCdDlg& d) { d.OnCommand(CInstallCdDlg::IDOK); }));
}

} // namespace

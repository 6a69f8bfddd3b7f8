// The real copy, on folders that stand in for a mounted disc and a home.
#include "platform/QtShellFiles.h"

#include "TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Bytes that differ from file to file and from piece to piece.
std::string Content(unsigned seed, std::size_t size)
{
    std::string bytes(size, '\0');
    unsigned x = seed;
    for (char& b : bytes) {
        x = x * 214013 + 2531011;
        b = char(x >> 16);
    }
    return bytes;
}

std::string List(const char* first, const char* second = nullptr)
{
    std::string list = std::string(first) + '\0';
    if (second) list += std::string(second) + '\0';
    return list + '\0';
}

FileOperation CopyOf(const std::string& from, const std::string& to, unsigned flags = 0)
{
    FileOperation operation;
    operation.function = FO_COPY;
    operation.from = List(from.c_str());
    operation.to = List(to.c_str());
    operation.flags = FOF_FILESONLY | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SIMPLEPROGRESS | flags;
    return operation;
}

QProgressDialog* ProgressWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* progress = qobject_cast<QProgressDialog*>(w); progress && progress->isVisible()) return progress;
    return nullptr;
}

TEST(QtShellFilesTest, CopiesEveryAnimationByteForByteWhateverTheCaseOfTheNames)
{
    TempFolder disc, home;
    const std::map<std::string, std::string> animations = {
        {"cat.flc", Content(1, 300001)}, {"DOG.FLC", Content(2, 70000)}, {"Owl.Flc", ""}};
    for (const auto& [name, bytes] : animations) disc.Write("flc/" + name, bytes);
    disc.Write("flc/readme.txt", "not an animation");
    disc.Write("flc/folder.flc/inside.flc", "a folder is not copied");
    home.Write("Add-ons/AnimCD/DOG.FLC", "an earlier copy");

    int served = 0;
    bool progressShown = false;
    QTimer alive;
    QObject::connect(&alive, &QTimer::timeout, [&] {
        ++served;
        progressShown = progressShown || ProgressWindow();
    });
    alive.start(0);
    QtShellFiles files(64 * 1024);
    FileOperation copy = CopyOf(disc.Path() + "/FLC/*.flc", home / "Add-ons/AnimCD/");
    EXPECT_EQ(0, files.Run(copy));
    EXPECT_FALSE(copy.anyOperationsAborted);
    EXPECT_GT(served, 5) << "the window is served while the files are copied";
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(nullptr, ProgressWindow());

    const QStringList copied = QDir(QString::fromStdString(home / "Add-ons/AnimCD"))
                                   .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    EXPECT_EQ(copied, (QStringList{"cat.flc", "DOG.FLC", "Owl.Flc"}));
    for (const auto& [name, bytes] : animations) EXPECT_EQ(bytes, home.Read("Add-ons/AnimCD/" + name)) << name;
}

TEST(QtShellFilesTest, ACancelledCopyStopsAndLeavesTheEarlierFileWhole)
{
    TempFolder disc, home;
    disc.Write("FLC/a.flc", Content(3, 1 << 20));
    disc.Write("FLC/b.flc", Content(4, 1 << 20));
    home.Write("AnimCD/b.flc", "an earlier copy");
    QTimer player;
    QObject::connect(&player, &QTimer::timeout, [] {
        // Cancelled halfway through the second file.
        if (QProgressDialog* progress = ProgressWindow(); progress && progress->value() >= 750) progress->cancel();
    });
    player.start(0);
    QtShellFiles files(16 * 1024);
    FileOperation copy = CopyOf(disc / "FLC/*.flc", home / "AnimCD");
    EXPECT_EQ(FILE_ERROR_CANCELLED, files.Run(copy));
    EXPECT_TRUE(copy.anyOperationsAborted);
    EXPECT_EQ(disc.Read("FLC/a.flc"), home.Read("AnimCD/a.flc"));
    EXPECT_EQ("an earlier copy", home.Read("AnimCD/b.flc"));
    const QStringList left = QDir(QString::fromStdString(home / "AnimCD")).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left, (QStringList{"a.flc", "b.flc"})) << "no half-written file is left behind";
}

TEST(QtShellFilesTest, ReportsWhatCannotBeCopiedAndMakesNoFolderForIt)
{
    TempFolder disc, home;
    disc.Write("FLC/notes.txt", "no animation here");
    disc.Write("FLC/one.flc", "one");
    QtShellFiles files;
    struct Case {
        FileOperation operation;
        int result;
    };
    FileOperation move = CopyOf(disc / "FLC/*.flc", home / "moved");
    move.function = FO_MOVE;
    FileOperation unpaired = CopyOf(disc / "FLC/*.flc", home / "one");
    unpaired.from = List((disc / "FLC/one.flc").c_str(), (disc / "FLC/notes.txt").c_str());
    unpaired.flags |= FOF_MULTIDESTFILES;
    const std::vector<Case> cases = {
        {CopyOf(disc / "CD/*.flc", home / "nowhere"), FILE_ERROR_PATH_NOT_FOUND},
        {CopyOf(disc / "FLC/*.pcx", home / "none"), FILE_ERROR_NOT_FOUND},
        {CopyOf(disc / "FLC/two.flc", home / "two"), FILE_ERROR_NOT_FOUND},
        {move, FILE_ERROR_NOT_SUPPORTED},
        {unpaired, FILE_ERROR_PATH_NOT_FOUND},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.result);
        EXPECT_EQ(c.result, files.Run(c.operation));
        EXPECT_FALSE(c.operation.anyOperationsAborted);
    }
    EXPECT_TRUE(QDir(QString::fromStdString(home.Path())).isEmpty());
    EXPECT_EQ("one", disc.Read("FLC/one.flc"));

    // One name without wildcards, silently: no window at all.
    bool progressShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { progressShown = progressShown || ProgressWindow(); });
    watch.start(0);
    FileOperation one = CopyOf(disc / "flc/ONE.FLC", home / "one", FOF_SILENT);
    EXPECT_EQ(0, files.Run(one));
    EXPECT_FALSE(progressShown);
    EXPECT_EQ("one", home.Read("one/one.flc"));
}

} // namespace

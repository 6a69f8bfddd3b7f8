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

FileOperation CopyOf(const std::string& from, const std::string& to, unsigned flags = FOF_SIMPLEPROGRESS)
{
    return {FO_COPY, from + std::string(2, '\0'), to + std::string(2, '\0'), FOF_FILESONLY | flags, "", false};
}

// Watches (and may cancel) the progress window while a copy runs.
struct Watch {
    explicit Watch(std::function<void(QProgressDialog&)> act = nullptr)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, act] {
            ++served;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* progress = qobject_cast<QProgressDialog*>(w);
                if (!progress || !progress->isVisible()) continue;
                shown = true;
                if (act) act(*progress);
            }
        });
        timer.start(0);
    }
    QTimer timer;
    int served = 0;
    bool shown = false;
};

QStringList Names(const std::string& folder)
{
    return QDir(QString::fromStdString(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

TEST(QtShellFilesTest, CopiesEveryAnimationByteForByteWhateverTheCaseOfTheNames)
{
    TempFolder disc, home;
    std::string big(300001, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7 / 3);
    const std::map<std::string, std::string> animations = {{"cat.flc", big}, {"DOG.FLC", "dog"}, {"Owl.Flc", ""}};
    for (const auto& [name, bytes] : animations) disc.Write("flc/" + name, bytes);
    disc.Write("flc/readme.txt", "not an animation");
    disc.Write("flc/folder.flc/inside.flc", "a folder is not copied");
    home.Write("AnimCD/DOG.FLC", "an earlier copy");
    const Watch watch;
    FileOperation copy = CopyOf(disc.Path() + "/FLC/*.flc", home / "AnimCD/");
    EXPECT_EQ(0, QtShellFiles(64 * 1024).Run(copy));
    EXPECT_GT(watch.served, 5) << "the window is served while the files are copied";
    EXPECT_TRUE(watch.shown);
    EXPECT_EQ(Names(home / "AnimCD"), (QStringList{"cat.flc", "DOG.FLC", "Owl.Flc"}));
    for (const auto& [name, bytes] : animations) EXPECT_EQ(bytes, home.Read("AnimCD/" + name)) << name;
}

TEST(QtShellFilesTest, ACancelledCopyStopsAndLeavesTheEarlierFileWhole)
{
    TempFolder disc, home;
    disc.Write("FLC/a.flc", std::string(1 << 20, 'a'));
    disc.Write("FLC/b.flc", std::string(1 << 20, 'b'));
    home.Write("AnimCD/b.flc", "an earlier copy");
    // Cancelled halfway through the second file.
    const Watch player([](QProgressDialog& p) {
        if (p.value() >= 750) p.cancel();
    });
    FileOperation copy = CopyOf(disc / "FLC/*.flc", home / "AnimCD");
    EXPECT_EQ(FILE_ERROR_CANCELLED, QtShellFiles(16 * 1024).Run(copy));
    EXPECT_TRUE(copy.anyOperationsAborted);
    EXPECT_EQ(disc.Read("FLC/a.flc"), home.Read("AnimCD/a.flc"));
    EXPECT_EQ("an earlier copy", home.Read("AnimCD/b.flc"));
    EXPECT_EQ(Names(home / "AnimCD"), (QStringList{"a.flc", "b.flc"})) << "no half-written file is left";

    FileOperation nothing = CopyOf(disc / "FLC/*.pcx", home / "none");
    EXPECT_EQ(FILE_ERROR_NOT_FOUND, QtShellFiles().Run(nothing));
    EXPECT_FALSE(std::filesystem::exists(home / "none"));
}

} // namespace

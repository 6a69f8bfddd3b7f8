#include "ContentPack.h"

#include "doubles/ScriptedMessageBoxes.h"
#include "game/ContentFile.h"
#include "game/TileBitmap.h"
#include "platform/HostPathMap.h"
#include "platform/IniProfile.h"
#include "TempFolder.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

struct Wav {
    int channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;
};

// The fields a game sound needs, read straight from the bytes.
Wav ReadWav(const std::string& bytes)
{
    Wav w;
    auto u16 = [&](std::size_t at) { return int(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8); };
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0) return w;
    if (u16(20) != 1 || bytes.compare(36, 4, "data") != 0) return w;
    w.channels = u16(22);
    w.rate = u16(24) | u16(26) << 16;
    w.bits = u16(34);
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) w.samples.push_back(std::int16_t(u16(i)));
    return w;
}

class ContentPackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage icon(64, 64, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter(&icon).fillRect(16, 16, 32, 32, Qt::red);
        icon.save(QString::fromStdString(pictures / "Sun.png"));
        QImage photo(300, 100, QImage::Format_RGB32);
        photo.fill(QColor(10, 120, 30));
        photo.save(QString::fromStdString(pictures / "Garden Photo.JPG"));
        pictures.Write("sun.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 36 36">)"
                                  R"(<circle cx="18" cy="18" r="16" fill="#FFAC33"/></svg>)");
        pictures.Write("bad.png", "not a picture at all");
        pictures.Write("notes.txt", "ignored");
    }

    TempFolder pictures, out;
};

TEST_F(ContentPackTest, MakesAPackTheGameReadsFromAFolderOfPictures)
{
    QStringList report;
    ContentPack pack(QString::fromStdString(out.Path()));
    ASSERT_TRUE(pack.Write(ContentPack::FromFolder(QString::fromStdString(pictures.Path())), report));
    EXPECT_EQ(3, pack.Tiles());
    EXPECT_EQ(QStringList{"not a readable picture, left out: " + QString::fromStdString(pictures / "bad.png")},
              report);

    platform::IniProfile ini(out / "Pairlet.ini");
    ContentFile content(ini);
    ASSERT_EQ(3, content.CountEntries("Tiles", "TILE"));
    EXPECT_EQ("garden_photo", content.TileName(1));
    EXPECT_EQ("sun", content.TileName(2));
    EXPECT_EQ("sun2", content.TileName(3)) << "names that differ only in case stay apart";

    // Every picture loads as the game loads it, from its Windows-style name.
    ScriptedMessageBoxes boxes;
    CurrentFolder here(out.Path());
    platform::HostPathMap paths;
    std::vector<std::uint16_t> depths;
    for (const std::string& name :
         {content.TilePicturePath(1), content.TilePicturePath(2), content.TilePicturePath(3),
          content.Value("Cover Tiles", "NEWTILE", ""), content.Value("Cover Tiles", "MATCHTILE", "")}) {
        TileBitmap p;
        ASSERT_TRUE(LoadDib(name, p, boxes, paths)) << name;
        EXPECT_EQ(480u, p.width);
        EXPECT_EQ(270u, p.height);
        depths.push_back(p.bitCount);
    }
    EXPECT_EQ((std::vector<std::uint16_t>{24, 24, 8, 24, 8}), depths);
    EXPECT_TRUE(boxes.shown.empty());
    // And each picture has its match animation where the game looks for it.
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(paths.Resolve(content.AnimationPath(n, "anim\\")))))
            << content.AnimationPath(n, "anim\\");
}

TEST_F(ContentPackTest, SoundsArePlayableDistinctAndMissesFitThePause)
{
    QStringList report;
    ASSERT_TRUE(ContentPack(QString::fromStdString(out.Path()))
                    .Write(ContentPack::FromFolder(QString::fromStdString(pictures.Path())), report));
    platform::IniProfile ini(out / "Pairlet.ini");
    ContentFile content(ini);
    EXPECT_EQ(3, content.CountEntries("Nopesounds", "NOPE"));
    EXPECT_EQ(3, content.CountEntries("Yupsounds", "YUP"));

    std::vector<std::string> names;
    for (int n = 1; n <= 3; ++n) {
        names.push_back(content.NumberedValue("Nopesounds", "NOPE", n, ""));
        names.push_back(content.NumberedValue("Yupsounds", "YUP", n, ""));
    }
    for (const char* key : {"STARTSOUND", "FINSOUND", "BYESOUND"}) names.push_back(content.Value("Other Sounds", key, ""));

    std::set<std::vector<std::int16_t>> distinct;
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string path = names[i];
        std::replace(path.begin(), path.end(), '\\', '/');
        const Wav w = ReadWav(out.Read(path));
        SCOPED_TRACE(path);
        ASSERT_EQ(1, w.channels);
        EXPECT_EQ(22050, w.rate);
        EXPECT_EQ(16, w.bits);
        ASSERT_FALSE(w.samples.empty());
        const auto [lo, hi] = std::minmax_element(w.samples.begin(), w.samples.end());
        EXPECT_GT(std::max(-int(*lo), int(*hi)), 10000) << "audible";
        EXPECT_LT(std::max(-int(*lo), int(*hi)), 32000) << "not clipped";
        const bool miss = i < 6 && i % 2 == 0;
        if (miss) {
            EXPECT_LE(w.samples.size(), 22050u * 4 / 10) << "a miss sound ends within the pause";
        }
        distinct.insert(w.samples);
    }
    EXPECT_EQ(names.size(), distinct.size());
}

} // namespace

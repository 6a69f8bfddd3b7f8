// The pack tool's word to its user: which boards a number of pictures fills,
// and a refused pack that leaves nothing behind.
#include "ContentPack.h"
#include "PackAdvice.h"
#include "PaletteQuantizer.h"

#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(PackAdviceTest, SaysWhichBoardsThePicturesFill)
{
    const std::string last = "The default board (6 × 6, Match 2) needs 18, the largest (8 × 9, Match 2) 36; "
                             "choose a board in Grid Settings.";
    EXPECT_EQ(Lines{"3 pictures are too few: the smallest board (4 × 4, Match 4) needs 4."}, PackAdvice::For(3));
    EXPECT_FALSE(PackAdvice::Enough(3));
    EXPECT_TRUE(PackAdvice::Enough(4));
    // Worked by hand: Match m fills a grid of the settings when its tiles
    // divide by m and are at most m × 10.
    EXPECT_EQ((Lines{"10 pictures do not fill every board. They fill:", "  Match 2: 4 × 4, 4 × 5, 5 × 4",
                     "  Match 3: 4 × 6, 5 × 6, 6 × 4, 6 × 5",
                     "  Match 4: 4 × 4, 4 × 5, 4 × 6, 4 × 7, 4 × 8, 4 × 9, 5 × 4, 5 × 8, 6 × 4, 6 × 6, 7 × 4, 8 × 4, 8 × 5",
                     last}),
              PackAdvice::For(10));
    const Lines eighteen = PackAdvice::For(18);
    ASSERT_EQ(5u, eighteen.size());
    EXPECT_EQ("  Match 4: every board", eighteen[3]);
    EXPECT_EQ(std::string::npos, eighteen[1].find("8 × 9")) << eighteen[1];
    EXPECT_NE(std::string::npos, eighteen[1].find("6 × 6")) << eighteen[1];
    EXPECT_EQ(5u, PackAdvice::For(35).size());
    EXPECT_EQ(Lines{}, PackAdvice::For(36));
}

// Too few pictures, counted before anything is made or after a damaged one
// was left out: refused, and the folders the run made are gone again.
// Enough of them: a pack with its pictures at the size asked for.
TEST(ContentPackTest, ARefusedPackLeavesNothingBehindAndAMadeOneHasItsSize)
{
    TempFolder pictures;
    for (int i = 0; i < 4; ++i) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 80, 200, 200));
        ASSERT_TRUE(picture.save(QString::fromStdString(pictures / ("p" + std::to_string(i) + ".png"))));
    }
    TempFolder output;
    const QString pack = QString::fromStdString(output / "new/pack");
    const ContentPack::Sources sources = ContentPack::FromFolder(QString::fromStdString(pictures.Path()));
    ASSERT_EQ(4u, sources.size());
    for (const bool damaged : {false, true}) {
        SCOPED_TRACE(damaged ? "one of four damaged" : "three of four");
        ContentPack::Sources given = sources;
        if (damaged) {
            given[2].second = QString::fromStdString(pictures.Write("damaged.png", "not a picture"));
        } else {
            given.pop_back();
        }
        QStringList report;
        std::vector<int> told;
        EXPECT_FALSE(ContentPack(pack).Write(given, report, [&told](int n, int of) { told.push_back(n * 10 + of); }));
        EXPECT_TRUE(report.contains("3 pictures are too few: the smallest board (4 × 4, Match 4) needs 4.")) << report.join('\n').toStdString();
        EXPECT_EQ(damaged ? (std::vector<int>{14, 24, 34, 44}) : std::vector<int>(), told);
        EXPECT_FALSE(QDir(QString::fromStdString(output / "new")).exists());
    }
    // Four readable pictures make a pack, its pictures at the size asked for.
    QStringList report;
    ASSERT_TRUE(ContentPack(pack, QSize(200, 120)).Write(sources, report)) << report.join('\n').toStdString();
    for (const char* picture : {"p0.bmp", "p3.bmp", "cover.bmp", "matched.bmp"})
        EXPECT_EQ(QSize(200, 120), QImage(pack + "/bmp/" + picture).size()) << picture;
    EXPECT_TRUE(QFile::exists(pack + "/Pairlet.ini"));
}

} // namespace

namespace {

// The pack's 8-bit pictures: few colours kept exactly, never dithered; more
// than a colour table holds are not forced into one.
TEST(PaletteQuantizerTest, FewColoursStayExactlyAsTheyAre)
{
    QImage few(64, 32, QImage::Format_RGB32);
    few.fill(qRgb(219, 251, 244));
    for (int x = 0; x < 64; ++x) few.setPixel(x, x % 32, x % 2 ? qRgb(10, 20, 30) : qRgb(250, 120, 0));
    for (const QImage& indexed : {PaletteQuantizer::ExactIndexed8(few), PaletteQuantizer::ToIndexed8(few)}) {
        ASSERT_EQ(QImage::Format_Indexed8, indexed.format());
        EXPECT_EQ(3, indexed.colorCount());
        EXPECT_EQ(few, indexed.convertToFormat(QImage::Format_RGB32));
    }
    QImage many(300, 1, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x) many.setPixel(x, 0, qRgb(x % 256, x / 256, 7));
    EXPECT_TRUE(PaletteQuantizer::ExactIndexed8(many).isNull());
    EXPECT_EQ(QImage::Format_Indexed8, PaletteQuantizer::ToIndexed8(many).format());
}

} // namespace

#pragma once
// The real main window's world, small and of known colours: solid pictures
// of every depth the game reads, covers, sounds named the Windows way and in
// other cases than on disk, a small animation, and doubles for the services.
#include "game/BoardLayout.h"
#include "game/GameServices.h"

#include "BmpBuilder.h"
#include "FlicEncoder.h"
#include "TempFolder.h"
#include "doubles/FakeVolumes.h"
#include "doubles/MemoryProfile.h"
#include "doubles/PacedClock.h"
#include "doubles/RecordingLauncher.h"
#include "doubles/RecordingShellFiles.h"
#include "doubles/RecordingSoundPlayer.h"
#include "doubles/ScriptedFolderBrowser.h"
#include "doubles/ScriptedMessageBoxes.h"
#include "platform/CrtRand.h"
#include "platform/HostPathMap.h"

#include <QColor>
#include <QPoint>

#include <cstdio>

const QRgb CoverColour = qRgb(10, 20, 200);
const QRgb MatchedColour = qRgb(20, 180, 20);
const QRgb AnimationColour = qRgb(255, 0, 255);
inline QRgb PictureColour(int picture) { return qRgb(200, picture * 7, 100); }

inline std::uint32_t Bgr(QRgb c)
{
    return std::uint32_t(qRed(c)) << 16 | std::uint32_t(qGreen(c)) << 8 | std::uint32_t(qBlue(c));
}

// A block of AnimationColour on index 0, and a marker that moves each frame.
inline std::string BlockAnimation()
{
    FlicEncoder::Palette palette{};
    palette[5] = 0xFF00FF;
    palette[6] = 0x00FFFF;
    FlicEncoder encoder(40, 30, 50);
    for (int f = 0; f < 3; ++f) {
        std::vector<std::uint8_t> pixels(40 * 30, 0);
        for (int y = 5; y < 25; ++y)
            for (int x = 5; x < 35; ++x) pixels[std::size_t(y * 40 + x)] = 5;
        pixels[std::size_t(10 * 40 + 10 + f)] = 6;
        encoder.AddFrame(pixels, palette);
    }
    return encoder.Finish();
}

// Where a click turns the tile: its centre.
inline QPoint TileCentre(const BoardLayout& layout, int tile)
{
    const TileRect r = layout.RectOf(tile);
    return QPoint(r.x + r.width / 2, r.y + r.height / 2);
}

inline std::string PictureName(int picture) { return "p" + std::to_string(picture); }

inline void WritePicture(const TempFolder& folder, int picture)
{
    const std::uint16_t depths[] = {1, 4, 8, 24};
    folder.Write("bmp/" + PictureName(picture) + ".bmp",
                 BmpBuilder::Solid(6 + picture % 3, 4, depths[picture % 4], Bgr(PictureColour(picture))).Bytes());
}

struct SmallGame {
    void WriteContent(int pictures)
    {
        for (int p = 1; p <= pictures; ++p) {
            char key[16];
            std::snprintf(key, sizeof key, "TILE%02d", p);
            content.Set("Tiles", key, "P" + std::to_string(p));
            WritePicture(folder, p);
        }
        content.Set("Cover Tiles", "NEWTILE", "bmp\\Cover.bmp");
        content.Set("Cover Tiles", "MATCHTILE", "bmp\\matched.bmp");
        folder.Write("bmp/cover.bmp", BmpBuilder::Solid(6, 4, 4, Bgr(CoverColour)).Bytes());
        folder.Write("bmp/matched.bmp", BmpBuilder::Solid(6, 4, 1, Bgr(MatchedColour)).Bytes());
        for (const char* s : {"STARTSOUND", "FINSOUND", "BYESOUND"})
            content.Set("Other Sounds", s, std::string("sounds\\") + s + ".wav");
        content.Set("Nopesounds", "NOPE01", "sounds\\nope.wav");
        content.Set("Yupsounds", "YUP01", "sounds\\yup.wav");
    }

    // A true-colour screen: no warning about palette screens.
    GameServices Services()
    {
        return {boxes, rand, clock, sounds, paths, content, winIni, launcher, volumes, folderBrowser, shellFiles, 32};
    }

    TempConfigHome config;
    TempFolder folder;
    ScriptedMessageBoxes boxes;
    platform::CrtRand rand;
    PacedClock clock;
    RecordingSoundPlayer sounds;
    platform::HostPathMap paths;
    MemoryProfile content, winIni;
    RecordingLauncher launcher;
    FakeVolumes volumes;
    ScriptedFolderBrowser folderBrowser;
    RecordingShellFiles shellFiles;
};

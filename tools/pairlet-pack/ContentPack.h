#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// Writes a complete content pack into a folder: Pairlet.ini, the tile
// pictures, the cover and matched-tile pictures under bmp/, and the sounds
// under sounds/.
class ContentPack {
public:
    static constexpr int MaxTiles = 99;

    // (tile name, source picture path) in tile order.
    using Sources = std::vector<std::pair<QString, QString>>;

    explicit ContentPack(QString folder) : folder_(std::move(folder)) {}

    // Every picture file in a folder, named after the file.
    static Sources FromFolder(const QString& folder);
    // A list of "name file" lines; files are relative to the folder.
    static Sources FromList(const QString& listFile, const QString& folder, QString& error);

    // False when nothing usable could be written; problems with single
    // pictures are reported and those pictures left out.
    bool Write(const Sources& sources, QStringList& report);
    // The tile pictures the last Write put into the pack.
    int Tiles() const { return tiles_; }

private:
    bool WritePictures(const Sources& sources, QStringList& names, QStringList& report);
    bool WriteSounds(QStringList& report);
    bool WriteIni(const QStringList& names);

    QString folder_;
    int tiles_ = 0;
};

#pragma once

#include "TilePictureMaker.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
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

    // Faces, cover and matched-tile pictures are made at faceSize.
    explicit ContentPack(QString folder, QSize faceSize = {TilePictureMaker::Width, TilePictureMaker::Height})
        : folder_(std::move(folder)), faceSize_(faceSize)
    {
    }

    // Every picture file in a folder, named after the file.
    static Sources FromFolder(const QString& folder);
    // A list of "name file" lines; files are relative to the folder.
    static Sources FromList(const QString& listFile, const QString& folder, QString& error);

    // Told before each picture is made: its number from 1, and how many.
    using Progress = std::function<void(int n, int of)>;

    // False when no pack could be written: too few pictures for the
    // smallest board, or a file or folder that could not be written; then
    // nothing it made is left behind. Problems with single pictures are
    // reported and those pictures left out.
    bool Write(const Sources& sources, QStringList& report, const Progress& progress = {});
    // The tile pictures the last Write put into the pack.
    int Tiles() const { return tiles_; }

private:
    bool MakeFolders(QStringList& report);
    bool WritePictures(const Sources& sources, QStringList& names, QStringList& report, const Progress& progress);
    bool WriteSounds(QStringList& report);
    bool WriteIni(const QStringList& names, QStringList& report);
    // Records a new file about to be written, so that a failed run can take it away.
    const QString& Made(const QString& path);
    void TakeBack();

    QString folder_;
    QSize faceSize_;
    int tiles_ = 0;
    QStringList madeFiles_, madeFolders_;
};

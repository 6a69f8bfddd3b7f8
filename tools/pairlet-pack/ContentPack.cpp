#include "ContentPack.h"

#include "AnimationMaker.h"
#include "CoverArt.h"
#include "JingleSynth.h"
#include "PaletteQuantizer.h"
#include "TilePictureMaker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

namespace {

const QStringList NopeSounds = {"nope1", "nope2", "nope3"};
const QStringList YupSounds = {"yup1", "yup2", "yup3"};
const QStringList OtherSounds = {"start", "fin", "bye"};

// A name the content file and every file system can carry.
QString TileName(const QString& file)
{
    QString name = QFileInfo(file).completeBaseName().toLower();
    name.replace(QRegularExpression("[^a-z0-9_-]+"), "_");
    return name.isEmpty() ? QString("tile") : name;
}

// Every third face is stored with a colour table of 256 entries.
bool StoredIndexed(int index)
{
    return index % 3 == 2;
}

bool SaveBmp(const QImage& image, const QString& path)
{
    return image.save(path, "BMP");
}

} // namespace

ContentPack::Sources ContentPack::FromFolder(const QString& folder)
{
    Sources sources;
    QStringList taken;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& file : files) {
        if (!TilePictureMaker::IsPicture(file.filePath())) continue;
        QString name = TileName(file.fileName());
        for (int n = 2; taken.contains(name); ++n) name = TileName(file.fileName()) + QString::number(n);
        taken << name;
        sources.emplace_back(name, file.filePath());
    }
    return sources;
}

ContentPack::Sources ContentPack::FromList(const QString& listFile, const QString& folder, QString& error)
{
    QFile file(listFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = "cannot read " + listFile;
        return {};
    }
    Sources sources;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QStringList parts = line.split(QRegularExpression("\\s+"));
        if (parts.size() != 2) {
            error = "bad line in " + listFile + ": " + line;
            return {};
        }
        sources.emplace_back(TileName(parts[0]), QDir(folder).filePath(parts[1]));
    }
    return sources;
}

bool ContentPack::Write(const Sources& sources, QStringList& report)
{
    if (!QDir().mkpath(folder_ + "/bmp") || !QDir().mkpath(folder_ + "/anim") || !QDir().mkpath(folder_ + "/sounds")) {
        report << "cannot create the folders of " + folder_;
        return false;
    }
    QStringList names;
    if (!WritePictures(sources, names, report) || !WriteSounds(report)) return false;
    tiles_ = int(names.size());
    if (names.isEmpty()) {
        report << "no usable picture";
        return false;
    }
    return WriteIni(names);
}

bool ContentPack::WritePictures(const Sources& sources, QStringList& names, QStringList& report)
{
    const int w = TilePictureMaker::Width, h = TilePictureMaker::Height;
    if (!SaveBmp(CoverArt::Cover(w, h), folder_ + "/bmp/cover.bmp") ||
        !SaveBmp(PaletteQuantizer::ToIndexed8(CoverArt::Matched(w, h)), folder_ + "/bmp/matched.bmp")) {
        report << "cannot write into " + folder_ + "/bmp";
        return false;
    }
    for (const auto& [name, path] : sources) {
        if (names.size() == MaxTiles) {
            report << QString("only the first %1 pictures are used").arg(MaxTiles);
            break;
        }
        QImage face = TilePictureMaker::Make(path, int(names.size()));
        if (face.isNull()) {
            report << "not a readable picture, left out: " + path;
            continue;
        }
        if (StoredIndexed(int(names.size()))) face = PaletteQuantizer::ToIndexed8(face);
        if (!SaveBmp(face, folder_ + "/bmp/" + name + ".bmp")) {
            report << "cannot write " + folder_ + "/bmp/" + name + ".bmp";
            return false;
        }
        if (!AnimationMaker::Write(path, int(names.size()), folder_ + "/anim/" + name + ".flc")) {
            report << "cannot write " + folder_ + "/anim/" + name + ".flc";
            return false;
        }
        names << name;
    }
    return true;
}

bool ContentPack::WriteSounds(QStringList& report)
{
    for (const QStringList* group : {&NopeSounds, &YupSounds, &OtherSounds}) {
        for (const QString& name : *group) {
            const QString path = folder_ + "/sounds/" + name + ".wav";
            if (!JingleSynth::WriteWav(path.toStdString(), JingleSynth::Render(JingleSynth::Jingle(name.toStdString())))) {
                report << "cannot write " + path;
                return false;
            }
        }
    }
    return true;
}

bool ContentPack::WriteIni(const QStringList& names)
{
    QSaveFile file(folder_ + "/Pairlet.ini");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    QTextStream out(&file);
    out << "; Pairlet content, made by pairlet-pack: the tile pictures, the cover and\n"
           "; matched-tile pictures and the sounds. Paths are relative to the folder\n"
           "; the game runs in.\n[Tiles]\n";
    for (int i = 0; i < names.size(); ++i)
        out << QString("TILE%1=%2\n").arg(i + 1, 2, 10, QChar('0')).arg(names[i]);
    out << "\n[Cover Tiles]\nNEWTILE=bmp\\cover.bmp\nMATCHTILE=bmp\\matched.bmp\n\n[Nopesounds]\n";
    for (int i = 0; i < NopeSounds.size(); ++i)
        out << QString("NOPE%1=sounds\\%2.wav\n").arg(i + 1, 2, 10, QChar('0')).arg(NopeSounds[i]);
    out << "\n[Yupsounds]\n";
    for (int i = 0; i < YupSounds.size(); ++i)
        out << QString("YUP%1=sounds\\%2.wav\n").arg(i + 1, 2, 10, QChar('0')).arg(YupSounds[i]);
    out << "\n[Other Sounds]\nSTARTSOUND=sounds\\start.wav\nFINSOUND=sounds\\fin.wav\nBYESOUND=sounds\\bye.wav\n";
    out.flush();
    return file.commit();
}

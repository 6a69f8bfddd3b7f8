#include "ContentPack.h"

#include "AnimationMaker.h"
#include "CoverArt.h"
#include "JingleSynth.h"
#include "PackAdvice.h"
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

// Every third face is stored with a colour table where its colours fit one.
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

bool ContentPack::Write(const Sources& sources, QStringList& report, const Progress& progress)
{
    madeFiles_.clear();
    madeFolders_.clear();
    tiles_ = 0;
    const auto tooFew = [&report](int pictures) {
        if (PackAdvice::Enough(pictures)) return false;
        for (const std::string& line : PackAdvice::For(pictures)) report << QString::fromStdString(line);
        return true;
    };
    if (tooFew(int(sources.size()))) return false;
    QStringList names;
    const bool written = MakeFolders(report) && WritePictures(sources, names, report, progress) &&
                         !tooFew(int(names.size())) && WriteSounds(report) && WriteIni(names, report);
    if (!written) {
        TakeBack();
        return false;
    }
    tiles_ = int(names.size());
    return true;
}

bool ContentPack::MakeFolders(QStringList& report)
{
    // The missing folders from the outermost in, each recorded as it is made.
    const QString top = QDir::cleanPath(QDir(folder_).absolutePath());
    QStringList missing;
    for (QString path = top; !QFileInfo::exists(path) && path != QFileInfo(path).path(); path = QFileInfo(path).path())
        missing.prepend(path);
    for (const char* sub : {"/bmp", "/anim", "/sounds"})
        if (!QFileInfo::exists(top + sub)) missing << top + sub;
    for (const QString& path : missing) {
        if (!QDir().mkdir(path)) {
            report << "cannot create the folder " + path;
            return false;
        }
        madeFolders_ << path;
    }
    return true;
}

const QString& ContentPack::Made(const QString& path)
{
    // A file of an earlier pack in the same folder is not this run's to take.
    if (!QFileInfo::exists(path)) madeFiles_ << path;
    return path;
}

void ContentPack::TakeBack()
{
    for (auto file = madeFiles_.crbegin(); file != madeFiles_.crend(); ++file) QFile::remove(*file);
    for (auto folder = madeFolders_.crbegin(); folder != madeFolders_.crend(); ++folder) QDir().rmdir(*folder);
}

bool ContentPack::WritePictures(const Sources& sources, QStringList& names, QStringList& report,
                                const Progress& progress)
{
    const int w = faceSize_.width(), h = faceSize_.height();
    if (!SaveBmp(CoverArt::Cover(w, h), Made(folder_ + "/bmp/cover.bmp")) ||
        !SaveBmp(PaletteQuantizer::ToIndexed8(CoverArt::Matched(w, h)), Made(folder_ + "/bmp/matched.bmp"))) {
        report << "cannot write into " + folder_ + "/bmp";
        return false;
    }
    int n = 0;
    for (const auto& [name, path] : sources) {
        if (progress) progress(++n, int(sources.size()));
        if (names.size() == MaxTiles) {
            report << QString("only the first %1 pictures are used").arg(MaxTiles);
            break;
        }
        QImage face = TilePictureMaker::Make(path, int(names.size()), faceSize_);
        if (face.isNull()) {
            report << "not a readable picture, left out: " + path;
            continue;
        }
        // An 8-bit face only where its colours fit: a face of more keeps
        // them all in 24 bits rather than a dithered approximation.
        if (StoredIndexed(int(names.size()))) {
            const QImage exact = PaletteQuantizer::ExactIndexed8(face);
            if (!exact.isNull()) face = exact;
        }
        if (!SaveBmp(face, Made(folder_ + "/bmp/" + name + ".bmp"))) {
            report << "cannot write " + folder_ + "/bmp/" + name + ".bmp";
            return false;
        }
        if (!AnimationMaker::Write(path, int(names.size()), Made(folder_ + "/anim/" + name + ".flc"))) {
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
            const QString path = Made(folder_ + "/sounds/" + name + ".wav");
            if (!JingleSynth::WriteWav(path.toStdString(), JingleSynth::Render(JingleSynth::Jingle(name.toStdString())))) {
                report << "cannot write " + path;
                return false;
            }
        }
    }
    return true;
}

bool ContentPack::WriteIni(const QStringList& names, QStringList& report)
{
    QSaveFile file(Made(folder_ + "/Pairlet.ini"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        report << "cannot write " + folder_ + "/Pairlet.ini";
        return false;
    }
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
    if (file.commit()) return true;
    report << "cannot write " + folder_ + "/Pairlet.ini";
    return false;
}

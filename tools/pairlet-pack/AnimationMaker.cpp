#include "AnimationMaker.h"

#include "FlicEncoder.h"
#include "PaletteQuantizer.h"
#include "TilePictureMaker.h"

#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

#include <cmath>
#include <unordered_map>

namespace {

constexpr double Pi = 3.14159265358979323846;
// The subject's side relative to the frame height: room for the motion.
constexpr double SubjectShare = 0.72;
// Pixels more transparent than this belong to the screen, not the picture.
constexpr int OpaqueFrom = 96;

// Edges are seen against the matte: their colour is blended so.
QRgb Over(QRgb c, QRgb matte)
{
    const int a = qAlpha(c);
    const auto mix = [a](int own, int ground) { return (own * a + ground * (255 - a)) / 255; };
    return qRgb(mix(qRed(c), qRed(matte)), mix(qGreen(c), qGreen(matte)), mix(qBlue(c), qBlue(matte)));
}

// The picture's own pixels of every frame in one row, for one colour table
// that serves all frames; the screen around it takes no entries.
QImage PicturePixels(const QList<QImage>& frames, QRgb matte)
{
    std::vector<QRgb> seen;
    for (const QImage& frame : frames) {
        const QImage argb = frame.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                if (qAlpha(row[x]) >= OpaqueFrom) seen.push_back(Over(row[x], matte));
        }
    }
    if (seen.empty()) seen.push_back(qRgb(255, 255, 255));
    QImage strip(int(seen.size()), 1, QImage::Format_RGB32);
    std::copy(seen.begin(), seen.end(), reinterpret_cast<QRgb*>(strip.scanLine(0)));
    return strip;
}

// Nearest table entry, remembered per colour: pictures repeat few colours.
class ColourMapper {
public:
    explicit ColourMapper(const QVector<QRgb>& table) : table_(table) {}
    int Index(QRgb colour)
    {
        const auto found = cache_.find(colour);
        if (found != cache_.end()) return found->second;
        int best = 0;
        long bestDistance = -1;
        for (int i = 0; i < table_.size(); ++i) {
            const long dr = qRed(table_[i]) - qRed(colour), dg = qGreen(table_[i]) - qGreen(colour),
                       db = qBlue(table_[i]) - qBlue(colour);
            const long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
            if (bestDistance < 0 || d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        cache_.emplace(colour, best);
        return best;
    }

private:
    QVector<QRgb> table_;
    std::unordered_map<QRgb, int> cache_;
};

} // namespace

QImage AnimationMaker::Subject(const QImage& source, int side)
{
    if (source.hasAlphaChannel())
        return source.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage photo = source.scaled(side, side, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    QImage framed(side, side, QImage::Format_ARGB32_Premultiplied);
    framed.fill(Qt::transparent);
    QPainter painter(&framed);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath round;
    round.addRoundedRect(QRectF(3, 3, side - 6, side - 6), side / 8.0, side / 8.0);
    painter.setClipPath(round);
    painter.drawImage((side - photo.width()) / 2, (side - photo.height()) / 2, photo);
    painter.setClipping(false);
    painter.setPen(QPen(QColor(250, 250, 240), 5));
    painter.drawPath(round);
    return framed;
}

void AnimationMaker::DrawFrame(QImage& frame, const QImage& subject, Style style, double phase)
{
    QPainter painter(&frame);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const double cx = frame.width() / 2.0, cy = frame.height() / 2.0;
    const double wave = std::sin(2 * Pi * phase);
    painter.translate(cx, cy);
    switch (style) {
    case Spin:
        painter.rotate(360.0 * phase);
        break;
    case Bounce: {
        // Up and down with a squash where it lands.
        const double height = std::abs(std::sin(Pi * phase));
        const double room = (frame.height() - subject.height()) / 2.0;
        const double squash = height < 0.25 ? 1 - (0.25 - height) * 0.6 : 1;
        painter.translate(0, room - 2 * room * height + subject.height() / 2.0 * (1 - squash));
        painter.scale(1 / std::sqrt(squash), squash);
        break;
    }
    case Wobble:
        painter.translate(wave * (frame.width() - subject.width()) / 2.5, 0);
        painter.rotate(14 * wave);
        break;
    default: {
        const double scale = 0.86 + 0.16 * wave;
        painter.scale(scale, scale);
        painter.rotate(6 * std::sin(4 * Pi * phase));
    }
    }
    painter.drawImage(QPointF(-subject.width() / 2.0, -subject.height() / 2.0), subject);
}

QList<QImage> AnimationMaker::Frames(const QImage& picture, Style style, int width, int height, int frames)
{
    const QImage subject = Subject(picture, int(height * SubjectShare));
    QList<QImage> list;
    for (int i = 0; i < frames; ++i) {
        QImage frame(width, height, QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::transparent);
        DrawFrame(frame, subject, style, double(i) / frames);
        list << frame;
    }
    return list;
}

std::string AnimationMaker::Flc(const QList<QImage>& frames, int periodMs, QRgb matte)
{
    // Entry 0 is kept for the screen around the picture.
    const QVector<QRgb> table = PaletteQuantizer::MedianCut(PicturePixels(frames, matte), 255);
    FlicEncoder::Palette palette{};
    for (int i = 0; i < table.size(); ++i) palette[std::size_t(i + 1)] = table[i] & 0xFFFFFF;
    ColourMapper mapper(table);
    const int w = frames[0].width(), h = frames[0].height();
    FlicEncoder encoder(w, h, periodMs);
    for (const QImage& frame : frames) {
        const QImage argb = frame.convertToFormat(QImage::Format_ARGB32);
        std::vector<std::uint8_t> pixels(std::size_t(w * h), 0);
        for (int y = 0; y < h; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (qAlpha(row[x]) >= OpaqueFrom) pixels[std::size_t(y * w + x)] = std::uint8_t(1 + mapper.Index(Over(row[x], matte)));
            }
        }
        encoder.AddFrame(pixels, palette);
    }
    return encoder.Finish();
}

bool AnimationMaker::Write(const QString& sourcePath, int index, const QString& outputPath)
{
    const QImage source = TilePictureMaker::Render(sourcePath, int(Height * SubjectShare));
    if (source.isNull()) return false;
    const std::string flc = Flc(Frames(source, Style(index % StyleCount)), PeriodMs);
    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(flc.data(), qint64(flc.size()));
    return file.commit();
}

void AnimationMaker::DrawCard(QPainter& painter, QPointF centre, double turn)
{
    // A card seen edge-on in the middle of its turn: its width follows the cosine.
    const double width = 26 * std::abs(std::cos(Pi * turn));
    const bool face = std::cos(Pi * turn) < 0;
    const QRectF card(centre.x() - width / 2, centre.y() - 19, std::max(width, 1.5), 38);
    painter.setPen(QPen(QColor(40, 40, 70), 1.5));
    painter.setBrush(face ? QColor(255, 214, 92) : QColor(70, 110, 200));
    painter.drawRoundedRect(card, 4, 4);
    if (width < 10) return;
    painter.save();
    painter.translate(centre);
    painter.scale(width / 26, 1);
    painter.setPen(face ? QColor(200, 60, 60) : QColor(250, 250, 250));
    QFont font("DejaVu Sans", 15, QFont::Bold);
    painter.setFont(font);
    painter.drawText(QRectF(-13, -19, 26, 38), Qt::AlignCenter, face ? QString(QChar(0x2665)) : QString("?"));
    painter.restore();
}

QList<QImage> AnimationMaker::AboutFrames()
{
    const QString name = "Pairlet";
    const QColor letters[] = {{226, 70, 70}, {240, 140, 40}, {214, 180, 20}, {70, 170, 80},
                              {40, 150, 200}, {90, 100, 220}, {170, 80, 200}};
    QFont font("DejaVu Sans", 22, QFont::Bold);
    QList<QImage> frames;
    for (int f = 0; f < AboutFrameCount; ++f) {
        const double phase = double(f) / AboutFrameCount;
        QImage frame(AboutWidth, AboutHeight, QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::transparent);
        QPainter painter(&frame);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        DrawCard(painter, {20, AboutHeight / 2.0}, phase * 2);
        DrawCard(painter, {AboutWidth - 20, AboutHeight / 2.0}, phase * 2 + 1);
        painter.setFont(font);
        const QFontMetricsF metrics(font);
        double x = (AboutWidth - metrics.horizontalAdvance(name)) / 2;
        for (int i = 0; i < name.size(); ++i) {
            const double rise = 7 * std::sin(2 * Pi * (phase - i / 7.0));
            painter.setPen(QPen(letters[i % 7].darker(150), 1));
            painter.setBrush(letters[i % 7]);
            QPainterPath glyph;
            glyph.addText(x, AboutHeight / 2.0 + metrics.ascent() / 2.5 - rise, font, name.mid(i, 1));
            painter.drawPath(glyph);
            x += metrics.horizontalAdvance(name.at(i));
        }
        frames << frame;
    }
    return frames;
}

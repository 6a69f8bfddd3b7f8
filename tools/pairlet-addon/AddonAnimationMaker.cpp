#include "AddonAnimationMaker.h"

#include "AnimationMaker.h"
#include "CoverArt.h"
#include "TilePictureMaker.h"

#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QTransform>

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;
// The card is drawn this large and scaled down afterwards: the perspective
// of a turn is seen from 1024 units away, so a large card shows it clearly.
constexpr int CardSide = 480;
constexpr double CardShare = 0.74; // of the frame height
constexpr double CornerRadius = CardSide / 12.0;
constexpr double TiltDegrees = 10;
// How dark the card is when seen edge-on; it brightens smoothly as it turns.
constexpr double DarkestShade = 0.45;

QPainterPath CardOutline()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, CardSide, CardSide), CornerRadius, CornerRadius);
    return path;
}

} // namespace

QImage AddonAnimationMaker::Face(const QImage& picture)
{
    QImage card(CardSide, CardSide, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    QPainter painter(&card);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.fillPath(CardOutline(), QColor(250, 246, 232));
    const QImage subject = AnimationMaker::Subject(picture, int(CardSide * 0.8));
    painter.drawImage((CardSide - subject.width()) / 2, (CardSide - subject.height()) / 2, subject);
    painter.setPen(QPen(QColor(190, 160, 90), 8));
    painter.drawPath(CardOutline());
    return card;
}

QImage AddonAnimationMaker::Back()
{
    QImage card(CardSide, CardSide, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    QPainter painter(&card);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setClipPath(CardOutline());
    painter.drawImage(QRect(0, 0, CardSide, CardSide), CoverArt::Cover(CardSide, CardSide));
    painter.setClipping(false);
    painter.setPen(QPen(QColor(190, 160, 90), 8));
    painter.drawPath(CardOutline());
    return card;
}

void AddonAnimationMaker::DrawFrame(QImage& frame, const QImage& face, const QImage& back, double phase)
{
    const double turn = 360.0 * phase;
    const double facing = std::cos(turn * Pi / 180);
    QTransform centred = QTransform::fromTranslate(-CardSide / 2.0, -CardSide / 2.0);
    // The back is seen from behind: mirror it so that it reads right.
    if (facing < 0) centred = centred * QTransform::fromScale(-1, 1);
    QTransform upright, tilt;
    upright.rotate(turn, Qt::YAxis);
    tilt.rotate(TiltDegrees * std::sin(2 * Pi * phase), Qt::XAxis);
    const double scale = frame.height() * CardShare / CardSide;
    const QTransform place = centred * upright * tilt * QTransform::fromScale(scale, scale) *
                             QTransform::fromTranslate(frame.width() / 2.0, frame.height() / 2.0);

    QPainter painter(&frame);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setTransform(place);
    painter.drawImage(0, 0, facing >= 0 ? face : back);
    const double shade = (1 - DarkestShade) * (1 - std::abs(facing));
    painter.fillPath(CardOutline(), QColor(0, 0, 0, int(255 * shade)));
}

QList<QImage> AddonAnimationMaker::Frames(const QImage& picture, int width, int height, int frames)
{
    const QImage face = Face(picture), back = Back();
    QList<QImage> list;
    for (int i = 0; i < frames; ++i) {
        QImage frame(width, height, QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::transparent);
        DrawFrame(frame, face, back, double(i) / frames);
        list << frame;
    }
    return list;
}

bool AddonAnimationMaker::Write(const QString& sourcePath, const QString& outputPath)
{
    const QImage source = TilePictureMaker::Render(sourcePath, int(CardSide * 0.8));
    if (source.isNull()) return false;
    const std::string flc = AnimationMaker::Flc(Frames(source), PeriodMs);
    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(flc.data(), qint64(flc.size()));
    return file.commit();
}

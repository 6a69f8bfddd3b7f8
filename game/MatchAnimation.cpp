#include "game/MatchAnimation.h"

#include "engine/core/mDirector.h"
#include "engine/core/mImageFlic.h"
#include "engine/sprites/mSpriteImage.h"
#include "platform/PathMap.h"
#include "platform/Rand.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr int DirtyCapacity = 50;
constexpr int MovingCapacity = 400;
constexpr std::uint32_t MainSpeed = 1000;
constexpr double RandRange = 32767.0;
constexpr int Step = 2;

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
               return std::tolower(static_cast<unsigned char>(p)) == std::tolower(static_cast<unsigned char>(q));
           });
}

// -1, 0 or +1, with a small chance of 0.
double Direction(int r)
{
    return r < 799 ? 0 : r < 17583 ? -1 : 1;
}
} // namespace

MatchAnimation::MatchAnimation(platform::Surface& window, int width, int height, platform::Clock& clock,
                               platform::Rand& rand, const platform::PathMap& paths)
    : rand_(rand), paths_(paths), director_(std::make_unique<mDirector>(window, width, height, clock, DirtyCapacity))
{
}

MatchAnimation::~MatchAnimation()
{
    for (SpriteMotion& record : records_) {
        if (!record.sprite) continue;
        director_->RemoveElement(record.sprite);
        delete record.sprite; // the last one takes the shared image along
        record.sprite = nullptr;
    }
    director_.reset();
}

bool MatchAnimation::Load(const std::string& path, bool stillCopyOnly, int screenWidth, int screenHeight)
{
    records_ = {};
    auto image = std::make_unique<mImageFlic>();
    if (!image->OpenFile(paths_.Resolve(path).c_str(), mFile::OpenRead)) return false;
    // A file that is not an animation gives no first frame; it is treated
    // like one that cannot be opened.
    firstFrame_.reset(image->MakeBitmap(false));
    if (!firstFrame_) return false;
    image->SetTarget(firstFrame_.get());
    // The bottom-left pixel comes first in the stored rows.
    transparent_ = firstFrame_->desc.bits[0] == 0 || SameIgnoringCase(path, "anim\\bball4.flc");

    const int width = image->frameInfo->width, height = image->frameInfo->height;
    auto* main = new mSpriteImage();
    main->SetImage(image.release());
    main->Image()->SetRemap(false);
    main->SetSpeed(MainSpeed);
    main->SetCatchUp(false);
    main->Image()->SetTransparent(transparent_);
    main->SetOrigin(width / 2, height / 2);
    main->MoveTo(screenWidth / 2, screenHeight / 2, 0);
    records_[0].sprite = main;
    director_->AddElement(main);
    if (!stillCopyOnly)
        for (int k = 1; k < Records; ++k) AddCopy(k, screenWidth, screenHeight);
    return true;
}

void MatchAnimation::AddCopy(int k, int screenWidth, int screenHeight)
{
    SpriteMotion& record = records_[std::size_t(k)];
    mRenderer* image = records_[0].sprite->Image();
    record.sprite = new mSpriteImage();
    record.sprite->SetImage(image);
    image->SetRemap(false);
    image->SetTransparent(transparent_);
    record.sprite->SetOrigin(image->frameInfo->width / 2, image->frameInfo->height / 2);
    record.x = Draw(10) * double(screenWidth) / RandRange;
    record.y = Draw(10) * double(screenHeight) / RandRange;
    RandomDirection(record);
    record.sprite->MoveTo(int(record.x), int(record.y), k);
    director_->AddElement(record.sprite);
    director_->SetDirtyCapacity(MovingCapacity);
}

int MatchAnimation::Draw(int discard)
{
    for (int i = 0; i < discard; ++i) rand_.Next();
    return rand_.Next();
}

void MatchAnimation::RandomDirection(SpriteMotion& record)
{
    record.dx = Direction(Draw(7));
    const int r = Draw(17);
    // Never standing still: without a horizontal direction it goes up or down.
    record.dy = record.dx == 0 ? (r < 16384 ? -1 : 1) : Direction(r);
}

void MatchAnimation::MoveAll(int boundsWidth, int boundsHeight)
{
    for (SpriteMotion& record : records_)
        if (record.sprite) Move(record, boundsWidth, boundsHeight);
}

void MatchAnimation::Move(SpriteMotion& record, int boundsWidth, int boundsHeight)
{
    const auto& info = *record.sprite->Image()->frameInfo;
    const int hw = info.width / 2, hh = info.height / 2;
    const double nx = StepAxis(record, &SpriteMotion::x, &SpriteMotion::dx, boundsWidth - 2 * hw);
    const double ny = StepAxis(record, &SpriteMotion::y, &SpriteMotion::dy, boundsHeight - 2 * hh);
    record.x = nx;
    record.y = ny;
    record.sprite->MoveTo(int(nx) + hw, int(ny) + hh, -1);
}

double MatchAnimation::StepAxis(SpriteMotion& record, double SpriteMotion::*position, double SpriteMotion::*direction,
                                double limit)
{
    // At an edge a new direction is drawn (for both axes), then this axis
    // is turned away from the edge.
    double& d = record.*direction;
    const double next = record.*position + Step * d;
    if (next <= 0) {
        RandomDirection(record);
        if (d <= 0) d = -d;
        return 0;
    }
    if (next >= limit) {
        RandomDirection(record);
        if (d >= 0) d = -d;
        return limit;
    }
    return next;
}

void MatchAnimation::Tick()
{
    director_->Tick();
}

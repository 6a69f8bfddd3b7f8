#include "engine/sprites/mImageBitmap.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <unordered_set>

const char* const mImageBitmap::Keywords[] = {"FILE", "RECT", "TILE", "SOURCEFRAME", "ORIGIN", "TIME", "DELTA", "END", ""};

namespace {

mRect RectOf(const std::vector<std::int32_t>& n)
{
    return {n[0], n[1], n[2], n[3]};
}

} // namespace

// What one description has read so far: the open source, the picture cut
// from, and the values the next frames take.
class mImageBitmap::Reading {
public:
    enum Pending { None, File, Frame };

    Reading(mImageBitmap& owner, const mFile& text) : owner_(owner), text_(text)
    {
        std::unordered_set<const mBitmap*> held;
        for (const auto& f : owner.frames_)
            if (held.insert(f.picture).second) budget_ -= Bytes(*f.picture);
    }
    ~Reading() { DropSource(); }

    bool HasSource() const { return source_ != nullptr; }

    // The source read to its end: what is pending is added, and a file
    // nothing was cut from gives all its frames whole.
    void Finish()
    {
        if (!source_) return;
        if (pending_ != None) AddCurrent(&changed_);
        if (pending_ == File) {
            // A file that claims more frames than it holds ends at the first
            // one it cannot give.
            for (int i = 1; i < source_->rendererInfo->frameCount; ++i) {
                source_->SeekFrame(i, 0);
                if (!TakePicture()) break;
                if (source_->madeFrom < 0) break;
                AddCurrent(&changed_);
            }
        }
        DropSource();
    }

    void Open(const std::string& operand)
    {
        const std::string name = text_.NameInText(operand);
        source_ = mRenderer::ForFileName(name);
        if (!source_) return;
        if (!source_->OpenFile(name.c_str()) || !TakePicture()) {
            DropSource();
            return;
        }
        pending_ = File;
    }

    void SourceFrame(int n)
    {
        if (pending_ == Frame) AddCurrent(&changed_);
        source_->SeekFrame(n, 0);
        if (TakePicture()) pending_ = Frame;
        else pending_ = None;
    }

    void Rect(const mRect& cut)
    {
        pending_ = None;
        cut_ = cut;
        if (picture_) owner_.AddFrame(picture_, &cut_, originX_, originY_, time_, &changed_);
    }

    void Tile(int w, int h)
    {
        pending_ = None;
        // A tile of no size would never leave the picture.
        if (w <= 0 || h <= 0 || !picture_) {
            owner_.Error(CLASS_mImageBitmap, ERR_BAD_RECTANGLE, "TILE");
            return;
        }
        const BitmapDesc& d = picture_->desc;
        for (std::int64_t top = 0; top + h <= d.height; top += h)
            for (std::int64_t left = 0; left + w <= d.width; left += w) {
                const mRect cut{int(left), int(top), int(left + w), int(top + h)};
                if (!owner_.AddFrame(picture_, &cut, originX_, originY_, time_, nullptr) && owner_.AtFrameLimit())
                    return;
            }
    }

    void Origin(std::int32_t x, std::int32_t y) { originX_ = x, originY_ = y; }
    void Time(std::uint32_t t) { time_ = t; }
    void Delta(const mRect& changed) { changed_ = changed; }

private:
    // The current frame of the source as the picture to cut from, with the
    // frame's own values. Pictures are copies of whole frames: a small file
    // that claims many large frames must not take all the memory there is.
    bool TakePicture()
    {
        // The picture before, if no frame took it, is not needed any more.
        ForgetPicture();
        const std::int64_t needed = std::int64_t(std::max(source_->frameInfo->width, 1)) *
                                    std::max(source_->frameInfo->height, 1);
        if (needed > budget_) {
            owner_.Error(CLASS_mImageBitmap, ERR_OUT_OF_MEMORY);
            return false;
        }
        picture_ = source_->MakeBitmap(false);
        if (!picture_) return false;
        budget_ -= Bytes(*picture_);
        const FrameInfo& f = *source_->frameInfo;
        cut_ = {0, 0, picture_->desc.width, picture_->desc.height};
        originX_ = f.originX;
        originY_ = f.originY;
        if (f.framePeriod != 0) time_ = f.framePeriod;
        // A frame that changed nothing is still a frame: all of it counts.
        changed_ = f.changed.Empty() ? cut_ : f.changed;
        return true;
    }
    void AddCurrent(const mRect* changed)
    {
        if (picture_) owner_.AddFrame(picture_, &cut_, originX_, originY_, time_, changed);
    }
    // A picture no frame took is not needed any more.
    void ForgetPicture()
    {
        if (picture_ && picture_->useCount == 0) {
            budget_ += Bytes(*picture_);
            delete picture_;
        }
        picture_ = nullptr;
    }
    static std::int64_t Bytes(const mBitmap& p) { return std::int64_t(p.desc.stride) * p.desc.height; }
    void DropSource()
    {
        ForgetPicture();
        if (source_ && source_->open) source_->CloseFile();
        source_.reset();
        pending_ = None;
    }

    mImageBitmap& owner_;
    const mFile& text_;
    std::unique_ptr<mRenderer> source_;
    mBitmap* picture_ = nullptr;
    mRect cut_, changed_;
    std::int32_t originX_ = 0, originY_ = 0;
    std::uint32_t time_ = 0;
    Pending pending_ = None;
    std::int64_t budget_ = MaxPictureBytes;
};

mImageBitmap::mImageBitmap()
{
    rendererInfo->formatTag = TagBmap;
}

mImageBitmap::~mImageBitmap()
{
    for (Frame& f : frames_)
        if (--f.picture->useCount == 0) delete f.picture;
    SetTarget(nullptr);
    if (useCount != 0) {
        Warning(CLASS_mImageBitmap, ERR_STILL_IN_USE);
        useCount = 0;
    }
}

std::vector<std::int32_t> mImageBitmap::Numbers(const std::string& text, int count)
{
    std::vector<std::int32_t> n(std::size_t(count), 0);
    const char* p = text.c_str();
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        const long long v = std::strtoll(p, &end, 10);
        if (end == p) break;
        n[std::size_t(i)] = std::int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
        if (*end != ',') break;
        p = end + 1;
    }
    return n;
}

int mImageBitmap::ReadDescription(mFile& file)
{
    if (!file.open) return 0;
    Reading reading(*this, file);
    for (;;) {
        const int keyword = file.ReadKeyword(Keywords);
        const std::string& operand = file.KeywordValue();
        if (keyword < 0 || keyword == KeyEnd || keyword == KeyFile) reading.Finish();
        if (keyword < 0 || keyword == KeyEnd) return 1;
        if ((keyword == KeyRect || keyword == KeyTile || keyword == KeySourceFrame) && !reading.HasSource()) {
            Error(CLASS_mImageBitmap, ERR_FILE_TYPE, Keywords[keyword]);
            return 0;
        }
        const std::vector<std::int32_t> n = Numbers(operand, 4);
        switch (keyword) {
        case KeyFile: reading.Open(operand); break;
        case KeyRect: reading.Rect(RectOf(n)); break;
        case KeyTile: reading.Tile(n[0], n[1]); break;
        case KeySourceFrame: reading.SourceFrame(n[0]); break;
        case KeyOrigin: reading.Origin(n[0], n[1]); break;
        // An unsigned long read into 32 bits, as the original did.
        case KeyTime: reading.Time(std::uint32_t(std::strtoull(operand.c_str(), nullptr, 10))); break;
        case KeyDelta: reading.Delta(RectOf(n)); break;
        default: break;
        }
    }
}

bool mImageBitmap::AddFrame(mBitmap* picture, const mRect* cut, std::int32_t originX, std::int32_t originY,
                            std::uint32_t time, const mRect* changed)
{
    if (AtFrameLimit()) {
        Error(CLASS_mImageBitmap, ERR_OUT_OF_MEMORY);
        return false;
    }
    const BitmapDesc& d = picture->desc;
    mRect c = cut ? *cut : mRect{0, 0, d.width, d.height};
    c = {std::max(c.left, 0), std::max(c.top, 0), std::min(c.right, d.width), std::min(c.bottom, d.height)};
    if (c.Empty()) {
        Error(CLASS_mImageBitmap, ERR_BAD_RECTANGLE);
        return false;
    }
    mRect ch = changed ? *changed : mRect{0, 0, c.Width(), c.Height()};
    ch = {std::max(ch.left, 0), std::max(ch.top, 0), std::min(ch.right, c.Width()), std::min(ch.bottom, c.Height())};
    if (ch.Empty()) {
        Error(CLASS_mImageBitmap, ERR_BAD_RECTANGLE);
        return false;
    }
    try {
        frames_.push_back({picture, c, ch, originX, originY, time, 0});
    } catch (const std::bad_alloc&) {
        Error(CLASS_mImageBitmap, ERR_OUT_OF_MEMORY);
        return false;
    }
    ++picture->useCount;
    ++rendererInfo->frameCount;
    rendererInfo->width = std::max(rendererInfo->width, c.Width());
    rendererInfo->height = std::max(rendererInfo->height, c.Height());
    picture->EnableTransparency(frameInfo->transparent != 0);
    picture->EnableTranslation(frameInfo->remap != 0);
    if (frames_.size() == 1) {
        current_ = 0;
        SeekFrame(0, 1);
    } else {
        SeekFrame(1, 1);
    }
    return true;
}

int mImageBitmap::ReadHeader()
{
    // The frames come from descriptions, not from a file of its own.
    Publish();
    return frames_.empty() ? 0 : 1;
}

int mImageBitmap::WriteHeader()
{
    Error(CLASS_mImageBitmap, ERR_NOT_IMPLEMENTED, "WriteHeader()");
    return 0;
}

int mImageBitmap::WriteFrame()
{
    Error(CLASS_mImageBitmap, ERR_NOT_IMPLEMENTED, "WriteFrame()");
    return 0;
}

int mImageBitmap::SeekFrame(int n, int origin)
{
    const std::int64_t count = std::int64_t(frames_.size());
    if (count == 0) return -1;
    std::int64_t to = origin == 1 ? std::int64_t(current_) + n : origin == 2 ? count - n : n;
    // The frames form a ring.
    to %= count;
    if (to < 0) to += count;
    current_ = int(to);
    Publish();
    return current_;
}

void mImageBitmap::Publish()
{
    FrameInfo& f = *frameInfo;
    if (frames_.empty()) return;
    const Frame& frame = frames_[std::size_t(current_)];
    f.currentFrame = current_;
    f.framePeriod = frame.time;
    f.width = frame.cut.Width();
    f.height = frame.cut.Height();
    f.depth = frame.picture->desc.bitCount;
    f.planes = 1;
    f.originX = frame.originX;
    f.originY = frame.originY;
    f.changed = frame.changed;
    if (f.colours != frame.picture->desc.colours && !f.remap) f.paletteChanged = 1;
    f.colours = frame.picture->desc.colours;
}

int mImageBitmap::Draw(int x, int y, const mRect* clip)
{
    if (frames_.empty() || !target) return -1;
    const Frame& frame = frames_[std::size_t(current_)];
    mRect area = ClipToTarget(clip);
    area = {std::max(area.left, x), std::max(area.top, y), std::min(area.right, x + frame.cut.Width()),
            std::min(area.bottom, y + frame.cut.Height())};
    if (!area.Empty()) frame.picture->Copy(*target, area, frame.cut.left + area.left - x, frame.cut.top + area.top - y);
    if (frameInfo->autoAdvance) SeekFrame(1, 1);
    return current_;
}

void mImageBitmap::ForEachPicture(void (*apply)(mBitmap&, mImageBitmap&))
{
    // Frames cut from one picture share it: each picture once.
    std::unordered_set<mBitmap*> done;
    for (Frame& f : frames_)
        if (done.insert(f.picture).second) apply(*f.picture, *this);
}

void mImageBitmap::MatchPalette()
{
    if (!frameInfo->remap || !target) return;
    translationNeeded = 0;
    ForEachPicture([](mBitmap& p, mImageBitmap& self) { self.translationNeeded |= p.BuildTranslation(self.target); });
}

void mImageBitmap::SetTransparent(bool on)
{
    mRenderer::SetTransparent(on);
    ForEachPicture([](mBitmap& p, mImageBitmap& self) { p.EnableTransparency(self.frameInfo->transparent != 0); });
}

void mImageBitmap::SetTransparentColor(std::uint32_t index)
{
    mRenderer::SetTransparentColor(index);
    ForEachPicture([](mBitmap& p, mImageBitmap& self) { p.SetTransparentIndex(self.frameInfo->transparentColour); });
}

void mImageBitmap::SetRemap(bool on)
{
    mRenderer::SetRemap(on);
    ForEachPicture([](mBitmap& p, mImageBitmap& self) { p.EnableTranslation(self.frameInfo->remap != 0); });
    frameInfo->paletteChanged = on ? 0 : 1;
}

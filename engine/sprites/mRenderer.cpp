#include "engine/sprites/mRenderer.h"

#include "engine/core/mColourSearch.h"
#include "engine/core/mImageFlic.h"
#include "engine/media/mImageAVI.h"
#include "engine/media/mImageBMP.h"
#include "engine/sprites/mImageDCX.h"
#include "engine/sprites/mImagePCX.h"
#include "platform/TrueColourRow.h"

#include <algorithm>
#include <cctype>

mRenderer::~mRenderer()
{
    SetTarget(nullptr);
}

int mRenderer::SetTarget(mBitmap* bitmap)
{
    if (target) --target->useCount;
    target = bitmap;
    targetDesc = bitmap ? &bitmap->desc : nullptr;
    if (bitmap) ++bitmap->useCount;
    return 1;
}

void mRenderer::SetAutoAdvance(bool on)
{
    frameInfo->autoAdvance = on ? 1 : 0;
}

void mRenderer::SetTransparent(bool on)
{
    frameInfo->transparent = on ? 1 : 0;
}

void mRenderer::SetTransparentColor(std::uint32_t index)
{
    frameInfo->transparentColour = index;
    frameInfo->transparent = 1;
}

void mRenderer::SetRemap(bool on)
{
    frameInfo->remap = on ? 1 : 0;
}

mBitmap* mRenderer::MakeBitmap(bool ownDepth)
{
    if (rendererInfo->formatTag == 0 && !ReadHeader()) return nullptr;
    const int depth = ownDepth ? frameInfo->depth : 8;
    auto bitmap = std::make_unique<mBitmap>();
    if (!bitmap->Create(frameInfo->width, frameInfo->height, depth)) return nullptr;
    if (frameInfo->colours) bitmap->SetColors(frameInfo->colours, 0, 256);
    mBitmap* previous = target;
    if (previous) ++previous->useCount; // kept alive across the switch
    SetTarget(bitmap.get());
    madeFrom = Draw(0, 0, nullptr);
    bitmap->SetTransparentIndex(bitmap->desc.bitCount == 8 ? bitmap->desc.topRow[0] : 0);
    SetTarget(previous);
    if (previous) --previous->useCount;
    return bitmap.release();
}

std::string mRenderer::Extension(const std::string& fileName)
{
    // The file's own name: folders such as "../" or "my.pictures/" have dots too.
    const std::size_t separator = fileName.find_last_of("/\\");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const std::size_t dot = fileName.find('.', nameStart);
    if (dot == std::string::npos) return "";
    std::string ext = fileName.substr(dot + 1, 3);
    for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

namespace {

// The frame sources chosen by a file name's extension. Descriptions
// (mImageBitmap) are read through a sprite's script, never chosen by name.
struct SourceKind {
    const char* extension;
    std::unique_ptr<mRenderer> (*make)();
};
template <typename Source> std::unique_ptr<mRenderer> Make()
{
    return std::make_unique<Source>();
}
constexpr SourceKind SourceKinds[] = {
    {"FLI", Make<mImageFlic>}, {"FLC", Make<mImageFlic>}, {"PCX", Make<mImagePCX>},
    {"DCX", Make<mImageDCX>},  {"BMP", Make<mImageBMP>},  {"AVI", Make<mImageAVI>},
};

const SourceKind* KindOf(const std::string& fileName)
{
    const std::string ext = mRenderer::Extension(fileName);
    for (const SourceKind& kind : SourceKinds)
        if (ext == kind.extension) return &kind;
    return nullptr;
}

} // namespace

bool mRenderer::HasSourceFor(const std::string& fileName)
{
    return KindOf(fileName) != nullptr;
}

std::unique_ptr<mRenderer> mRenderer::ForFileName(const std::string& fileName)
{
    if (const SourceKind* kind = KindOf(fileName)) return kind->make();
    struct Reporter : mObject {} reporter;
    reporter.Error(CLASS_mImageBitmap, ERR_FILE_TYPE, Extension(fileName).c_str());
    return nullptr;
}

mRect mRenderer::ClipToTarget(const mRect* clip) const
{
    const BitmapDesc& t = target->desc;
    if (!clip) return {0, 0, t.width, t.height};
    return {std::max(clip->left, 0), std::max(clip->top, 0), std::min(clip->right, t.width),
            std::min(clip->bottom, t.height)};
}

void mRenderer::BuildConversion()
{
    // Kept while the target and its colours stay the same: a picture drawn
    // again and again costs its 4096 nearest-colour searches once.
    if (!conversion_.empty() && target == conversionTarget_ && target &&
        target->desc.paletteVersion == conversionVersion_)
        return;
    conversion_.clear();
    conversionTarget_ = target;
    if (!targetDesc || !target) return;
    conversionVersion_ = target->desc.paletteVersion;
    const int sourceBits = frameInfo->depth * frameInfo->planes;
    const int targetBits = targetDesc->bitCount * targetDesc->planes;
    if (sourceBits <= 8 || targetBits > 8) return;
    conversion_ = ConversionTable(*target);
}

std::vector<std::uint8_t> mRenderer::ConversionTable(const mBitmap& to)
{
    // Every source drawing into a stage, and every new source, would search
    // the same colours again: the table of the last colours is kept.
    thread_local std::vector<std::uint32_t> lastColours;
    thread_local std::vector<std::uint8_t> lastTable;
    const int entries = to.desc.colours && to.desc.bitCount <= 8 ? 1 << to.desc.bitCount : 0;
    const std::vector<std::uint32_t> colours(to.desc.colours, to.desc.colours + entries);
    if (!lastTable.empty() && colours == lastColours) return lastTable;
    const mColourSearch nearest(colours);
    std::vector<std::uint8_t> table(4096);
    int found = 0;
    for (int r = 0; r < 16; ++r)
        for (int g = 0; g < 16; ++g)
            for (int b = 0; b < 16; ++b) {
                found = nearest.Find(r * 16, g * 16, b * 16, found);
                table[std::size_t(r * 256 + g * 16 + b)] = std::uint8_t(found);
            }
    lastColours = colours;
    lastTable = table;
    return table;
}

void mRenderer::ConvertLine(const std::uint8_t* source, std::uint8_t* destination, int count,
                            int bytesPerPlane) const
{
    auto table = [this](int r, int g, int b) {
        return conversion_.empty() ? std::uint8_t(0) : conversion_[std::size_t(r * 256 + g * 16 + b)];
    };
    const int depth = frameInfo->depth, planes = frameInfo->planes;
    // Stored as in the files that have them: blue, green, red.
    if (depth == 24 && !conversion_.empty())
        return platform::ConvertBytes<3, 2, 1, 0>(source, destination, count, conversion_.data());
    for (int i = 0; i < count; ++i) {
        switch (depth) {
        case 1: {
            // Eight planes fill an index; further ones have no bit left.
            std::uint8_t v = 0;
            for (int p = 0; p < std::min(planes, 8); ++p)
                v = std::uint8_t(v | ((source[i / 8 + p * bytesPerPlane] >> (7 - i % 8)) & 1) << p);
            destination[i] = v;
            break;
        }
        case 4: destination[i] = (i % 2) ? source[i / 2] & 0x0F : source[i / 2] >> 4; break;
        case 8:
            if (planes == 3)
                destination[i] = table(source[i] >> 4, source[i + bytesPerPlane] >> 4, source[i + 2 * bytesPerPlane] >> 4);
            else
                destination[i] = source[i];
            break;
        case 16: {
            const int v = source[2 * i] | source[2 * i + 1] << 8;
            destination[i] = table(v >> 11 & 0xF, v >> 6 & 0xF, v >> 1 & 0xF);
            break;
        }
        case 24: destination[i] = table(source[3 * i + 2] >> 4, source[3 * i + 1] >> 4, source[3 * i] >> 4); break;
        default: return;
        }
    }
}

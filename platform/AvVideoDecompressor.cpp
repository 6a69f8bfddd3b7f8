#include "platform/AvVideoDecompressor.h"

#include "platform/TrueColourRow.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace platform {

namespace {

constexpr std::size_t InfoHeaderSize = 40;
constexpr std::uint32_t BiRgb = 0;

std::int32_t Le32(const std::uint8_t* p)
{
    return std::int32_t(std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                        std::uint32_t(p[3]) << 24);
}

constexpr std::uint32_t Code(char a, char b, char c, char d)
{
    return std::uint32_t(std::uint8_t(a)) | std::uint32_t(std::uint8_t(b)) << 8 |
           std::uint32_t(std::uint8_t(c)) << 16 | std::uint32_t(std::uint8_t(d)) << 24;
}

// Handler codes that name no decompressor, only "the frames as they are".
bool NamesNoCodec(std::uint32_t handler)
{
    return handler == 0 || handler == Code('D', 'I', 'B', ' ') || handler == Code('R', 'A', 'W', ' ');
}

} // namespace

AvVideoDecompressor::AvVideoDecompressor(std::uint32_t handler) : handler_(handler) {}

AvVideoDecompressor::~AvVideoDecompressor()
{
    End();
}

const AVCodec* AvVideoDecompressor::DecoderFor(std::uint32_t code)
{
    const AVCodecTag* const tables[] = {avformat_get_riff_video_tags(), nullptr};
    const AVCodecID id = av_codec_get_id(tables, code);
    return id == AV_CODEC_ID_NONE ? nullptr : avcodec_find_decoder(id);
}

const std::array<std::uint32_t, 256>& AvVideoDecompressor::TrueColourPalette()
{
    static const std::array<std::uint32_t, 256> palette = [] {
        std::array<std::uint32_t, 256> p{};
        int i = 0;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p[std::size_t(i++)] = std::uint32_t(b * 51) | std::uint32_t(g * 51) << 8 | std::uint32_t(r * 51) << 16;
        // The cube has only six greys; the rest of the table adds more.
        for (int k = 1; i < 256; ++i, ++k) {
            const std::uint32_t v = std::uint32_t(k * 255 / 41);
            p[std::size_t(i)] = v | v << 8 | v << 16;
        }
        return p;
    }();
    return palette;
}

bool AvVideoDecompressor::Begin(const std::uint8_t* format, std::size_t bytes)
{
    End();
    if (!format || bytes < InfoHeaderSize) return false;
    const std::uint32_t compression = std::uint32_t(Le32(format + 16));
    const AVCodec* codec = NamesNoCodec(handler_) ? nullptr : DecoderFor(handler_);
    if (!codec) codec = DecoderFor(compression);
    if (!codec || !OpenDecoder(codec, format, bytes)) {
        End();
        return false;
    }
    TakeColours(format, bytes);
    const std::int64_t height = Le32(format + 8);
    if (codec->id == AV_CODEC_ID_RAWVIDEO && compression == BiRgb && (format[14] | format[15] << 8) == 8 && indexed_) {
        rawWidth_ = context_->width;
        rawHeight_ = context_->height;
        rawRowBytes_ = (rawWidth_ + 3) / 4 * 4;
        rawBottomUp_ = height > 0;
    }
    return true;
}

bool AvVideoDecompressor::OpenDecoder(const AVCodec* codec, const std::uint8_t* format, std::size_t bytes)
{
    const std::int64_t width = Le32(format + 4), height = Le32(format + 8);
    const int bits = format[14] | format[15] << 8;
    const std::uint32_t compression = std::uint32_t(Le32(format + 16));
    if (width <= 0 || width > MaxSide || height == 0 || height < -MaxSide || height > MaxSide) return false;
    if (!(context_ = avcodec_alloc_context3(codec))) return false;
    context_->width = int(width);
    context_->height = int(height < 0 ? -height : height);
    context_->codec_tag = compression;
    context_->bits_per_coded_sample = bits;
    context_->thread_count = 1;
    // What follows the header is the decoder's extra data, as the AVI
    // reader hands it over; uncompressed frames stored bottom-up say so.
    const bool bottomUp = compression == BiRgb && height > 0;
    const std::size_t extra = bytes - InfoHeaderSize + (bottomUp ? 9 : 0);
    if (extra > 0) {
        context_->extradata = static_cast<std::uint8_t*>(av_mallocz(extra + AV_INPUT_BUFFER_PADDING_SIZE));
        if (!context_->extradata) return false;
        std::memcpy(context_->extradata, format + InfoHeaderSize, bytes - InfoHeaderSize);
        if (bottomUp) std::memcpy(context_->extradata + extra - 9, "BottomUp", 9);
        context_->extradata_size = int(extra);
    }
    if (avcodec_open2(context_, codec, nullptr) < 0) return false;
    frame_ = av_frame_alloc();
    received_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    indexed_ = context_->pix_fmt == AV_PIX_FMT_PAL8 || (context_->pix_fmt == AV_PIX_FMT_NONE && bits <= 8);
    return frame_ && received_ && packet_;
}

void AvVideoDecompressor::TakeColours(const std::uint8_t* format, std::size_t bytes)
{
    palette_.fill(0xFF000000u);
    const int bits = format[14] | format[15] << 8;
    if (bits > 8) return;
    const std::uint32_t used = std::uint32_t(Le32(format + 32));
    std::size_t count = used != 0 ? used : std::size_t(1) << bits;
    count = std::min({count, std::size_t(256), (bytes - InfoHeaderSize) / 4});
    for (std::size_t i = 0; i < count; ++i)
        palette_[i] = 0xFF000000u | (std::uint32_t(Le32(format + InfoHeaderSize + 4 * i)) & 0xFFFFFF);
    shown_ = palette_;
    // Decoders start without colours: they come with the first frame.
    paletteToSend_ = true;
}

void AvVideoDecompressor::GetPalette(std::uint32_t* colours) const
{
    const auto& from = indexed_ ? shown_ : TrueColourPalette();
    for (std::size_t i = 0; i < 256; ++i) colours[i] = from[i] & 0xFFFFFF;
}

void AvVideoDecompressor::ChangePalette(int first, int count, const std::uint8_t* entries)
{
    for (int i = 0; i < count && first + i < 256; ++i) {
        const std::uint8_t* e = entries + 4 * i;
        palette_[std::size_t(first + i)] = 0xFF000000u | std::uint32_t(e[0]) << 16 | std::uint32_t(e[1]) << 8 | e[2];
    }
    paletteToSend_ = true;
}

bool AvVideoDecompressor::Decompress(const std::uint8_t* data, std::size_t bytes, const IndexedPicture& picture,
                                     bool& paletteChanged)
{
    paletteChanged = false;
    // An empty chunk repeats the previous frame; to the decoder it would
    // mean the end of the stream.
    if (!context_ || !data || bytes == 0 || bytes > std::size_t(INT32_MAX)) return false;
    if (rawRowBytes_ != 0) return CopyRaw(data, bytes, picture, paletteChanged);
    if (!Send(data, bytes)) return false;
    // A failed receive empties its frame: the last good one is moved aside.
    bool got = false;
    while (avcodec_receive_frame(context_, received_) == 0) {
        av_frame_unref(frame_);
        av_frame_move_ref(frame_, received_);
        got = true;
    }
    if (!got) return false;
    if (frame_->format == AV_PIX_FMT_PAL8) CopyIndexed(picture, paletteChanged);
    else if (picture.trueColourTable) CopyTrueColour(picture);
    else return false;
    return true;
}

bool AvVideoDecompressor::Send(const std::uint8_t* data, std::size_t bytes)
{
    av_frame_unref(frame_);
    packet_->data = const_cast<std::uint8_t*>(data);
    packet_->size = int(bytes);
    if (paletteToSend_) {
        std::uint8_t* side = av_packet_new_side_data(packet_, AV_PKT_DATA_PALETTE, AVPALETTE_SIZE);
        if (side) std::memcpy(side, palette_.data(), AVPALETTE_SIZE);
        paletteToSend_ = false;
    }
    const int sent = avcodec_send_packet(context_, packet_);
    av_packet_free_side_data(packet_);
    packet_->data = nullptr;
    packet_->size = 0;
    return sent == 0;
}

void AvVideoDecompressor::CopyIndexed(const IndexedPicture& picture, bool& paletteChanged)
{
    const int w = std::min(picture.width, frame_->width), h = std::min(picture.height, frame_->height);
    for (int y = 0; y < h; ++y)
        std::memcpy(picture.topRow + y * picture.rowStep, frame_->data[0] + std::ptrdiff_t(y) * frame_->linesize[0],
                    std::size_t(w));
    if (!frame_->data[1]) return;
    std::array<std::uint32_t, 256> colours;
    std::memcpy(colours.data(), frame_->data[1], AVPALETTE_SIZE);
    for (auto& c : colours) c |= 0xFF000000u;
    if (colours == shown_) return;
    shown_ = colours;
    paletteChanged = true;
}

bool AvVideoDecompressor::CopyRaw(const std::uint8_t* data, std::size_t bytes, const IndexedPicture& picture,
                                  bool& paletteChanged)
{
    if (bytes < std::size_t(rawRowBytes_) * std::size_t(rawHeight_)) return false;
    const int w = std::min(picture.width, rawWidth_), h = std::min(picture.height, rawHeight_);
    for (int y = 0; y < h; ++y) {
        const int stored = rawBottomUp_ ? rawHeight_ - 1 - y : y;
        std::memcpy(picture.topRow + y * picture.rowStep, data + std::size_t(stored) * std::size_t(rawRowBytes_),
                    std::size_t(w));
    }
    // The colours of the format and of palette changes, as a decoder would
    // have given them back with this frame.
    if (!paletteToSend_) return true;
    paletteToSend_ = false;
    if (palette_ == shown_) return true;
    shown_ = palette_;
    paletteChanged = true;
    return true;
}

namespace {

using RowConverter = void (*)(const std::uint8_t*, std::uint8_t*, int, const std::uint8_t*);

// The converter for frames of this kind; none for kinds that need a scaler first.
RowConverter ConverterFor(int pixelFormat)
{
    switch (pixelFormat) {
    case AV_PIX_FMT_BGR24: return ConvertBytes<3, 2, 1, 0>;
    case AV_PIX_FMT_RGB24: return ConvertBytes<3, 0, 1, 2>;
    case AV_PIX_FMT_BGR0:
    case AV_PIX_FMT_BGRA: return ConvertBytes<4, 2, 1, 0>;
    case AV_PIX_FMT_RGB0:
    case AV_PIX_FMT_RGBA: return ConvertBytes<4, 0, 1, 2>;
    case AV_PIX_FMT_0RGB:
    case AV_PIX_FMT_ARGB: return ConvertBytes<4, 1, 2, 3>;
    default: return nullptr;
    }
}

// One row of 16-bit pixels (little-endian) through the table of every value.
void WordsToIndexes(const std::uint8_t* __restrict in, std::uint8_t* __restrict to, int width,
                    const std::uint8_t* __restrict words)
{
    // Neither row nor table is the other, and a pixel is one 16-bit load:
    // a third faster than two byte loads put together.
    for (int x = 0; x < width; ++x) {
        std::uint16_t v;
        std::memcpy(&v, in + 2 * x, 2);
        if constexpr (__BYTE_ORDER__ == __ORDER_BIG_ENDIAN__) v = std::uint16_t(v << 8 | v >> 8);
        to[x] = words[v];
    }
}

} // namespace

void AvVideoDecompressor::CopyTrueColour(const IndexedPicture& picture)
{
    const int w = std::min(picture.width, frame_->width), h = std::min(picture.height, frame_->height);
    const std::uint8_t* table = picture.trueColourTable;
    const int format = frame_->format;
    const bool words = format == AV_PIX_FMT_RGB555LE || format == AV_PIX_FMT_RGB565LE;
    const bool triples = format == AV_PIX_FMT_RGB24 || format == AV_PIX_FMT_BGR24;
    if ((words || triples) && sums_.Use(table)) {
        for (int y = 0; y < h; ++y) {
            const std::uint8_t* in = frame_->data[0] + std::ptrdiff_t(y) * frame_->linesize[0];
            std::uint8_t* to = picture.topRow + y * picture.rowStep;
            if (words) sums_.ConvertWords(in, to, w, format == AV_PIX_FMT_RGB565LE);
            else sums_.ConvertTriples(in, to, w, format == AV_PIX_FMT_RGB24);
        }
        return;
    }
    CopyThroughTable(picture, w, h);
}

void AvVideoDecompressor::CopyThroughTable(const IndexedPicture& picture, int w, int h)
{
    const std::uint8_t* table = picture.trueColourTable;
    const std::uint8_t* words = WordTable(table, frame_->format);
    const std::uint8_t* data = frame_->data[0];
    std::ptrdiff_t stride = frame_->linesize[0];
    RowConverter convert = ConverterFor(frame_->format);
    if (!convert && !words) {
        // Anything else (YUV and the like) is brought to blue, green, red first.
        if (!(data = ToBgr())) return;
        stride = std::ptrdiff_t(frame_->width) * 3;
        convert = ConverterFor(AV_PIX_FMT_BGR24);
    }
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = data + y * stride;
        std::uint8_t* to = picture.topRow + y * picture.rowStep;
        if (words) WordsToIndexes(in, to, w, words);
        else convert(in, to, w, table);
    }
}

// For 16-bit pixels, the index of every value at once, made again only
// when the table or the kind of pixel changes. None for other pixels.
const std::uint8_t* AvVideoDecompressor::WordTable(const std::uint8_t* table, int pixelFormat)
{
    const bool green6 = pixelFormat == AV_PIX_FMT_RGB565LE;
    if (!green6 && pixelFormat != AV_PIX_FMT_RGB555LE) return nullptr;
    if (wordsFormat_ == pixelFormat && std::equal(wordsFrom_.begin(), wordsFrom_.end(), table)) return words_.data();
    wordsFormat_ = pixelFormat;
    std::copy(table, table + wordsFrom_.size(), wordsFrom_.begin());
    words_.resize(65536);
    for (unsigned v = 0; v < 65536; ++v) words_[v] = table[EntryOfWord(v, green6)];
    return words_.data();
}

const std::uint8_t* AvVideoDecompressor::ToBgr()
{
    const int w = frame_->width, h = frame_->height;
    scaler_ = sws_getCachedContext(scaler_, w, h, AVPixelFormat(frame_->format), w, h, AV_PIX_FMT_BGR24, SWS_POINT,
                                   nullptr, nullptr, nullptr);
    if (!scaler_) return nullptr;
    bgr_.resize(std::size_t(w) * 3 * std::size_t(h));
    std::uint8_t* planes[4] = {bgr_.data(), nullptr, nullptr, nullptr};
    int strides[4] = {w * 3, 0, 0, 0};
    sws_scale(scaler_, frame_->data, frame_->linesize, 0, h, planes, strides);
    return bgr_.data();
}

void AvVideoDecompressor::End()
{
    avcodec_free_context(&context_);
    av_frame_free(&frame_);
    av_frame_free(&received_);
    av_packet_free(&packet_);
    sws_freeContext(scaler_);
    scaler_ = nullptr;
    indexed_ = paletteToSend_ = false;
    rawRowBytes_ = rawWidth_ = rawHeight_ = 0;
}

} // namespace platform

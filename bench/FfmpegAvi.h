#pragma once

// AVI movies written by FFmpeg's own encoders and muxer, for measuring the
// engine's AVI source on the files real programs write.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct FfmpegAviSpec {
    const char* encoder = "msvideo1";
    AVPixelFormat pixels = AV_PIX_FMT_RGB555LE; // what the encoder takes
    int width = 64, height = 48, frames = 30, fps = 25, keyEvery = 10;
    int paletteEvery = 0; // pal8: a new palette every n frames
    bool bottomUp = false; // uncompressed frames stored bottom-up (FFmpeg stores them top-down)
    AVCodecID sound = AV_CODEC_ID_NONE; // AV_CODEC_ID_PCM_U8 or AV_CODEC_ID_PCM_S16LE
    int rate = 11025, channels = 1;
};

namespace ffmpeg_avi {

// A moving picture with much colour and some flat areas: red and green
// gradients, a blue bar that slides, a square that blinks.
inline void Pattern(int frame, int width, int height, std::vector<std::uint8_t>& rgb)
{
    rgb.resize(std::size_t(width) * std::size_t(height) * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3];
            const bool bar = (x + frame * 3) % width < width / 4;
            const bool square = frame % 6 < 3 && x > width / 2 && x < width / 2 + 12 && y > 8 && y < 20;
            p[0] = std::uint8_t(square ? 250 : x * 255 / width);
            p[1] = std::uint8_t(square ? 250 : (y * 255 / height + frame * 7) & 0xFF);
            p[2] = std::uint8_t(bar ? 200 : 40);
        }
}

inline std::array<std::uint32_t, 256> Palette(int generation)
{
    std::array<std::uint32_t, 256> p{};
    for (std::uint32_t i = 0; i < 256; ++i)
        p[i] = 0xFF000000u | ((i * 3 + std::uint32_t(generation) * 40) & 0xFF) << 16 | (i ^ std::uint32_t(generation * 17)) << 8 |
               ((255 - i) & 0xFF);
    return p;
}

inline bool WriteVideo(AVFormatContext* out, AVStream* st, AVCodecContext* enc, const FfmpegAviSpec& spec, int i)
{
    AVFrame* f = av_frame_alloc();
    f->format = spec.pixels;
    f->width = spec.width;
    f->height = spec.height;
    bool ok = av_frame_get_buffer(f, 0) == 0;
    std::vector<std::uint8_t> rgb;
    Pattern(i, spec.width, spec.height, rgb);
    if (ok && spec.pixels == AV_PIX_FMT_PAL8) {
        for (int y = 0; y < spec.height; ++y)
            for (int x = 0; x < spec.width; ++x)
                f->data[0][y * f->linesize[0] + x] = std::uint8_t(rgb[std::size_t(y * spec.width + x) * 3] / 2 + (x + y + i) % 128);
        const auto colours = Palette(spec.paletteEvery ? i / spec.paletteEvery : 0);
        std::memcpy(f->data[1], colours.data(), AVPALETTE_SIZE);
    } else if (ok) {
        SwsContext* sws = sws_getContext(spec.width, spec.height, AV_PIX_FMT_RGB24, spec.width, spec.height, spec.pixels,
                                         SWS_POINT, nullptr, nullptr, nullptr);
        const std::uint8_t* planes[4] = {rgb.data(), nullptr, nullptr, nullptr};
        const int strides[4] = {spec.width * 3, 0, 0, 0};
        ok = sws && sws_scale(sws, planes, strides, 0, spec.height, f->data, f->linesize) > 0;
        sws_freeContext(sws);
    }
    f->pts = i;
    f->pict_type = i % spec.keyEvery == 0 ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
    ok = ok && avcodec_send_frame(enc, f) == 0;
    av_frame_free(&f);
    AVPacket* pkt = av_packet_alloc();
    while (ok && avcodec_receive_packet(enc, pkt) == 0) {
        pkt->stream_index = st->index;
        av_packet_rescale_ts(pkt, enc->time_base, st->time_base);
        ok = av_interleaved_write_frame(out, pkt) == 0;
    }
    av_packet_free(&pkt);
    return ok;
}

inline bool WriteSound(AVFormatContext* out, AVStream* st, const FfmpegAviSpec& spec, int i)
{
    const int bytesPerSample = spec.sound == AV_CODEC_ID_PCM_U8 ? 1 : 2;
    const int first = i * spec.rate / spec.fps, next = (i + 1) * spec.rate / spec.fps;
    std::string bytes;
    for (int s = first; s < next; ++s)
        for (int c = 0; c < spec.channels; ++c) {
            const int v = (s * (c + 3) * 37) % 20000 - 10000;
            if (bytesPerSample == 1) bytes.push_back(char(128 + v / 100));
            else bytes += std::string{char(v & 0xFF), char(v >> 8 & 0xFF)};
        }
    AVPacket* pkt = av_packet_alloc();
    bool ok = av_new_packet(pkt, int(bytes.size())) == 0;
    if (ok) {
        std::memcpy(pkt->data, bytes.data(), bytes.size());
        pkt->stream_index = st->index;
        pkt->pts = pkt->dts = first;
        pkt->duration = next - first;
        av_packet_rescale_ts(pkt, AVRational{1, spec.rate}, st->time_base);
        ok = av_interleaved_write_frame(out, pkt) == 0;
    }
    av_packet_free(&pkt);
    return ok;
}

inline AVCodecContext* OpenEncoder(const FfmpegAviSpec& spec)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(spec.encoder);
    AVCodecContext* enc = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!enc) return nullptr;
    enc->width = spec.width;
    enc->height = spec.height;
    enc->pix_fmt = spec.pixels;
    enc->time_base = AVRational{1, spec.fps};
    enc->gop_size = spec.keyEvery;
    enc->thread_count = 1;
    if (avcodec_open2(enc, codec, nullptr) < 0) avcodec_free_context(&enc);
    return enc;
}

inline AVStream* AddSound(AVFormatContext* out, const FfmpegAviSpec& spec)
{
    AVStream* st = avformat_new_stream(out, nullptr);
    if (!st) return nullptr;
    AVCodecParameters* p = st->codecpar;
    p->codec_type = AVMEDIA_TYPE_AUDIO;
    p->codec_id = spec.sound;
    p->sample_rate = spec.rate;
    av_channel_layout_default(&p->ch_layout, spec.channels);
    p->bits_per_coded_sample = spec.sound == AV_CODEC_ID_PCM_U8 ? 8 : 16;
    p->block_align = spec.channels * p->bits_per_coded_sample / 8;
    p->bit_rate = std::int64_t(spec.rate) * p->block_align * 8;
    st->time_base = AVRational{1, spec.rate};
    return st;
}

} // namespace ffmpeg_avi

// Writes the movie; false when FFmpeg cannot.
inline bool WriteFfmpegAvi(const std::string& path, const FfmpegAviSpec& spec)
{
    using namespace ffmpeg_avi;
    AVFormatContext* out = nullptr;
    if (avformat_alloc_output_context2(&out, nullptr, "avi", path.c_str()) < 0) return false;
    AVCodecContext* enc = OpenEncoder(spec);
    AVStream* video = enc ? avformat_new_stream(out, nullptr) : nullptr;
    bool ok = video && avcodec_parameters_from_context(video->codecpar, enc) >= 0;
    if (ok) video->time_base = enc->time_base;
    AVStream* sound = ok && spec.sound != AV_CODEC_ID_NONE ? AddSound(out, spec) : nullptr;
    AVDictionary* options = nullptr;
    if (spec.bottomUp) av_dict_set(&options, "flipped_raw_rgb", "1", 0);
    ok = ok && (spec.sound == AV_CODEC_ID_NONE || sound) && avio_open(&out->pb, path.c_str(), AVIO_FLAG_WRITE) >= 0 &&
         avformat_write_header(out, &options) >= 0;
    av_dict_free(&options);
    for (int i = 0; ok && i < spec.frames; ++i)
        ok = (!sound || WriteSound(out, sound, spec, i)) && WriteVideo(out, video, enc, spec, i);
    if (ok) ok = av_write_trailer(out) == 0;
    if (out->pb) avio_closep(&out->pb);
    avformat_free_context(out);
    avcodec_free_context(&enc);
    return ok;
}

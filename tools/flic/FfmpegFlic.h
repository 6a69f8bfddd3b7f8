#pragma once

// Decodes a file with FFmpeg's demuxer and decoder: the independent
// reference for the engine's own decoder, in tests and benchmarks.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

struct ReferenceFrame {
    std::vector<std::uint8_t> pixels; // top row first
    std::vector<std::uint32_t> palette; // 0x00RRGGBB
};

// Calls onFrame for every decoded frame (the ring frame included); false
// when the file cannot be opened or decoded.
inline bool FfmpegDecodeFlic(const std::string& path, const std::function<void(const AVFrame&)>& onFrame)
{
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return false;
    bool ok = avformat_find_stream_info(format, nullptr) >= 0 && format->nb_streams > 0;
    const AVCodec* codec = ok ? avcodec_find_decoder(format->streams[0]->codecpar->codec_id) : nullptr;
    AVCodecContext* context = codec ? avcodec_alloc_context3(codec) : nullptr;
    ok = context && avcodec_parameters_to_context(context, format->streams[0]->codecpar) >= 0 &&
         avcodec_open2(context, codec, nullptr) >= 0;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    while (ok && av_read_frame(format, packet) >= 0) {
        if (avcodec_send_packet(context, packet) >= 0)
            while (avcodec_receive_frame(context, frame) >= 0) onFrame(*frame);
        av_packet_unref(packet);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    avformat_close_input(&format);
    return ok;
}

inline std::vector<ReferenceFrame> FfmpegFlicFrames(const std::string& path)
{
    std::vector<ReferenceFrame> frames;
    FfmpegDecodeFlic(path, [&frames](const AVFrame& f) {
        ReferenceFrame r;
        for (int y = 0; y < f.height; ++y)
            r.pixels.insert(r.pixels.end(), f.data[0] + std::ptrdiff_t(y) * f.linesize[0],
                            f.data[0] + std::ptrdiff_t(y) * f.linesize[0] + f.width);
        const auto* palette = reinterpret_cast<const std::uint32_t*>(f.data[1]);
        for (int i = 0; i < 256; ++i) r.palette.push_back(palette[i] & 0xFFFFFF);
        frames.push_back(std::move(r));
    });
    return frames;
}

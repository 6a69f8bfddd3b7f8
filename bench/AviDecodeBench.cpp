// Decoding 320 × 240 AVI movies with the engine (file reading, chunk
// walking, the libavcodec decompressor, the frame bitmap) and with
// libavcodec alone on the same packets, already in memory, in one run:
// frames per second for both and their ratio; and, for comparison, FFmpeg
// reading the file and decoding it. One movie has indexed frames, which
// only need copying into the frame bitmap; two have true-colour frames,
// which the engine must bring to 8 bits besides.
#include "engine/media/mImageAVI.h"
#include "platform/AvVideoCodecs.h"

#include "../tests/TempFolder.h"
#include "FfmpegAvi.h"
#include "BestSeconds.h"
#include "FfmpegFlic.h"

#include <cstdio>

namespace {

constexpr int Frames = 100;

int OursDecode(const std::string& path)
{
    mBitmap target(1, 1, 8); // the frame bitmap is the work; drawing a pixel of it is not
    mImageAVI movie;
    movie.OpenFile(path.c_str());
    movie.SetTarget(&target);
    movie.SetAutoAdvance(true);
    int frames = 0;
    if (movie.ReadHeader())
        while (frames < movie.rendererInfo->frameCount && movie.Draw(0, 0, nullptr) == frames) ++frames;
    movie.SetTarget(nullptr);
    movie.CloseFile();
    return frames;
}

struct Packets {
    AVCodecParameters* parameters = avcodec_parameters_alloc();
    std::vector<AVPacket*> list;
    ~Packets()
    {
        for (AVPacket*& p : list) av_packet_free(&p);
        avcodec_parameters_free(&parameters);
    }
};

bool ReadPackets(const std::string& path, Packets& packets)
{
    AVFormatContext* in = nullptr;
    if (avformat_open_input(&in, path.c_str(), nullptr, nullptr) < 0) return false;
    const int video = av_find_best_stream(in, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    bool ok = video >= 0 && avcodec_parameters_copy(packets.parameters, in->streams[video]->codecpar) >= 0;
    for (AVPacket* p = av_packet_alloc(); ok && av_read_frame(in, p) >= 0; p = av_packet_alloc()) {
        if (p->stream_index == video) packets.list.push_back(p);
        else av_packet_free(&p);
    }
    avformat_close_input(&in);
    return ok;
}

int TheirsDecode(const Packets& packets)
{
    const AVCodec* codec = avcodec_find_decoder(packets.parameters->codec_id);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    int frames = 0;
    if (avcodec_parameters_to_context(context, packets.parameters) >= 0 && avcodec_open2(context, codec, nullptr) >= 0) {
        AVFrame* frame = av_frame_alloc();
        for (AVPacket* p : packets.list)
            if (avcodec_send_packet(context, p) >= 0)
                while (avcodec_receive_frame(context, frame) >= 0) ++frames;
        av_frame_free(&frame);
    }
    avcodec_free_context(&context);
    return frames;
}

bool Compare(const char* name, const FfmpegAviSpec& spec, const TempFolder& folder)
{
    const std::string path = folder / (std::string(name) + ".avi");
    Packets packets;
    if (!WriteFfmpegAvi(path, spec) || !ReadPackets(path, packets)) {
        std::printf("%s: FFmpeg cannot write or read the movie\n", name);
        return false;
    }
    if (OursDecode(path) != spec.frames || TheirsDecode(packets) != spec.frames) {
        std::printf("%s: not every frame decoded\n", name);
        return false;
    }
    const double ours = BestSeconds([&] { OursDecode(path); });
    const double theirs = BestSeconds([&] { TheirsDecode(packets); });
    const double withReading = BestSeconds([&] { FfmpegDecodeFlic(path, [](const AVFrame&) {}); });
    std::printf("%s\n  engine %6.0f frames/s   libavcodec alone %6.0f frames/s   ratio %.2f\n"
                "  FFmpeg reading the file too %6.0f frames/s   ratio %.2f\n",
                name, spec.frames / ours, spec.frames / theirs, theirs / ours, spec.frames / withReading, withReading / ours);
    return true;
}

FfmpegAviSpec Movie(const char* encoder, AVPixelFormat pixels)
{
    FfmpegAviSpec spec;
    spec.encoder = encoder;
    spec.pixels = pixels;
    spec.width = 320;
    spec.height = 240;
    spec.frames = Frames;
    spec.keyEvery = 25;
    spec.sound = AV_CODEC_ID_PCM_S16LE;
    spec.rate = 22050;
    return spec;
}

} // namespace

int main()
{
    av_log_set_level(AV_LOG_QUIET);
    platform::AvVideoCodecs codecs;
    mImageAVI::SetVideoCodecs(&codecs);
    TempFolder folder;
    std::printf("AVI decoding into the 8-bit frame bitmap, 320 x 240, %d frames with 16-bit sound\n", Frames);
    const bool ok = Compare("indexed (rawvideo pal8)", Movie("rawvideo", AV_PIX_FMT_PAL8), folder) &&
                    Compare("true colour (msvideo1 555)", Movie("msvideo1", AV_PIX_FMT_RGB555LE), folder) &&
                    Compare("true colour (cinepak 24)", Movie("cinepak", AV_PIX_FMT_RGB24), folder);
    mImageAVI::SetVideoCodecs(nullptr);
    return ok ? 0 : 1;
}

#include "engine/media/mAudioWAV.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <new>

using platform::WaveBuffer;
using platform::WaveOut;

namespace {

WaveOut* waveOut = nullptr;

// Largest play buffer a script may ask for: buffers are sized from its numbers.
constexpr std::uint64_t MaxBufferSize = 1u << 20;

struct FormatBit {
    std::uint32_t bit, rate, bits, channels;
};
// In this order the last supported one wins: 16 bits before 8, then the
// higher rate, then stereo.
constexpr FormatBit FormatBits[] = {
    {platform::WAVE_FORMAT_1M08, 11025, 8, 1},  {platform::WAVE_FORMAT_1S08, 11025, 8, 2},
    {platform::WAVE_FORMAT_2M08, 22050, 8, 1},  {platform::WAVE_FORMAT_2S08, 22050, 8, 2},
    {platform::WAVE_FORMAT_4M08, 44100, 8, 1},  {platform::WAVE_FORMAT_4S08, 44100, 8, 2},
    {platform::WAVE_FORMAT_1M16, 11025, 16, 1}, {platform::WAVE_FORMAT_1S16, 11025, 16, 2},
    {platform::WAVE_FORMAT_2M16, 22050, 16, 1}, {platform::WAVE_FORMAT_2S16, 22050, 16, 2},
    {platform::WAVE_FORMAT_4M16, 44100, 16, 1}, {platform::WAVE_FORMAT_4S16, 44100, 16, 2},
};

std::uint16_t Le16At(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::uint16_t(b[at] | b[at + 1] << 8);
}
std::uint32_t Le32At(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::uint32_t(Le16At(b, at)) | std::uint32_t(Le16At(b, at + 2)) << 16;
}

} // namespace

void mAudioWAV::SetWaveOut(WaveOut* output)
{
    waveOut = output;
}

mAudioWAV::mAudioWAV()
{
    ProbeDevice();
}

mAudioWAV::~mAudioWAV()
{
    if (streamInfo->playing) Stop();
    ReleaseFile();
}

void mAudioWAV::ProbeDevice()
{
    StreamInfo& s = *streamInfo;
    s.itemCount = 1;
    s.currentItem = 0;
    s.position = s.playing = s.paused = 0;
    if (!waveOut || (s.deviceCount = waveOut->DeviceCount()) == 0) return;
    s.typeTag = TypeWave;
    s.deviceId = std::uint32_t(WaveOut::Mapper);
    platform::WaveOutCaps caps;
    if (!waveOut->Capabilities(WaveOut::Mapper, caps)) {
        s.deviceId = 0;
        if (!waveOut->Capabilities(0, caps)) caps = {};
    }
    for (const FormatBit& f : FormatBits) {
        if (!(caps.formats & f.bit)) continue;
        s.bestRate = f.rate;
        s.bestBits = f.bits;
        s.bestChannels = f.channels;
    }
    s.capabilities = (caps.support & platform::WAVECAPS_VOLUME ? 1u : 0u) | (caps.support & platform::WAVECAPS_LRVOLUME ? 2u : 0u);
    // Every output starts at full volume.
    s.volume = (s.capabilities & 1) ? 0xFFFFFFFFu : 0u;
}

bool mAudioWAV::ReadFormat(std::uint32_t headerBytes)
{
    formatBlock.clear();
    if (headerBytes < 16 || headerBytes > MaxFormatSize) return false;
    try {
        formatBlock.assign(headerBytes, 0);
    } catch (const std::bad_alloc&) {
        Error(CLASS_mAudioWAV, ERR_OUT_OF_MEMORY);
        return false;
    }
    FileRead(formatBlock.data(), long(headerBytes));
    platform::WaveFormat& f = waveFormat;
    f.formatTag = Le16At(formatBlock, 0);
    f.channels = Le16At(formatBlock, 2);
    f.samplesPerSec = Le32At(formatBlock, 4);
    f.avgBytesPerSec = Le32At(formatBlock, 8);
    f.blockAlign = Le16At(formatBlock, 12);
    f.bitsPerSample = Le16At(formatBlock, 14);
    if (f.formatTag == platform::WAVE_FORMAT_EXTENSIBLE) f.formatTag = ExtensibleSubFormat();
    // Every conversion divides by these: a file with a 0 cannot be played.
    if (f.channels == 0 || f.samplesPerSec == 0 || f.bitsPerSample == 0 || f.blockAlign == 0) {
        formatBlock.clear();
        return false;
    }
    format->rate = f.samplesPerSec;
    format->bits = f.bitsPerSample;
    format->channels = f.channels;
    return true;
}

// The format an extensible header stands for: PCM or floats when its
// sub-format is one of those, else the extensible tag, which nothing plays.
std::uint16_t mAudioWAV::ExtensibleSubFormat() const
{
    // The sub-format GUID's last 14 bytes are the same for every wave format.
    static constexpr std::uint8_t Base[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    constexpr std::size_t SubFormatAt = 24, Size = 40;
    if (formatBlock.size() < Size || !std::equal(std::begin(Base), std::end(Base), formatBlock.begin() + SubFormatAt + 2))
        return platform::WAVE_FORMAT_EXTENSIBLE;
    const std::uint16_t sub = Le16At(formatBlock, SubFormatAt);
    if (sub == platform::WAVE_FORMAT_PCM || sub == platform::WAVE_FORMAT_IEEE_FLOAT) return sub;
    return platform::WAVE_FORMAT_EXTENSIBLE;
}

std::int32_t mAudioWAV::Open(std::uint32_t headerSize)
{
    if (!open) return 0;
    formatBlock.clear();
    if (CheckRiff(FourCC("WAVE"))) {
        if (!FindChunk(FourCC("fmt "))) return 0;
        if (!ReadFormat(lastChunkSize)) return 0;
        SkipChunk();
        if (!FindChunk(FourCC("data"))) return 0;
        format->lengthBytes = lastChunkSize;
        format->lengthUnits = BytesToUnits(format->lengthBytes);
        format->lengthMs = UnitsToTime(format->lengthUnits);
        sampleStart = std::uint32_t(Tell());
    } else {
        if (!ReadFormat(headerSize ? headerSize : 16)) return 0;
        format->lengthBytes = 0xFFFFFFFF;
        format->lengthUnits = format->lengthMs = 0;
        sampleStart = 0;
    }
    streamInfo->position = 0;
    return 1;
}

std::int32_t mAudioWAV::Unused(std::uint32_t)
{
    Error(CLASS_mAudioWAV, ERR_NOT_IMPLEMENTED);
    return 0;
}

// The sound is not played, and the player is told which format it has.
std::int32_t mAudioWAV::ReportUnplayable()
{
    char detail[64];
    std::snprintf(detail, sizeof detail, "format %u, %u channels, %u Hz", unsigned(waveFormat.formatTag),
                  unsigned(waveFormat.channels), unsigned(waveFormat.samplesPerSec));
    Error(CLASS_mAudioWAV, ERR_FILE_TYPE, detail);
    return 0;
}

std::int32_t mAudioWAV::Play(std::uint32_t length, std::uint32_t passes)
{
    if (streamInfo->typeTag != TypeWave) return 0;
    if (streamInfo->playing) {
        if (!streamInfo->paused) return 0;
        waveOut->Restart(device);
        streamInfo->paused = 0;
        return 1;
    }
    if (formatBlock.empty() && !Open(0)) return 0;
    // Compressed or unknown sample data would play as noise.
    if (!platform::IsPlayable(waveFormat)) return ReportUnplayable();
    const std::uint32_t left = format->lengthBytes - std::min(streamInfo->position, format->lengthBytes);
    passBytes = std::min(length ? ToBytes(length) : format->lengthBytes, left);
    // Nothing to play would leave the player playing for ever.
    if (passBytes == 0) return 0;
    device = waveOut->Open(int(streamInfo->deviceId), waveFormat,
                           [this](WaveOut::Handle output, WaveBuffer& buffer) { BufferDone(output, buffer); });
    if (!device) return ReportUnplayable();
    if (!BuildRing()) {
        CloseDevice();
        return 0;
    }
    if (streamInfo->capabilities & 1) waveOut->SetVolume(device, streamInfo->volume);
    current = ring;
    loopsLeft = std::int32_t(passes);
    startPosition = streamInfo->position;
    queuedSincePlay_ = 0;
    StartPass();
    // A file that ends where its samples should start gives nothing to play.
    return queuedSincePlay_ > 0 || !autoRefill ? 1 : 0;
}

// As many nodes as the pass needs, at least one and at most bufferCount.
bool mAudioWAV::BuildRing()
{
    Node* previous = nullptr;
    for (std::int32_t i = 1; i <= bufferCount; ++i) {
        try {
            nodes_.push_back(std::make_unique<Node>());
            nodes_.back()->samples.assign(bufferSize, 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
        Node* node = nodes_.back().get();
        node->header.data = node->samples.data();
        node->header.user = this;
        node->header.flags = platform::WHDR_DONE;
        (previous ? previous->next : ring) = node;
        previous = node;
        if (std::uint64_t(i) * bufferSize >= passBytes) break;
    }
    previous->next = ring;
    return true;
}

std::int32_t mAudioWAV::StartPass()
{
    remaining = passBytes;
    passDelivered_ = 0;
    streamInfo->position = startPosition;
    if (sampleStart != 0) {
        const long target = long(sampleStart) + long(startPosition);
        if (Tell() != target) FileSeek(target, SEEK_SET);
    } else {
        FileSeek(long(startPosition), SEEK_CUR);
    }
    streamInfo->playing = 1;
    if (autoRefill) {
        Fill(0);
        Fill(0);
    }
    return 1;
}

std::int32_t mAudioWAV::Fill(std::uint32_t maxBytes)
{
    // A report shown while filling keeps the event loop running: buffers
    // coming back meanwhile are taken once this fill is done.
    if (filling_) return 1;
    filling_ = true;
    const std::int32_t result = FillOnce(maxBytes);
    filling_ = false;
    while (!deferred_.empty()) {
        WaveBuffer* buffer = deferred_.front();
        deferred_.erase(deferred_.begin());
        BufferDone(device, *buffer);
    }
    return result;
}

std::int32_t mAudioWAV::FillOnce(std::uint32_t maxBytes)
{
    if (remaining == 0 || !current) return 0;
    Node* node = current->next;
    if (!(node->header.flags & platform::WHDR_DONE)) return 1;
    Node* lastQueued = current;
    current = node;
    std::uint32_t n = maxBytes != 0 && maxBytes <= bufferSize ? maxBytes : bufferSize;
    n = std::min(n, remaining);
    remaining -= n;
    const std::uint32_t delivered = ReadInto(*node, n);
    if (delivered == 0) {
        EndPassEarly(lastQueued);
        return 0;
    }
    passDelivered_ += delivered;
    queuedSincePlay_ += delivered;
    node->header.length = delivered;
    node->header.flags = 0;
    waveOut->Write(device, node->header);
    if (remaining == 0) NextPass();
    return 0;
}

// Reads straight into the node: its samples are lent to the file as its buffer.
std::uint32_t mAudioWAV::ReadInto(Node& node, std::uint32_t n)
{
    return std::uint32_t(ReadStraight(node.samples.data(), long(n)));
}

// The pass is fully queued: the next one starts, or this was the last.
void mAudioWAV::NextPass()
{
    if (--loopsLeft == 0) return;
    if (loopsLeft < 0) loopsLeft = 0;
    StartPass();
}

// The file ended before the pass did. A pass that gave something is over
// and the next one starts; one that gave nothing ends playback, as every
// further pass would give nothing too.
void mAudioWAV::EndPassEarly(Node* lastQueued)
{
    remaining = 0;
    current = lastQueued;
    if (passDelivered_ > 0) return NextPass();
    loopsLeft = 1;
    if (lastQueued->header.flags & platform::WHDR_DONE) CloseDevice();
}

void mAudioWAV::BufferDone(WaveOut::Handle output, WaveBuffer& buffer)
{
    // A buffer of an earlier output: that playback is over.
    if (output != device || device == 0) return;
    if (filling_) {
        deferred_.push_back(&buffer);
        return;
    }
    streamInfo->position += buffer.length;
    if (remaining == 0 && current && &buffer == &current->header) {
        CloseDevice();
        return;
    }
    if (autoRefill) Fill(0);
    else BufferFree();
}

void mAudioWAV::CloseDevice()
{
    if (device && waveOut) waveOut->Close(device);
    device = 0;
    deferred_.clear();
    ring = current = nullptr;
    nodes_.clear();
    SetBuffer(nullptr, 0, 0);
    streamInfo->playing = streamInfo->paused = 0;
    streamInfo->position = 0;
    if (releasePending) {
        releasePending = false;
        ReleaseFile();
    }
}

std::int32_t mAudioWAV::Pause()
{
    if (!streamInfo->playing) return 0;
    if (streamInfo->paused) return 1;
    if (!waveOut->Pause(device)) return 0;
    streamInfo->paused = 1;
    return 1;
}

std::int32_t mAudioWAV::Stop()
{
    if (!streamInfo->playing) return 1;
    waveOut->Reset(device);
    CloseDevice();
    return 1;
}

std::int32_t mAudioWAV::SetVolume(std::uint32_t left, std::uint32_t right)
{
    StreamInfo& s = *streamInfo;
    if (s.deviceCount == 0 || !(s.capabilities & 1)) return 0;
    const std::uint32_t l = left & 0xFFFF, r = right & 0xFFFF;
    const std::uint32_t single = (l + r) / 2;
    s.volume = (s.capabilities & 2) ? (r << 16 | l) : (single << 16 | single);
    if (device) waveOut->SetVolume(device, s.volume);
    return 1;
}

std::int32_t mAudioWAV::Seek(std::int32_t amount, std::int32_t origin)
{
    if (streamInfo->playing) return 0;
    if (formatBlock.empty() && !Open(0)) return 0;
    // A negative amount goes back: converted by its size, then negated.
    const std::uint32_t magnitude = amount < 0 ? std::uint32_t(-std::int64_t(amount)) : std::uint32_t(amount);
    const std::int64_t b = amount < 0 ? -std::int64_t(ToBytes(magnitude)) : std::int64_t(ToBytes(magnitude));
    const std::int64_t length = format->lengthBytes;
    std::int64_t at = streamInfo->position;
    if (origin == 0) at = b;
    else if (origin == 1) at += b;
    else if (origin == 2) at = length - b;
    // Positions outside the data would wrap round.
    streamInfo->position = std::uint32_t(std::clamp<std::int64_t>(at, 0, length));
    return std::int32_t(FromBytes(streamInfo->position));
}

std::int32_t mAudioWAV::Read(void* buffer, std::uint32_t amount)
{
    const std::uint32_t n = ToBytes(amount);
    FileRead(buffer, long(n));
    return std::int32_t(n);
}

std::int32_t mAudioWAV::Write(const void* data, std::uint32_t amount)
{
    const std::uint32_t n = ToBytes(amount);
    FileWrite(data, long(n));
    return std::int32_t(n);
}

std::int32_t mAudioWAV::SetPosition(std::int32_t)
{
    streamInfo->position = 0;
    return 0;
}

void mAudioWAV::SetBuffering(std::uint32_t amount, std::int32_t count)
{
    const std::uint64_t bytes = std::clamp<std::uint64_t>(ToBytes(amount), 4, MaxBufferSize);
    bufferSize = std::uint32_t((bytes + 3) / 4 * 4);
    bufferCount = std::clamp(count, 1, MaxBufferCount);
}

void mAudioWAV::ReleaseFile()
{
    if (streamInfo->paused) Stop();
    if (streamInfo->playing) {
        releasePending = true;
        return;
    }
    formatBlock.clear();
    CloseFile();
}

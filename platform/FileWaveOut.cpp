#include "platform/FileWaveOut.h"

#include "platform/UiQueue.h"

#include <algorithm>

namespace platform {

namespace {

constexpr long HeaderBytes = 44;

void Put16(std::uint8_t* p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v)
{
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

bool SameFormat(const WaveFormat& a, const WaveFormat& b)
{
    return a.formatTag == b.formatTag && a.channels == b.channels && a.samplesPerSec == b.samplesPerSec &&
           a.bitsPerSample == b.bitsPerSample && a.blockAlign == b.blockAlign;
}

} // namespace

FileWaveOut::FileWaveOut(UiQueue& queue, std::string path) : queue_(queue), path_(std::move(path)) {}

FileWaveOut::~FileWaveOut()
{
    if (file_) std::fclose(file_);
}

bool FileWaveOut::Capabilities(int device, WaveOutCaps& caps)
{
    if (device != Mapper && device != 0) return false;
    caps.formats = 0xFFF;
    caps.support = 0;
    return true;
}

bool FileWaveOut::StartFile(const WaveFormat& format)
{
    file_ = std::fopen(path_.c_str(), "wb");
    good_ = file_ != nullptr;
    format_ = format;
    UpdateSizes();
    return good_;
}

// The header is rewritten after every buffer, so the file is whole even
// when the program stops halfway.
void FileWaveOut::UpdateSizes()
{
    if (!file_) return;
    std::uint8_t h[HeaderBytes] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16};
    Put32(h + 4, std::uint32_t(HeaderBytes - 8) + dataBytes_);
    Put16(h + 20, format_.formatTag);
    Put16(h + 22, format_.channels);
    Put32(h + 24, format_.samplesPerSec);
    Put32(h + 28, format_.avgBytesPerSec);
    Put16(h + 32, format_.blockAlign);
    Put16(h + 34, format_.bitsPerSample);
    std::copy_n("data", 4, h + 36);
    Put32(h + 40, dataBytes_);
    const long end = std::ftell(file_);
    good_ = good_ && std::fseek(file_, 0, SEEK_SET) == 0 && std::fwrite(h, 1, sizeof h, file_) == sizeof h &&
            std::fseek(file_, std::max(end, HeaderBytes), SEEK_SET) == 0 && std::fflush(file_) == 0;
}

WaveOut::Handle FileWaveOut::Open(int device, const WaveFormat& format, DoneNotice notice)
{
    // The file says PCM or floats: other data under that label would be noise.
    if ((device != Mapper && device != 0) || !IsPlayable(format)) return 0;
    if (!file_ && !StartFile(format)) return 0;
    if (!SameFormat(format, format_)) return 0;
    const Handle handle = nextHandle_++;
    outputs_[handle] = {std::move(notice), {}};
    return handle;
}

bool FileWaveOut::Write(Handle output, WaveBuffer& buffer)
{
    auto it = outputs_.find(output);
    if (it == outputs_.end()) return false;
    if (buffer.length > 0 && std::fwrite(buffer.data, 1, buffer.length, file_) != buffer.length) good_ = false;
    dataBytes_ += buffer.length;
    UpdateSizes();
    buffer.flags = (buffer.flags & ~WHDR_DONE) | WHDR_INQUEUE;
    it->second.queued.push_back(&buffer);
    const std::weak_ptr<int> alive = alive_;
    queue_.Post([this, alive, output, b = &buffer] {
        if (!alive.expired()) Done(output, b);
    });
    return true;
}

void FileWaveOut::Done(Handle output, WaveBuffer* buffer)
{
    auto it = outputs_.find(output);
    if (it == outputs_.end()) return;
    auto& queued = it->second.queued;
    const auto found = std::find(queued.begin(), queued.end(), buffer);
    if (found == queued.end()) return; // handed back by a reset
    queued.erase(found);
    buffer->flags = (buffer->flags & ~WHDR_INQUEUE) | WHDR_DONE;
    const DoneNotice notice = it->second.notice;
    notice(output, *buffer);
}

bool FileWaveOut::Reset(Handle output)
{
    auto it = outputs_.find(output);
    if (it == outputs_.end()) return false;
    for (WaveBuffer* buffer : it->second.queued) buffer->flags = (buffer->flags & ~WHDR_INQUEUE) | WHDR_DONE;
    it->second.queued.clear();
    return true;
}

bool FileWaveOut::Close(Handle output)
{
    return outputs_.erase(output) != 0;
}

} // namespace platform

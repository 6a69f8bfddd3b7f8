#pragma once

#include "engine/core/mFile.h"
#include "engine/sprites/mImage.h"
#include "platform/WaveOut.h"

#include <cstdint>
#include <memory>
#include <vector>

// Plays PCM wave data from its file through a wave output, streaming: the
// samples go from the file straight into a small ring of play buffers,
// each refilled as soon as the output hands it back. Plays a part or all,
// once, n times or endlessly; pauses, resumes, stops, seeks, sets its
// volume. Everything runs on the user-interface thread.
class mAudioWAV : public virtual mFile, public virtual mImage {
public:
    static constexpr std::uint32_t DefaultBufferSize = 16384;
    static constexpr std::int32_t DefaultBufferCount = 2;
    static constexpr std::int32_t MaxBufferCount = 32;
    // Longer format headers are not PCM: refused, not read into memory.
    static constexpr std::uint32_t MaxFormatSize = 4096;
    static constexpr std::uint32_t TypeWave = 0x45564157; // "WAVE"

    // The wave output every player uses from now on (none: no device). It
    // must outlive the players.
    static void SetWaveOut(platform::WaveOut* output);

    mAudioWAV();
    ~mAudioWAV() override;

    std::int32_t Open(std::uint32_t headerSize) override;
    std::int32_t Unused(std::uint32_t value) override;
    std::int32_t Seek(std::int32_t amount, std::int32_t origin) override;
    std::int32_t Play(std::uint32_t length, std::uint32_t passes) override;
    std::int32_t Pause() override;
    std::int32_t Stop() override;
    std::int32_t SetVolume(std::uint32_t left, std::uint32_t right) override;
    std::int32_t Read(void* buffer, std::uint32_t amount) override;
    std::int32_t Write(const void* data, std::uint32_t amount) override;
    std::int32_t SetPosition(std::int32_t item) override;

    // Queues the next buffer of at most maxBytes (0: a whole buffer): 0
    // when queued or nothing is left, 1 when the next buffer is still out.
    virtual std::int32_t Fill(std::uint32_t maxBytes);
    void SetBuffering(std::uint32_t amount, std::int32_t count);
    // Closes the file and forgets the format, at once or, while a pass
    // plays, when playback ends.
    void ReleaseFile();

    // One play buffer: its header for the output, then its samples.
    struct Node {
        Node* next = nullptr;
        platform::WaveBuffer header;
        std::vector<std::uint8_t> samples;
    };

    platform::WaveOut::Handle device = 0;
    std::uint32_t bufferSize = DefaultBufferSize;
    std::int32_t bufferCount = DefaultBufferCount;
    std::uint32_t remaining = 0;
    // File offset of the first sample; 0: the samples follow wherever the
    // file stands (a raw stream). (mFile's dataStart is its buffer's.)
    std::uint32_t sampleStart = 0;
    bool releasePending = false;
    bool autoRefill = true;
    std::int32_t loopsLeft = 0;
    std::uint32_t passBytes = 0;
    std::uint32_t startPosition = 0;
    // The format header as read, empty when none is known; waveFormat
    // holds its fields.
    std::vector<std::uint8_t> formatBlock;
    platform::WaveFormat waveFormat;
    Node* ring = nullptr;
    Node* current = nullptr;

protected:
    // A buffer has come back from the output.
    void BufferDone(platform::WaveOut::Handle output, platform::WaveBuffer& buffer);
    // Without automatic refills, a buffer came back and is free: a feeder
    // of its own may queue more now.
    virtual void BufferFree() {}
    std::int32_t StartPass();
    void CloseDevice();

private:
    void ProbeDevice();
    bool ReadFormat(std::uint32_t headerBytes);
    std::uint16_t ExtensibleSubFormat() const;
    std::int32_t ReportUnplayable();
    bool BuildRing();
    std::int32_t FillOnce(std::uint32_t maxBytes);
    std::uint32_t ReadInto(Node& node, std::uint32_t n);
    void NextPass();
    void EndPassEarly(Node* lastQueued);

    std::vector<std::unique_ptr<Node>> nodes_;
    std::uint32_t passDelivered_ = 0;
    std::uint64_t queuedSincePlay_ = 0;
    bool filling_ = false;
    std::vector<platform::WaveBuffer*> deferred_;
};

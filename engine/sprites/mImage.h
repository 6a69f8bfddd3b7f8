#pragma once

#include "engine/core/mObject.h"

#include <cstdint>

// The stream face every media source shares: published stream and format
// values, the conversions between time, units and bytes, and playback
// operations that a picture-only source answers with 0.
class mImage : public virtual mObject {
public:
    struct StreamInfo {
        std::uint32_t typeTag = 0;
        std::uint32_t deviceCount = 0;
        std::uint32_t deviceId = 0;
        std::uint32_t bestRate = 0;
        std::uint32_t bestBits = 0;
        std::uint32_t bestChannels = 0;
        std::int32_t itemCount = 0;
        std::uint32_t volume = 0; // left in the low half
        std::uint32_t timeFormat = 0;
        std::uint32_t capabilities = 0;
        std::int32_t currentItem = -1;
        std::uint32_t position = 0;
        std::uint32_t playing = 0;
        std::uint32_t paused = 0;
    };
    struct Format {
        std::uint32_t rate = 1;
        std::uint32_t bits = 8;
        std::uint32_t channels = 1;
        std::uint32_t lengthUnits = 0;
        std::uint32_t lengthBytes = 0;
        std::uint32_t lengthMs = 0;
    };
    enum TimeFormat : std::uint32_t { TimeMilliseconds = 0, TimeUnits = 1 };

    virtual std::int32_t Open(std::uint32_t headerSize) { return (void)headerSize, 0; }
    virtual std::int32_t Unused(std::uint32_t value) { return (void)value, 0; }
    virtual std::int32_t Seek(std::int32_t amount, std::int32_t origin) { return (void)amount, (void)origin, 0; }
    virtual std::int32_t Play(std::uint32_t length, std::uint32_t passes) { return (void)length, (void)passes, 0; }
    virtual std::int32_t Pause() { return 0; }
    virtual std::int32_t Stop() { return 0; }
    virtual std::int32_t SetVolume(std::uint32_t left, std::uint32_t right) { return (void)left, (void)right, 0; }
    virtual std::int32_t Read(void* buffer, std::uint32_t amount) { return (void)buffer, (void)amount, 0; }
    virtual std::int32_t Write(const void* data, std::uint32_t amount) { return (void)data, (void)amount, 1; }
    virtual std::int32_t SetPosition(std::int32_t item);
    virtual std::uint32_t SetTimeFormat(std::uint32_t format);
    virtual std::uint32_t TimeToUnits(std::uint32_t ms, std::uint32_t s, std::uint32_t min);
    virtual std::uint32_t TimeToBytes(std::uint32_t ms, std::uint32_t s, std::uint32_t min);
    virtual std::uint32_t UnitsToTime(std::uint32_t units);
    virtual std::uint32_t UnitsToBytes(std::uint32_t units);
    virtual std::uint32_t BytesToTime(std::uint32_t bytes);
    virtual std::uint32_t BytesToUnits(std::uint32_t bytes);
    virtual std::uint32_t ToBytes(std::uint32_t amount);
    virtual std::uint32_t FromBytes(std::uint32_t bytes);

    StreamInfo* streamInfo = &info_;
    Format* format = &format_;

protected:
    mImage() = default;

private:
    StreamInfo info_;
    Format format_;
};

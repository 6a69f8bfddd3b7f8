#include "engine/sprites/mImage.h"

std::int32_t mImage::SetPosition(std::int32_t item)
{
    if (item < streamInfo->itemCount) streamInfo->currentItem = item;
    return streamInfo->currentItem;
}

std::uint32_t mImage::SetTimeFormat(std::uint32_t f)
{
    return streamInfo->timeFormat = f;
}

// Conversions run in 64 bits (a long sound has more units than a 32-bit
// product with 1000 can hold) and give 0 where a format value is 0.
std::uint32_t mImage::TimeToUnits(std::uint32_t ms, std::uint32_t s, std::uint32_t min)
{
    // The unit count of the time, rounded up.
    const std::uint64_t totalMs = (std::uint64_t(min) * 60 + s) * 1000 + ms;
    return std::uint32_t((totalMs * format->rate + 999) / 1000 * format->channels);
}

std::uint32_t mImage::TimeToBytes(std::uint32_t ms, std::uint32_t s, std::uint32_t min)
{
    return UnitsToBytes(TimeToUnits(ms, s, min));
}

std::uint32_t mImage::UnitsToTime(std::uint32_t units)
{
    if (format->rate == 0 || format->channels == 0) return 0;
    return std::uint32_t(std::uint64_t(units) * 1000 / format->rate / format->channels);
}

std::uint32_t mImage::UnitsToBytes(std::uint32_t units)
{
    return std::uint32_t((std::uint64_t(units) * format->bits + 7) / 8);
}

std::uint32_t mImage::BytesToTime(std::uint32_t bytes)
{
    return UnitsToTime(BytesToUnits(bytes));
}

std::uint32_t mImage::BytesToUnits(std::uint32_t bytes)
{
    if (format->bits == 0) return 0;
    return std::uint32_t((std::uint64_t(bytes) * 8 + format->bits - 1) / format->bits);
}

std::uint32_t mImage::ToBytes(std::uint32_t amount)
{
    switch (streamInfo->timeFormat) {
    case TimeMilliseconds: return TimeToBytes(amount, 0, 0);
    case TimeUnits: return UnitsToBytes(amount);
    default: return amount;
    }
}

std::uint32_t mImage::FromBytes(std::uint32_t bytes)
{
    switch (streamInfo->timeFormat) {
    case TimeMilliseconds: return BytesToTime(bytes);
    case TimeUnits: return BytesToUnits(bytes);
    default: return bytes;
    }
}

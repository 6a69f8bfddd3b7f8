#include "engine/core/mFile.h"

#include <algorithm>
#include <climits>
#include <cctype>
#include <cstring>
#include <iterator>
#include <new>

namespace {

int RoundSize(int n, int fallback)
{
    const int rounded = (std::max(n, 0) + 3) / 4 * 4;
    return rounded == 0 ? fallback : rounded;
}

// A chunk's size with its pad byte, without wrapping at 4 GB.
long PaddedSize(std::uint32_t size)
{
    return long((std::uint64_t(size) + 1) & ~std::uint64_t(1));
}

constexpr long KeywordLookahead = 160;
constexpr int ScanLimit = 80;

bool LineEnd(std::uint8_t c)
{
    return c == '\n' || c == '\r' || c == '\0';
}

bool Blank(std::uint8_t c)
{
    return c == ' ' || c == '\t';
}

bool IsBreak(std::uint8_t c)
{
    return Blank(c) || LineEnd(c);
}

} // namespace

mFile::mFile()
{
    SetBufferSizes(0, 0);
}

mFile::~mFile()
{
    if (!open) return;
    Warning(CLASS_mFile, ERR_FILE_NOT_CLOSED, Detail());
    CloseFile();
}

void mFile::SetBufferSizes(int buffer, int reserve)
{
    if (open) return;
    bufferSize = RoundSize(buffer, DefaultBufferSize);
    reserveSize = RoundSize(reserve, DefaultReserveSize);
}

int mFile::OpenFile(const char* fileName, unsigned flags)
{
    if (open) CloseFile();
    name = fileName ? fileName : "";
    const char* mode = (flags & OpenCreate) ? "w+b" : (flags & (OpenWrite | OpenReadWrite)) ? "r+b" : "rb";
    file_ = std::fopen(name.c_str(), mode);
    if (!file_) {
        Error(CLASS_mFile, ERR_FILE_OPEN, Detail());
        name.clear();
        size = 0;
        return 0;
    }
    // The window is the buffer: a second one in the stream would read each
    // block again after every seek, and copy it once more.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    try {
        block_.assign(std::size_t(reserveSize) + std::size_t(bufferSize), 0);
    } catch (const std::bad_alloc&) {
        std::fclose(file_);
        file_ = nullptr;
        Error(CLASS_mFile, ERR_OUT_OF_MEMORY, Detail());
        name.clear();
        size = 0;
        return 0;
    }
    ownBufferSize_ = bufferSize;
    ownReserveSize_ = reserveSize;
    blockStart = block_.data();
    dataStart = blockStart + reserveSize;
    bufferEnd = dataStart + bufferSize;
    std::fseek(file_, 0, SEEK_END);
    size = std::ftell(file_);
    std::fseek(file_, 0, SEEK_SET);
    streamAt_ = 0;
    if (size < 0) size = 0;
    open = true;
    memoryMode = false;
    readErrorAt_ = -1;
    EmptyWindowAt(0);
    return 1;
}

int mFile::OpenMemory(const void* data, long length)
{
    if (open) CloseFile();
    // An empty block still needs an address to point at.
    static std::uint8_t nothing[2];
    auto* p = data && length > 0 ? static_cast<std::uint8_t*>(const_cast<void*>(data)) : nothing;
    readPtr = windowStart = blockStart = dataStart = p;
    windowEnd = p + (p == nothing ? 0 : length);
    // One past the window: it reads as the last, partly filled one.
    bufferEnd = windowEnd + 1;
    position = windowOffset = 0;
    size = 0;
    open = memoryMode = true;
    return 1;
}

void mFile::CloseFile()
{
    if (file_) std::fclose(file_);
    file_ = nullptr;
    streamAt_ = -1;
    block_.clear();
    block_.shrink_to_fit();
    open = memoryMode = false;
    size = position = windowOffset = lastChunkEnd = 0;
    name.clear();
    readPtr = windowStart = windowEnd = bufferEnd = blockStart = dataStart = nullptr;
    chunkDepth = 0;
    // The next stream has no form around it yet.
    std::fill(std::begin(chunkEnd), std::end(chunkEnd), 0L);
    lastChunkSize = 0;
    bufferSize = DefaultBufferSize;
    reserveSize = DefaultReserveSize;
}

void mFile::EmptyWindowAt(long offset)
{
    readPtr = windowStart = windowEnd = bufferEnd;
    windowOffset = position = offset;
}

std::uint8_t* mFile::Refill(std::uint8_t* keepFrom)
{
    if (!open) {
        Error(CLASS_mFile, ERR_FILE_READ, Detail());
        return nullptr;
    }
    // A memory block is all in the window already: nothing more can come.
    if (memoryMode) return keepFrom ? keepFrom : windowEnd;

    const long endOffset = OffsetOf(windowEnd);
    windowStart = dataStart;
    windowOffset = endOffset;
    if (keepFrom && keepFrom < windowEnd) {
        const long n = long(windowEnd - keepFrom);
        if (n > reserveSize) {
            Error(CLASS_mFile, ERR_OUT_OF_RANGE, "Wrap Block");
        } else {
            std::memmove(dataStart - n, keepFrom, std::size_t(n));
            windowStart = dataStart - n;
            windowOffset -= n;
        }
    }
    const std::size_t got = ReadAt(endOffset, dataStart, std::size_t(bufferSize));
    windowEnd = dataStart + got;
    position = windowOffset;
    readPtr = windowStart;
    return readPtr;
}

std::size_t mFile::ReadAt(long offset, std::uint8_t* to, std::size_t count)
{
    // Reads that follow each other need no seek between them.
    if (streamAt_ != offset && std::fseek(file_, offset, SEEK_SET) != 0) {
        streamAt_ = -1;
        Error(CLASS_mFile, ERR_FILE_READ, Detail());
        return 0;
    }
    const std::size_t got = std::fread(to, 1, count, file_);
    // After the end or an error the stream is placed again before reading.
    streamAt_ = std::feof(file_) || std::ferror(file_) ? -1 : offset + long(got);
    // A read that failed is no end of the file: the reader is told (once
    // for a place, however often it retries), and what did come is kept.
    if (std::ferror(file_)) {
        std::clearerr(file_);
        if (readErrorAt_ != offset) Error(CLASS_mFile, ERR_FILE_READ, Detail());
        readErrorAt_ = offset;
    }
    return got;
}

bool mFile::MakeAvailableByRefill(long n)
{
    if (!open || n < 0) return false;
    if (bufferEnd - readPtr < n && !memoryMode) {
        std::uint8_t* p = Refill(readPtr);
        if (!p) return false;
    }
    return windowEnd - readPtr >= n;
}

long mFile::FileRead(void* destination, long count)
{
    if (!open) {
        Error(CLASS_mFile, ERR_FILE_READ, Detail());
        return 0;
    }
    if (count <= 0 || !destination) return 0;
    if (readPtr >= windowEnd && IsLastWindow()) return -1;
    auto* to = static_cast<std::uint8_t*>(destination);
    long done = 0;
    while (done < count) {
        const long here = std::min(count - done, long(windowEnd - readPtr));
        std::memcpy(to + done, readPtr, std::size_t(std::max(here, 0L)));
        done += std::max(here, 0L);
        readPtr += std::max(here, 0L);
        if (done == count || memoryMode) break;
        Refill(nullptr);
        if (windowEnd == windowStart) break;
    }
    position = Tell();
    return done;
}

long mFile::FileWrite(const void* data, long count)
{
    if (!open || memoryMode) {
        Error(CLASS_mFile, ERR_FILE_WRITE, Detail());
        return 0;
    }
    if (count <= 0) return 0;
    const long at = Tell();
    // Always placed: a write after a read needs it.
    streamAt_ = -1;
    if (std::fseek(file_, at, SEEK_SET) != 0 || std::fwrite(data, 1, std::size_t(count), file_) != std::size_t(count)) {
        Error(CLASS_mFile, ERR_FILE_WRITE, Detail());
        return 0;
    }
    std::fflush(file_);
    streamAt_ = at + count;
    EmptyWindowAt(at + count);
    size = std::max(size, at + count);
    return count;
}

long mFile::FileSeek(long offset, int origin)
{
    if (!open) {
        Error(CLASS_mFile, ERR_FILE_SEEK, Detail());
        return -1;
    }
    long target = offset;
    if (origin == SEEK_CUR) target += Tell();
    else if (origin == SEEK_END) target += memoryMode ? long(windowEnd - windowStart) : size;
    if (target < 0) {
        Error(CLASS_mFile, ERR_FILE_SEEK, Detail());
        return -1;
    }
    if (!SeekTo(target)) return -1;
    position = target;
    return target;
}

bool mFile::SeekTo(long target)
{
    if (target >= windowOffset && target < OffsetOf(windowEnd)) {
        readPtr = windowStart + (target - windowOffset);
        return true;
    }
    if (memoryMode) {
        // Beyond the block: an exhausted window that stays the last one.
        readPtr = windowEnd;
        return true;
    }
    if (streamAt_ != target && std::fseek(file_, target, SEEK_SET) != 0) {
        streamAt_ = -1;
        Error(CLASS_mFile, ERR_FILE_SEEK, Detail());
        return false;
    }
    streamAt_ = target;
    EmptyWindowAt(target);
    return true;
}

void mFile::SetBuffer(std::uint8_t* newBlock, int newBufferSize, int newReserveSize)
{
    if (!open || memoryMode) return;
    const long at = Tell();
    if (newBlock) {
        blockStart = newBlock;
        dataStart = newBlock + RoundSize(newReserveSize, 0);
        bufferEnd = dataStart + RoundSize(newBufferSize, 0);
        bufferSize = int(bufferEnd - dataStart);
        reserveSize = int(dataStart - blockStart);
    } else {
        // Already on its own block: the window still holds what it held.
        if (blockStart == block_.data() && bufferSize == ownBufferSize_ && reserveSize == ownReserveSize_) return;
        // Back to the stream's own block, with the sizes it was made with.
        bufferSize = ownBufferSize_;
        reserveSize = ownReserveSize_;
        blockStart = block_.data();
        dataStart = blockStart + reserveSize;
        bufferEnd = dataStart + bufferSize;
    }
    EmptyWindowAt(at);
}

long mFile::ReadStraight(std::uint8_t* block, long n)
{
    if (n <= 0 || n > INT_MAX - 3) return 0;
    if (memoryMode) return std::max(FileRead(block, n), 0L);
    if (!open) {
        Error(CLASS_mFile, ERR_FILE_READ, Detail());
        return 0;
    }
    // What the window holds of it is not read again: the rest follows, from
    // where the stream stands after filling the window.
    const long at = Tell();
    const long held = std::clamp(long(windowEnd - readPtr), 0L, n);
    if (held > 0) std::memmove(block, readPtr, std::size_t(held));
    SetBuffer(block, int(n), 0);
    windowStart = dataStart;
    windowOffset = at;
    const std::size_t got = held < n ? ReadAt(at + held, dataStart + held, std::size_t(n - held)) : 0;
    windowEnd = dataStart + held + long(got);
    const long delivered = std::min<long>(windowEnd - windowStart, n);
    readPtr = windowStart + delivered;
    position = Tell();
    return delivered;
}

int mFile::CheckRiff(std::uint32_t formType)
{
    if (!open || !MakeAvailable(12)) return 0;
    if (Le32(readPtr) != FourCC("RIFF")) return 0;
    chunkDepth = 0;
    chunkEnd[0] = long(Le32(readPtr + 4)) + 8;
    if (Le32(readPtr + 8) != formType) return 0;
    readPtr += 12;
    return 1;
}

long mFile::EnclosingEnd() const
{
    // Without a RIFF form read, the stream itself is the enclosing chunk.
    return chunkEnd[chunkDepth] > 0 ? chunkEnd[chunkDepth] : LONG_MAX;
}

int mFile::FindChunk(std::uint32_t id)
{
    // Only chunks that start inside the enclosing one count.
    while (Tell() + 8 <= EnclosingEnd() && MakeAvailable(8)) {
        if (Le32(readPtr) == id) return EnterChunk();
        if (!NextChunk()) return 0;
    }
    return 0;
}

int mFile::EnterChunk()
{
    if (!MakeAvailable(8)) return 0;
    lastChunkSize = Le32(readPtr + 4);
    lastChunkEnd = Tell() + 8 + PaddedSize(lastChunkSize);
    readPtr += 8;
    return 1;
}

int mFile::NextChunk()
{
    if (!MakeAvailable(8)) return 0;
    const long end = Tell() + 8 + PaddedSize(Le32(readPtr + 4));
    if (end > EnclosingEnd() || end <= Tell()) {
        if (EnclosingEnd() != LONG_MAX) FileSeek(EnclosingEnd(), SEEK_SET);
        return 0;
    }
    FileSeek(end, SEEK_SET);
    return 1;
}

int mFile::FindList(std::uint32_t listType)
{
    while (FindChunk(FourCC("LIST"))) {
        if (!MakeAvailable(4)) return 0;
        if (Le32(readPtr) == listType && chunkDepth + 1 < ChunkDepthLimit) {
            chunkEnd[++chunkDepth] = lastChunkEnd;
            readPtr += 4;
            return 1;
        }
        // Another list: search on after its end, not inside it.
        FileSeek(lastChunkEnd, SEEK_SET);
    }
    return 0;
}

void mFile::Ascend()
{
    const long end = chunkEnd[chunkDepth];
    if (chunkDepth > 0) --chunkDepth;
    FileSeek(end, SEEK_SET);
}

void mFile::SkipChunk()
{
    FileSeek(lastChunkEnd, SEEK_SET);
}

std::string mFile::NameInText(const std::string& written) const
{
    std::string n = written.substr(0, written.find_last_not_of(" \t") + 1);
    std::replace(n.begin(), n.end(), '\\', '/');
    const std::size_t slash = name.find_last_of('/');
    if (!n.empty() && n[0] != '/' && slash != std::string::npos) n = name.substr(0, slash + 1) + n;
    return n;
}

int mFile::ReadKeyword(const char* const* keywords)
{
    keywordValue_.clear();
    for (;;) {
        MakeAvailable(KeywordLookahead);
        if (readPtr >= windowEnd) return -1;
        const long left = long(windowEnd - readPtr);
        // Case is folded in ASCII only, whatever the locale.
        auto at = [&](long i) -> std::uint8_t {
            const std::uint8_t c = i < left ? readPtr[i] : 0;
            return c >= 'a' && c <= 'z' ? std::uint8_t(c - 'a' + 'A') : c;
        };
        if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) { // a byte-order mark
            readPtr += 3;
            continue;
        }
        if (at(0) == '/' && at(1) == '/') {
            SkipLine();
            continue;
        }
        for (int k = 0; keywords[k] && keywords[k][0]; ++k) {
            const char* word = keywords[k];
            const long n = long(std::strlen(word));
            long i = 0;
            while (i < n && at(i) == std::uint8_t(word[i])) ++i;
            if (i < n || !(word[0] == ':' || at(n) == '=' || IsBreak(at(n)))) continue;
            while (i < n + ScanLimit && i < left && (Blank(readPtr[i]) || readPtr[i] == '=')) ++i;
            long end = i;
            while (end < i + ScanLimit && end < left && !LineEnd(readPtr[end])) ++end;
            keywordValue_.assign(reinterpret_cast<const char*>(readPtr + i), std::size_t(end - i));
            readPtr += end;
            // What an overlong operand leaves on its line is not read as keywords.
            SkipLine();
            return k;
        }
        long i = 0;
        while (i < ScanLimit && i < left && !IsBreak(readPtr[i])) ++i;
        long j = i;
        while (j < i + ScanLimit && j < left && IsBreak(readPtr[j])) ++j;
        readPtr += std::max(j, 1L);
    }
}

void mFile::SkipLine()
{
    for (;;) {
        MakeAvailable(KeywordLookahead);
        while (readPtr < windowEnd && !LineEnd(*readPtr)) ++readPtr;
        if (readPtr < windowEnd) {
            ++readPtr;
            return;
        }
        if (IsLastWindow() || memoryMode || windowEnd == windowStart) return;
    }
}

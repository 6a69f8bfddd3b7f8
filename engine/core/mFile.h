#pragma once

#include "engine/core/mObject.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The engine's input stream on a disk file or a memory block. Decoders read
// fields in place at the read pointer; before touching n bytes they make
// them available, and a refill keeps the unread tail in a reserve in front
// of the buffer, so a field never straddles two reads.
//
// Pointers are public as the decoders read and move them directly. The
// window [windowStart, windowEnd) holds valid bytes; windowStart lies at
// file offset windowOffset.
class mFile : public virtual mObject {
public:
    static constexpr int DefaultBufferSize = 8192;
    static constexpr int DefaultReserveSize = 2048;
    static constexpr int ChunkDepthLimit = 10;
    // Open flags: read-only unless told otherwise.
    static constexpr unsigned OpenRead = 0x0;
    static constexpr unsigned OpenWrite = 0x1;
    static constexpr unsigned OpenReadWrite = 0x2;
    static constexpr unsigned OpenCreate = 0x1000;

    mFile();
    ~mFile() override;

    void SetBufferSizes(int bufferSize, int reserveSize);
    int OpenFile(const char* name, unsigned flags = OpenRead);
    // The block is read in place and must outlive the stream.
    int OpenMemory(const void* data, long length);
    void CloseFile();

    // Reads the next buffer-full, keeping the bytes from keepFrom on in front
    // of it; returns the new read pointer, or none when nothing is open.
    std::uint8_t* Refill(std::uint8_t* keepFrom);
    long FileRead(void* destination, long count);
    long FileWrite(const void* data, long count);
    long FileSeek(long offset, int origin);
    // Reads from now on into the given block (none: the stream's own).
    void SetBuffer(std::uint8_t* block, int bufferSize, int reserveSize);
    // Reads n bytes from the read pointer straight into the block, which
    // must hold n rounded up to 4 and stays the stream's buffer until
    // SetBuffer (none). Returns the bytes delivered.
    long ReadStraight(std::uint8_t* block, long n);

    // Makes n bytes available at the read pointer; false when the stream
    // ends sooner. Decoders call it before every field they read.
    bool MakeAvailable(long n)
    {
        if (windowEnd - readPtr >= n && n >= 0) return true;
        return MakeAvailableByRefill(n);
    }
    // The file offset of a pointer into the window.
    long OffsetOf(const std::uint8_t* p) const { return windowOffset + long(p - windowStart); }
    long Tell() const { return OffsetOf(readPtr); }
    // The stream's length in bytes: the file's, or the memory block's.
    long Length() const { return memoryMode ? long(windowEnd - windowStart) : size; }
    bool IsLastWindow() const { return windowEnd != bufferEnd; }

    int CheckRiff(std::uint32_t formType);
    int FindChunk(std::uint32_t id);
    // Steps into the chunk at the read pointer, whatever its id and
    // wherever it lies; 0 when no chunk header is left.
    int EnterChunk();
    int NextChunk();
    int FindList(std::uint32_t listType);
    void Ascend();
    void SkipChunk();

    // A file name as a text read from this file writes it: blanks at its end
    // dropped, backslashes as separators, counted from this file's folder.
    std::string NameInText(const std::string& written) const;

    // Index of the keyword the next line starts with (list ended by an
    // empty string, upper case), or -1 at the end; the value that follows
    // the keyword is in KeywordValue().
    int ReadKeyword(const char* const* keywords);
    const std::string& KeywordValue() const { return keywordValue_; }

    static constexpr std::uint32_t FourCC(const char (&s)[5])
    {
        return std::uint32_t(std::uint8_t(s[0])) | std::uint32_t(std::uint8_t(s[1])) << 8 |
               std::uint32_t(std::uint8_t(s[2])) << 16 | std::uint32_t(std::uint8_t(s[3])) << 24;
    }
    static std::uint32_t Le32(const std::uint8_t* p)
    {
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    }
    static std::uint16_t Le16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

    bool open = false;
    long size = 0;
    std::string name;
    long position = 0;
    std::uint8_t* readPtr = nullptr;
    std::uint8_t* windowStart = nullptr;
    std::uint8_t* windowEnd = nullptr;
    std::uint8_t* bufferEnd = nullptr;
    std::uint8_t* blockStart = nullptr;
    std::uint8_t* dataStart = nullptr;
    long windowOffset = 0;
    bool memoryMode = false;
    int bufferSize = DefaultBufferSize;
    int reserveSize = DefaultReserveSize;
    int chunkDepth = 0;
    long chunkEnd[ChunkDepthLimit] = {};
    long lastChunkEnd = 0;
    std::uint32_t lastChunkSize = 0;

protected:
    // The detail of a report: the name, or none for memory blocks.
    const char* Detail() const { return name.empty() ? nullptr : name.c_str(); }

private:
    void EmptyWindowAt(long offset);
    // Moves on past the end of the line the read pointer is in.
    void SkipLine();
    bool MakeAvailableByRefill(long n);
    long EnclosingEnd() const;
    bool SeekTo(long offset);
    std::size_t ReadAt(long offset, std::uint8_t* to, std::size_t count);

    std::FILE* file_ = nullptr;
    std::vector<std::uint8_t> block_;
    int ownBufferSize_ = 0, ownReserveSize_ = 0; // what block_ was made for
    long readErrorAt_ = -1;                       // where a failed read was last reported
    long streamAt_ = -1;                          // where the next read of file_ starts; −1 unknown
    std::string keywordValue_;
};

#include "FlicEncoder.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr std::uint16_t MagicFlc = 0xAF12;
constexpr std::uint16_t MagicFrame = 0xF1FA;
constexpr std::uint16_t Color256 = 4, DeltaFlc = 7, DeltaFli = 12, ByteRun = 15;
constexpr int MaxRun = 127;

void Put16(std::string& out, unsigned v)
{
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8 & 0xFF));
}

void Put32(std::string& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void Set32(std::string& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out[at + std::size_t(i)] = char(v >> (8 * i) & 0xFF);
}

// A chunk: size, type, body, padded to an even length unless asked not to.
std::string Chunk(std::uint16_t type, std::string body, bool padded = true)
{
    if (padded && body.size() % 2) body.push_back('\0');
    std::string out;
    Put32(out, std::uint32_t(body.size() + 6));
    Put16(out, type);
    return out + body;
}

// The BYTE_RUN packets of one row.
void EncodeRow(std::string& out, const std::uint8_t* row, int width)
{
    out.push_back('\0'); // packet count, unused by readers
    int x = 0;
    while (x < width) {
        int run = 1;
        while (x + run < width && run < MaxRun && row[x + run] == row[x]) ++run;
        if (run >= 3 || x + run == width) {
            out.push_back(char(run));
            out.push_back(char(row[x]));
            x += run;
            continue;
        }
        // Literal bytes up to the next run of three.
        int n = 0;
        while (x + n < width && n < MaxRun &&
               !(x + n + 2 < width && row[x + n] == row[x + n + 1] && row[x + n] == row[x + n + 2]))
            ++n;
        out.push_back(char(-n));
        out.append(reinterpret_cast<const char*>(row + x), std::size_t(n));
        x += n;
    }
}

// The packets of one changed row, over pairs of pixels.
int EncodeDeltaRow(std::string& packets, const std::uint8_t* old, const std::uint8_t* row, int pairs)
{
    int count = 0, col = 0, last = 0; // col and last in pairs
    while (col < pairs) {
        if (old[2 * col] == row[2 * col] && old[2 * col + 1] == row[2 * col + 1]) {
            ++col;
            continue;
        }
        int skip = 2 * (col - last);
        while (skip > 255) { // empty packets carry long skips
            packets.push_back(char(254));
            packets.push_back('\0');
            skip -= 254;
            ++count;
        }
        int same = 1;
        while (col + same < pairs && same < MaxRun && row[2 * (col + same)] == row[2 * col] &&
               row[2 * (col + same) + 1] == row[2 * col + 1])
            ++same;
        packets.push_back(char(skip));
        if (same >= 2) {
            packets.push_back(char(-same));
            packets.push_back(char(row[2 * col]));
            packets.push_back(char(row[2 * col + 1]));
            col += same;
        } else {
            int n = 0;
            while (col + n < pairs && n < MaxRun &&
                   (old[2 * (col + n)] != row[2 * (col + n)] || old[2 * (col + n) + 1] != row[2 * (col + n) + 1]))
                ++n;
            packets.push_back(char(n));
            packets.append(reinterpret_cast<const char*>(row + 2 * col), std::size_t(2 * n));
            col += n;
        }
        last = col;
        ++count;
    }
    return count;
}

// The byte-oriented packets of one changed row: runs of three or more equal
// bytes, literal bytes otherwise; long skips ride on empty runs.
int EncodeByteDeltaRow(std::string& packets, const std::uint8_t* old, const std::uint8_t* row, int width)
{
    int count = 0, x = 0, last = 0;
    while (x < width) {
        if (old[x] == row[x]) {
            ++x;
            continue;
        }
        int skip = x - last;
        for (; skip > 255; skip -= 255, ++count) packets += std::string("\xFF\0\0", 3);
        int same = 1;
        while (x + same < width && same < MaxRun && row[x + same] == row[x]) ++same;
        packets.push_back(char(skip));
        if (same >= 3) {
            packets.push_back(char(-same));
            packets.push_back(char(row[x]));
            x += same;
        } else {
            int n = 0;
            while (x + n < width && n < MaxRun && old[x + n] != row[x + n]) ++n;
            packets.push_back(char(n));
            packets.append(reinterpret_cast<const char*>(row + x), std::size_t(n));
            x += n;
        }
        last = x;
        ++count;
    }
    return count;
}

// Whether a frame's recorded size counts a pad byte after its last chunk.
bool EndsWithPad(const std::string& frame)
{
    const auto at = [&frame](std::size_t i) { return std::uint32_t(std::uint8_t(frame[i])); };
    const auto le32 = [&at](std::size_t i) { return at(i) | at(i + 1) << 8 | at(i + 2) << 16 | at(i + 3) << 24; };
    if (frame.size() < 16) return false;
    std::size_t end = 16;
    for (std::uint32_t c = 0, chunks = at(6) | at(7) << 8; c < chunks && end + 6 <= frame.size(); ++c) end += le32(end);
    return end < le32(0);
}

} // namespace

FlicEncoder::FlicEncoder(int width, int height, int periodMs) : width_(width), height_(height), periodMs_(periodMs) {}

void FlicEncoder::AddFrame(const std::vector<std::uint8_t>& pixels, const Palette& palette)
{
    Picture p{pixels, palette};
    p.pixels.resize(std::size_t(width_) * std::size_t(height_), 0);
    frames_.push_back(std::move(p));
}

std::string FlicEncoder::ColourChunk(const Palette* previous, const Palette& palette, bool padded)
{
    std::string body;
    int packets = 0, index = 0, at = 0;
    Put16(body, 0);
    while (at < 256) {
        if (previous && (*previous)[std::size_t(at)] == palette[std::size_t(at)]) {
            ++at;
            continue;
        }
        int n = 0;
        while (at + n < 256 && (!previous || (*previous)[std::size_t(at + n)] != palette[std::size_t(at + n)])) ++n;
        body.push_back(char(at - index));
        body.push_back(char(n == 256 ? 0 : n));
        for (int i = 0; i < n; ++i) {
            const std::uint32_t c = palette[std::size_t(at + i)];
            body.push_back(char(c >> 16 & 0xFF));
            body.push_back(char(c >> 8 & 0xFF));
            body.push_back(char(c & 0xFF));
        }
        at += n;
        index = at;
        ++packets;
    }
    if (packets == 0) return "";
    body[0] = char(packets & 0xFF);
    body[1] = char(packets >> 8);
    return Chunk(Color256, body, padded);
}

std::string FlicEncoder::ByteRunChunk(const std::vector<std::uint8_t>& pixels, int width, int height, bool padded)
{
    std::string body;
    for (int y = 0; y < height; ++y) EncodeRow(body, pixels.data() + std::size_t(y) * std::size_t(width), width);
    return Chunk(ByteRun, body, padded);
}

std::string FlicEncoder::DeltaFlcChunk(const std::vector<std::uint8_t>& previous, const std::vector<std::uint8_t>& pixels,
                                       int width, int height)
{
    std::string body;
    Put16(body, 0);
    int lines = 0, skipped = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* old = previous.data() + std::size_t(y) * std::size_t(width);
        const std::uint8_t* row = pixels.data() + std::size_t(y) * std::size_t(width);
        std::string packets;
        const int count = EncodeDeltaRow(packets, old, row, width / 2);
        const bool lastChanged = width % 2 && old[width - 1] != row[width - 1];
        if (count == 0 && !lastChanged) {
            ++skipped;
            continue;
        }
        if (skipped) Put16(body, unsigned(-skipped) & 0xFFFF);
        skipped = 0;
        if (lastChanged) Put16(body, 0x8000u | row[width - 1]);
        Put16(body, unsigned(count));
        body += packets;
        ++lines;
    }
    if (lines == 0) return "";
    body[0] = char(lines & 0xFF);
    body[1] = char(lines >> 8);
    return Chunk(DeltaFlc, body);
}

std::string FlicEncoder::DeltaFliChunk(const std::vector<std::uint8_t>& previous, const std::vector<std::uint8_t>& pixels,
                                       int width, int height, bool padded)
{
    const auto rowAt = [width](const std::vector<std::uint8_t>& p, int y) { return p.data() + std::size_t(y) * std::size_t(width); };
    int first = 0, last = height - 1;
    while (first < height && std::equal(rowAt(previous, first), rowAt(previous, first) + width, rowAt(pixels, first))) ++first;
    if (first == height) return "";
    while (std::equal(rowAt(previous, last), rowAt(previous, last) + width, rowAt(pixels, last))) --last;
    std::string body;
    Put16(body, unsigned(first));
    Put16(body, unsigned(last - first + 1));
    for (int y = first; y <= last; ++y) {
        std::string packets;
        const int count = EncodeByteDeltaRow(packets, rowAt(previous, y), rowAt(pixels, y), width);
        if (count > 255) return ""; // wider pictures than this encoder is meant for
        body.push_back(char(count));
        body += packets;
    }
    return Chunk(DeltaFli, body, padded);
}

std::string FlicEncoder::Frame(const std::vector<std::string>& chunks, bool padded)
{
    std::string body;
    int count = 0;
    for (const std::string& c : chunks)
        if (!c.empty()) body += c, ++count;
    if (padded && body.size() % 2) body.push_back('\0');
    std::string out;
    Put32(out, std::uint32_t(body.size() + 16));
    Put16(out, MagicFrame);
    Put16(out, unsigned(count));
    out.append(8, '\0');
    return out + body;
}

std::string FlicEncoder::Between(const Picture* from, const Picture& to) const
{
    const bool odd = quirks_.oddChunks;
    if (!from)
        return Frame({ColourChunk(nullptr, to.palette, !odd), ByteRunChunk(to.pixels, width_, height_, !odd)}, odd);
    const std::string delta = quirks_.byteDeltas ? DeltaFliChunk(from->pixels, to.pixels, width_, height_, !odd)
                                                 : DeltaFlcChunk(from->pixels, to.pixels, width_, height_);
    return Frame({ColourChunk(&from->palette, to.palette, !odd), delta}, odd);
}

std::string FlicEncoder::Finish() const
{
    std::string out(128, '\0');
    Set32(out, 4, MagicFlc | std::uint32_t(frames_.size()) << 16);
    Set32(out, 8, std::uint32_t(width_) | std::uint32_t(height_) << 16);
    Set32(out, 12, 8 | 3u << 16); // depth, flags
    Set32(out, 16, std::uint32_t(periodMs_));
    long second = 0;
    std::string last;
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        if (i == 1) second = long(out.size());
        last = Between(i ? &frames_[i - 1] : nullptr, frames_[i]);
        out += last;
    }
    if (!frames_.empty() && !quirks_.noRingFrame) out += last = Between(&frames_.back(), frames_.front()); // the ring frame
    Set32(out, 80, 128);
    Set32(out, 84, std::uint32_t(second ? second : long(out.size())));
    Set32(out, 0, std::uint32_t(out.size()));
    if (quirks_.lastPadMissing && EndsWithPad(last)) out.pop_back();
    return out;
}

bool FlicEncoder::WriteFile(const std::string& path) const
{
    std::ofstream file(path, std::ios::binary);
    const std::string bytes = Finish();
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(file);
}

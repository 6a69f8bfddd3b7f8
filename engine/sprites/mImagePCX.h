#pragma once

#include "engine/sprites/mRenderer.h"

#include <array>
#include <cstdint>
#include <vector>

// PCX pictures: one run-length coded frame of one to four planes, with 16
// colours in the header and, for 256-colour pictures, a table at the end
// of the file. Drawn opaque, with the picture's own colour indexes; deeper
// pictures and other plane layouts go through the line conversion.
class mImagePCX : public mRenderer {
public:
    static constexpr int HeaderSize = 128;
    static constexpr int PaletteSize = 769; // the marker 12 and 256 triples
    static constexpr std::uint32_t TagPcx = 'P' | 'C' << 8 | 'X' << 16;

    // Pictures are read in larger pieces than other streams: a whole
    // screen of run-length data is several hundred kilobytes.
    static constexpr int BufferSize = 65536;

    mImagePCX() { SetBufferSizes(BufferSize, DefaultReserveSize); }

    int ReadHeader() override;
    int WriteHeader() override;
    int Draw(int x, int y, const mRect* clip) override;
    int WriteFrame() override;
    int SeekFrame(int n, int origin) override;
    void MatchPalette() override;
    void SetTransparent(bool on) override;
    void SetTransparentColor(std::uint32_t index) override;
    void SetRemap(bool on) override;

protected:
    // The header of the picture at the read position; a DCX page leaves the
    // table at the end of the file alone.
    int ReadPictureHeader();
    // Reads the 256-colour table that ends just before end, if there is one.
    void ReadEndPalette(long end);
    // The class that reports what this object cannot write.
    virtual unsigned ClassId() const { return CLASS_mImagePCX; }

    bool dcxPage_ = false;

private:
    // One scan line; false when the stream ends first.
    bool DecodeLine(std::uint8_t* line);
    // How many leading columns a decoded line holds for the frame's depth.
    int ColumnsInLine() const;

    std::array<std::uint32_t, 256> colourTable_{};
    long dataStart_ = 0;
    int bytesPerLine_ = 0;
    int lineLength_ = 0;
    std::vector<std::uint8_t> line_, converted_;
};

#pragma once

#include "engine/sprites/mImagePCX.h"

#include <array>
#include <cstdint>

// DCX: up to 1024 PCX pictures after a table of their offsets; the pages
// are the frames.
class mImageDCX : public mImagePCX {
public:
    static constexpr std::uint32_t Magic = 987654321;
    static constexpr int MaxPages = 1024;

    mImageDCX() { dcxPage_ = true; }

    int ReadHeader() override;
    int WriteHeader() override;
    int Draw(int x, int y, const mRect* clip) override;
    int WriteFrame() override;
    int SeekFrame(int n, int origin) override;

    int PageCount() const { return pageCount_; }

protected:
    unsigned ClassId() const override { return CLASS_mImageDCX; }

private:
    long base_ = 0;
    int pageCount_ = 0;
    std::uint32_t magic_ = 0;
    std::array<std::uint32_t, MaxPages> offsets_{};
};

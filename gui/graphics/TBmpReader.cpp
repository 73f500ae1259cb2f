#include "gui/graphics/TBmpReader.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TBitmap.h"

namespace {

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_JPEG = 4, BI_PNG = 5,
                   BI_ALPHABITFIELDS = 6;
constexpr size_t FileHeaderSize = 14;

[[noreturn]] void Fail(const std::string& why) {
    throw EInvalidGraphic("Invalid BMP: " + why);
}

uint16_t U16(std::span<const uint8_t> d, size_t at) {
    return static_cast<uint16_t>(d[at] | (d[at + 1] << 8));
}

uint32_t U32(std::span<const uint8_t> d, size_t at) {
    return static_cast<uint32_t>(d[at]) | (static_cast<uint32_t>(d[at + 1]) << 8) |
           (static_cast<uint32_t>(d[at + 2]) << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    uint32_t Max = 0;

    explicit TChannel(uint32_t mask = 0) : Mask(mask) {
        if (!mask) return;
        Shift = std::countr_zero(mask);
        Max = mask >> Shift;
    }
    bool Contiguous() const { return (Max & (Max + 1)) == 0; }
    uint32_t Scale(uint32_t value) const {
        if (!Max) return 0;
        const uint64_t v = (value & Mask) >> Shift;
        return static_cast<uint32_t>((v * 255 + Max / 2) / Max);
    }
};

struct TBmpInfo {
    size_t Size = 0;
    uint32_t HeaderSize = 0;
    uint32_t PixelOffset = 0;
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = BI_RGB;
    uint32_t SizeImage = 0;
    uint32_t ColorsUsed = 0;
    bool Core = false; // 12-byte header: 3-byte palette entries
    bool Os2V2 = false;
    uint32_t Masks[3] = {0, 0, 0};
    size_t HeadersEnd = 0; // file header + info header + separate masks
    std::vector<uint32_t> Palette;
};

bool ValidHeaderSize(uint32_t size) {
    switch (size) {
    case 12:
    case 16:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        return true;
    default:
        return false;
    }
}

void ReadCoreHeader(std::span<const uint8_t> d, TBmpInfo& info) {
    info.Core = true;
    info.Width = U16(d, 18);
    info.Height = U16(d, 20);
}

void ReadInfoHeader(std::span<const uint8_t> d, TBmpInfo& info) {
    info.Os2V2 = info.HeaderSize == 16 || info.HeaderSize == 64;
    info.Width = static_cast<int32_t>(U32(d, 18));
    const int32_t height = static_cast<int32_t>(U32(d, 22));
    if (height == INT32_MIN) Fail("height out of range");
    info.TopDown = height < 0;
    info.Height = height < 0 ? -height : height;
    if (info.HeaderSize >= 20) info.Compression = U32(d, 30);
    if (info.HeaderSize >= 24) info.SizeImage = U32(d, 34);
    if (info.HeaderSize >= 36) info.ColorsUsed = U32(d, 46);
}

void CheckDimensions(const TBmpInfo& info) {
    if (info.Width <= 0) Fail("width " + std::to_string(info.Width));
    if (info.Height <= 0) Fail("height 0");
    if (info.Width > TBmpReader::MaxSide || info.Height > TBmpReader::MaxSide ||
        int64_t{info.Width} * info.Height > TBmpReader::MaxPixels)
        Fail("dimensions " + std::to_string(info.Width) + "x" + std::to_string(info.Height) +
             " exceed the limit");
}

void CheckCompression(const TBmpInfo& info) {
    const uint32_t c = info.Compression;
    const int bits = info.BitCount;
    if (info.Os2V2 && c >= BI_BITFIELDS) Fail("OS/2 compression " + std::to_string(c));
    if (c == BI_JPEG || c == BI_PNG) Fail("embedded JPEG/PNG data is not supported");
    if (c == BI_RGB) {
        if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 &&
            bits != 32)
            Fail("bit count " + std::to_string(bits));
        return;
    }
    if ((c == BI_RLE8 && bits != 8) || (c == BI_RLE4 && bits != 4))
        Fail("run-length compression with bit count " + std::to_string(bits));
    if ((c == BI_BITFIELDS || c == BI_ALPHABITFIELDS) && bits != 16 && bits != 32)
        Fail("bit fields with bit count " + std::to_string(bits));
    if (c > BI_ALPHABITFIELDS) Fail("compression " + std::to_string(c));
    if (info.TopDown && (c == BI_RLE8 || c == BI_RLE4)) Fail("top-down run-length data");
}

void ReadMasks(std::span<const uint8_t> d, TBmpInfo& info) {
    const size_t infoEnd = FileHeaderSize + info.HeaderSize;
    info.HeadersEnd = infoEnd;
    if (info.Compression != BI_BITFIELDS && info.Compression != BI_ALPHABITFIELDS) {
        if (info.BitCount == 16)
            info.Masks[0] = 0x7C00, info.Masks[1] = 0x03E0, info.Masks[2] = 0x1F;
        if (info.BitCount == 32)
            info.Masks[0] = 0xFF0000, info.Masks[1] = 0xFF00, info.Masks[2] = 0xFF;
        return;
    }
    size_t at = FileHeaderSize + 40;
    if (info.HeaderSize == 40) {
        info.HeadersEnd += info.Compression == BI_ALPHABITFIELDS ? 16 : 12;
        if (info.HeadersEnd > d.size()) Fail("file ends inside the colour masks");
    }
    for (uint32_t& mask : info.Masks) {
        mask = U32(d, at);
        at += 4;
    }
    const uint64_t limit = info.BitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (uint32_t mask : info.Masks)
        if (mask > limit || !TChannel(mask).Contiguous()) Fail("bad colour mask");
}

void ReadPalette(std::span<const uint8_t> d, TBmpInfo& info) {
    if (info.BitCount > 8) return;
    if (info.ColorsUsed > 65536) Fail("palette of " + std::to_string(info.ColorsUsed) + " colours");
    const size_t entrySize = info.Core ? 3 : 4;
    size_t count = info.ColorsUsed ? info.ColorsUsed : size_t{1} << info.BitCount;
    count = std::min(count, size_t{1} << info.BitCount);
    // The palette never runs into the pixel data, whatever the header says.
    if (info.PixelOffset > info.HeadersEnd)
        count = std::min(count, (info.PixelOffset - info.HeadersEnd) / entrySize);
    if (info.HeadersEnd + count * entrySize > d.size()) Fail("file ends inside the palette");
    info.Palette.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = info.HeadersEnd + i * entrySize;
        info.Palette[i] = (uint32_t{d[at + 2]} << 16) | (uint32_t{d[at + 1]} << 8) | d[at];
    }
}

void CheckPixelOffset(std::span<const uint8_t> d, TBmpInfo& info) {
    if (info.PixelOffset == 0)
        info.PixelOffset =
            static_cast<uint32_t>(info.HeadersEnd + info.Palette.size() * (info.Core ? 3 : 4));
    if (info.PixelOffset < info.HeadersEnd)
        Fail("pixel data offset " + std::to_string(info.PixelOffset) + " inside the headers");
    if (info.PixelOffset >= d.size()) Fail("no pixel data");
}

TBmpInfo ReadHeaders(std::span<const uint8_t> d) {
    if (d.size() < FileHeaderSize + 4) Fail("file too short");
    if (d[0] != 'B' || d[1] != 'M') Fail("not a BMP file");
    TBmpInfo info;
    info.Size = d.size();
    info.PixelOffset = U32(d, 10);
    info.HeaderSize = U32(d, 14);
    if (!ValidHeaderSize(info.HeaderSize))
        Fail("info header size " + std::to_string(info.HeaderSize));
    if (FileHeaderSize + info.HeaderSize > d.size()) Fail("file ends inside the info header");
    const size_t tail = info.HeaderSize == 12 ? 22 : 26;
    if (info.HeaderSize == 12)
        ReadCoreHeader(d, info);
    else
        ReadInfoHeader(d, info);
    if (U16(d, tail) != 1) Fail("planes " + std::to_string(U16(d, tail)));
    info.BitCount = U16(d, tail + 2);
    CheckDimensions(info);
    CheckCompression(info);
    ReadMasks(d, info);
    ReadPalette(d, info);
    CheckPixelOffset(d, info);
    return info;
}

uint32_t PaletteColor(const TBmpInfo& info, uint32_t index) {
    return index < info.Palette.size() ? info.Palette[index] : 0;
}

class TRowDecoder {
public:
    TRowDecoder(const TBmpInfo& info)
        : FInfo(info), FRed(info.Masks[0]), FGreen(info.Masks[1]), FBlue(info.Masks[2]) {}

    void Decode(const uint8_t* src, uint32_t* dst) const {
        const int w = FInfo.Width;
        switch (FInfo.BitCount) {
        case 1:
        case 2:
        case 4:
        case 8:
            DecodeIndexed(src, dst, w);
            break;
        case 24:
            for (int x = 0; x < w; ++x, src += 3)
                dst[x] = (uint32_t{src[2]} << 16) | (uint32_t{src[1]} << 8) | src[0];
            break;
        case 16:
            for (int x = 0; x < w; ++x, src += 2)
                dst[x] = FromFields(src[0] | (src[1] << 8));
            break;
        default:
            for (int x = 0; x < w; ++x, src += 4)
                dst[x] =
                    FromFields(src[0] | (src[1] << 8) | (src[2] << 16) | (uint32_t{src[3]} << 24));
        }
    }

private:
    void DecodeIndexed(const uint8_t* src, uint32_t* dst, int w) const {
        const int bits = FInfo.BitCount, perByte = 8 / bits;
        const uint32_t mask = (1u << bits) - 1;
        for (int x = 0; x < w; ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            dst[x] = PaletteColor(FInfo, (src[x / perByte] >> shift) & mask);
        }
    }
    uint32_t FromFields(uint32_t v) const {
        return (FRed.Scale(v) << 16) | (FGreen.Scale(v) << 8) | FBlue.Scale(v);
    }

    const TBmpInfo& FInfo;
    TChannel FRed, FGreen, FBlue;
};

void DecodeUncompressed(std::span<const uint8_t> d, const TBmpInfo& info, TBitmap& out) {
    const uint64_t rowSize = ((uint64_t(info.Width) * info.BitCount + 31) / 32) * 4;
    const uint64_t lastRow = (uint64_t(info.Width) * info.BitCount + 7) / 8;
    const uint64_t need = rowSize * (info.Height - 1) + lastRow;
    if (info.PixelOffset + need > d.size())
        Fail("pixel data truncated (" + std::to_string(d.size() - info.PixelOffset) + " of " +
             std::to_string(need) + " bytes)");
    out.SetSize(info.Width, info.Height);
    const TRowDecoder rows(info);
    for (int r = 0; r < info.Height; ++r) {
        const int y = info.TopDown ? r : info.Height - 1 - r;
        rows.Decode(d.data() + info.PixelOffset + rowSize * r, out.ScanLine(y));
    }
}

class TRleDecoder {
public:
    TRleDecoder(std::span<const uint8_t> data, const TBmpInfo& info, TBitmap& out)
        : FData(data), FInfo(info), FOut(out), FFour(info.Compression == BI_RLE4) {}

    void Run() {
        while (true) {
            if (FPos + 2 > FData.size()) return Ended();
            const uint8_t count = FData[FPos], code = FData[FPos + 1];
            FPos += 2;
            if (count > 0)
                Repeat(count, code);
            else if (code == 0)
                FX = 0, ++FY;
            else if (code == 1)
                return;
            else if (code == 2)
                Delta();
            else
                Literal(code);
        }
    }

private:
    void Put(uint32_t index) {
        if (FX < FInfo.Width && FY < FInfo.Height)
            FOut.ScanLine(FInfo.Height - 1 - static_cast<int>(FY))[FX] = PaletteColor(FInfo, index);
        ++FX;
    }
    void Repeat(int count, uint8_t value) {
        for (int i = 0; i < count; ++i)
            Put(FFour ? (i % 2 ? value & 0xF : value >> 4) : value);
    }
    void Delta() {
        if (FPos + 2 > FData.size()) Fail("run-length data truncated");
        FX += FData[FPos];
        FY += FData[FPos + 1];
        FPos += 2;
    }
    void Literal(int count) {
        size_t bytes = FFour ? (count + 1) / 2 : count;
        bytes += bytes & 1;
        if (FPos + bytes > FData.size()) Fail("run-length data truncated");
        for (int i = 0; i < count; ++i) {
            const uint8_t b = FData[FPos + (FFour ? i / 2 : i)];
            Put(FFour ? (i % 2 ? b & 0xF : b >> 4) : b);
        }
        FPos += bytes;
    }
    // A stream that covered every row but lost its end marker is whole.
    void Ended() const {
        if (FY < FInfo.Height - 1 || (FY == FInfo.Height - 1 && FX < FInfo.Width))
            Fail("run-length data truncated");
    }

    std::span<const uint8_t> FData;
    const TBmpInfo& FInfo;
    TBitmap& FOut;
    bool FFour;
    size_t FPos = 0;
    int64_t FX = 0;
    int64_t FY = 0;
};

void DecodeRle(std::span<const uint8_t> d, const TBmpInfo& info, TBitmap& out) {
    size_t end = d.size();
    if (info.SizeImage && info.PixelOffset + uint64_t{info.SizeImage} <= d.size())
        end = info.PixelOffset + info.SizeImage;
    out.SetSize(info.Width, info.Height);
    // Pixels the stream skips show the first palette colour.
    const uint32_t background = PaletteColor(info, 0);
    for (int y = 0; y < info.Height; ++y)
        std::fill_n(out.ScanLine(y), info.Width, background);
    TRleDecoder(d.subspan(info.PixelOffset, end - info.PixelOffset), info, out).Run();
}

} // namespace

bool TBmpReader::Sniff(std::span<const uint8_t> data) {
    return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

void TBmpReader::Decode(std::span<const uint8_t> data, TBitmap& out) {
    const TBmpInfo info = ReadHeaders(data);
    if (info.Compression == BI_RLE8 || info.Compression == BI_RLE4)
        DecodeRle(data, info, out);
    else
        DecodeUncompressed(data, info, out);
}

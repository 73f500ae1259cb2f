// Hand-made BMP and PNG files for the cases the suite does not pin down.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TPicture.h"
#include "unit/graphics/PixelArt.h"

namespace {

struct TBmpBuilder {
    uint32_t HeaderSize = 40;
    int32_t Width = 2;
    int32_t Height = 2;
    uint16_t Planes = 1;
    uint16_t BitCount = 24;
    uint32_t Compression = 0;
    uint32_t ColorsUsed = 0;
    std::vector<uint32_t> Masks;  // in the header (52+) or after it (40)
    std::vector<uint8_t> Palette; // raw entries
    std::vector<uint8_t> Gap;     // bytes between palette and pixels
    std::vector<uint8_t> Pixels;
    int64_t Offset = -1; // pixel data offset, -1: the real one

    static void Put16(std::vector<uint8_t>& out, uint32_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    }
    static void Put32(std::vector<uint8_t>& out, uint32_t v) {
        Put16(out, v & 0xFFFF);
        Put16(out, v >> 16);
    }

    std::vector<uint8_t> Build() const {
        const bool masksAfter = HeaderSize == 40;
        const size_t offset =
            14 + HeaderSize + (masksAfter ? Masks.size() * 4 : 0) + Palette.size() + Gap.size();
        std::vector<uint8_t> out{'B', 'M'};
        Put32(out, uint32_t(offset + Pixels.size()));
        Put32(out, 0);
        Put32(out, uint32_t(Offset >= 0 ? Offset : int64_t(offset)));
        Put32(out, HeaderSize);
        if (HeaderSize == 12) {
            Put16(out, uint32_t(Width));
            Put16(out, uint32_t(Height));
        } else {
            Put32(out, uint32_t(Width));
            Put32(out, uint32_t(Height));
        }
        Put16(out, Planes);
        Put16(out, BitCount);
        if (HeaderSize >= 40) {
            Put32(out, Compression);
            Put32(out, uint32_t(Pixels.size()));
            Put32(out, 2835);
            Put32(out, 2835);
            Put32(out, ColorsUsed);
            Put32(out, 0);
            if (!masksAfter)
                for (uint32_t m : Masks)
                    Put32(out, m);
            out.resize(14 + HeaderSize, 0);
            if (masksAfter)
                for (uint32_t m : Masks)
                    Put32(out, m);
        }
        out.insert(out.end(), Palette.begin(), Palette.end());
        out.insert(out.end(), Gap.begin(), Gap.end());
        out.insert(out.end(), Pixels.begin(), Pixels.end());
        return out;
    }
};

// B, G, R, 0 entries: white, red, blue, lime.
const std::vector<uint8_t> FourColours = {255, 255, 255, 0, 0, 0,   255, 0,
                                          255, 0,   0,   0, 0, 255, 0,   0};

std::string Decode(const TBmpBuilder& b, TPicture& picture) {
    try {
        picture.LoadFromStream(b.Build());
    } catch (const EInvalidGraphic& e) {
        return e.what();
    }
    return "ok";
}

std::string Art(const TPicture& p) {
    return ::Art(p.Bitmap());
}

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::filesystem::path Corpus = std::filesystem::path(XF_SOURCE_DIR) / "tests/data/bmpsuite";

} // namespace

TEST(PictureBmp, TwentyFourBitRowsAreBottomUpAndPadded) {
    TBmpBuilder b;
    b.Width = 3;
    // bottom row: red white blue, top row: black black black; 3 padding bytes
    b.Pixels = {0, 0, 255, 255, 255, 255, 255, 0, 0, 9, 9, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9};
    b.Height = 2;
    TPicture p;
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"###", "r.b"}));
    b.Height = -2; // top-down
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"r.b", "###"}));
}

TEST(PictureBmp, IndexedPixelsOfEveryDepth) {
    TBmpBuilder b;
    b.Palette = FourColours;
    b.ColorsUsed = 4;
    b.Width = 9;
    b.Height = 1;
    b.BitCount = 1; // 9 pixels cross a byte boundary
    b.Pixels = {0b01100000, 0b10000000, 0, 0};
    TPicture p;
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({".rr.....r"}));
    b.BitCount = 2;
    b.Width = 5;
    b.Pixels = {0b00011011, 0b01000000, 0, 0};
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({".rbgr"}));
    b.BitCount = 4;
    b.Width = 3;
    b.Pixels = {0x12, 0x90, 0, 0}; // index 9 is past the palette: black
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"rb#"}));
    b.BitCount = 8;
    b.Pixels = {3, 0, 200, 0};
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"g.#"}));
}

TEST(PictureBmp, CoreHeaderUsesThreeBytePaletteEntries) {
    TBmpBuilder b;
    b.HeaderSize = 12;
    b.BitCount = 8;
    b.Width = 3;
    b.Height = 1;
    b.Palette = {255, 255, 255, 0, 0, 255, 255, 0, 0}; // white, red, blue
    b.Pixels = {2, 1, 0, 0};
    TPicture p;
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"br."}));
}

TEST(PictureBmp, BitFieldsScaleEachChannelToEightBits) {
    TBmpBuilder b;
    b.BitCount = 16;
    b.Compression = 3;
    b.Masks = {0xF800, 0x07E0, 0x001F};
    b.Width = 2;
    b.Height = 1;
    b.Pixels = {0x00, 0xF8, 0x10, 0x00}; // pure red; blue 16 of 31
    TPicture p;
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(p.Bitmap().GetPixel(0, 0), clRed);
    EXPECT_EQ(p.Bitmap().GetPixel(1, 0), RGB(0, 0, 132));
    // Masks inside a 56-byte header; 32-bit pixels.
    TBmpBuilder v3 = b;
    v3.HeaderSize = 56;
    v3.BitCount = 32;
    v3.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    v3.Pixels = {10, 20, 30, 0, 1, 2, 3, 4};
    ASSERT_EQ(Decode(v3, p), "ok");
    EXPECT_EQ(p.Bitmap().GetPixel(0, 0), RGB(10, 20, 30));
    b.Masks = {0xF00F, 0x07E0, 0x001F}; // red bits not in one run
    EXPECT_NE(Decode(b, p).find("mask"), std::string::npos);
    b.Masks = {0x1F0000, 0x07E0, 0x001F}; // wider than the pixel
    EXPECT_NE(Decode(b, p).find("mask"), std::string::npos);
    EXPECT_TRUE(p.Empty());
}

TEST(PictureBmp, PixelDataOffsetIsHonoured) {
    TBmpBuilder b;
    b.Width = 1;
    b.Height = 1;
    b.Gap = {1, 2, 3, 4, 5, 6, 7};
    b.Pixels = {255, 0, 0, 0};
    TPicture p;
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(p.Bitmap().GetPixel(0, 0), clBlue);
    b.Offset = 30;
    EXPECT_NE(Decode(b, p).find("inside the headers"), std::string::npos);
    b.Offset = 5000;
    EXPECT_NE(Decode(b, p).find("no pixel data"), std::string::npos);
    // The palette stops where the pixels start.
    TBmpBuilder pal;
    pal.BitCount = 8;
    pal.Width = 1;
    pal.Height = 1;
    pal.ColorsUsed = 200;
    pal.Palette = {0, 0, 255, 0};
    pal.Pixels = {0, 0, 0, 0};
    ASSERT_EQ(Decode(pal, p), "ok");
    EXPECT_EQ(p.Bitmap().GetPixel(0, 0), clRed);
}

TEST(PictureBmp, TruncatedAndOversizedFilesAreRejected) {
    TBmpBuilder b;
    b.Width = 2;
    b.Height = 2;
    b.Pixels = {1, 2, 3, 4, 5, 6, 0, 0, 1, 2, 3, 4, 5}; // last row one byte short
    TPicture p;
    EXPECT_NE(Decode(b, p).find("truncated"), std::string::npos);
    b.Pixels.push_back(6); // the final row's padding may be missing
    EXPECT_EQ(Decode(b, p), "ok");
    b.Width = 20000;
    EXPECT_NE(Decode(b, p).find("exceed the limit"), std::string::npos);
    // A small file claiming 16000 x 16000 is refused before anything is allocated.
    b.Width = 16000;
    b.Height = 16000;
    EXPECT_NE(Decode(b, p).find("exceed the limit"), std::string::npos);
    b.Width = 0;
    EXPECT_NE(Decode(b, p).find("width"), std::string::npos);
    b.Width = 1;
    b.Height = 0;
    EXPECT_NE(Decode(b, p).find("height"), std::string::npos);
    b.Height = INT32_MIN;
    EXPECT_NE(Decode(b, p).find("height"), std::string::npos);
}

TEST(PictureBmp, HeaderFieldsAreChecked) {
    TPicture p;
    TBmpBuilder b;
    b.Width = 1;
    b.Height = 1;
    b.Pixels = {0, 0, 0, 0};
    b.HeaderSize = 20;
    EXPECT_NE(Decode(b, p).find("header size 20"), std::string::npos);
    b.HeaderSize = 40;
    b.Planes = 2;
    EXPECT_NE(Decode(b, p).find("planes"), std::string::npos);
    b.Planes = 1;
    b.BitCount = 3;
    EXPECT_NE(Decode(b, p).find("bit count"), std::string::npos);
    b.BitCount = 24;
    b.Compression = 1; // run-length with 24 bits
    EXPECT_NE(Decode(b, p).find("run-length"), std::string::npos);
    b.Compression = 9;
    EXPECT_NE(Decode(b, p).find("compression"), std::string::npos);
    std::vector<uint8_t> bytes = TBmpBuilder{}.Build();
    bytes.resize(20);
    EXPECT_THROW(p.LoadFromStream(bytes), EInvalidGraphic);
    bytes = {'B', 'M'};
    EXPECT_THROW(p.LoadFromStream(bytes), EInvalidGraphic);
    EXPECT_THROW(p.LoadFromStream({}), EInvalidGraphic);
}

TEST(PictureBmp, RunLengthEightBit) {
    TBmpBuilder b;
    b.BitCount = 8;
    b.Compression = 1;
    b.Width = 3;
    b.Height = 2;
    b.Palette = FourColours;
    // two red; end of line; skip one right; one blue; end of bitmap
    b.Pixels = {2, 1, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1};
    TPicture p;
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({".b.", "rr."})); // skipped pixels take colour 0
    // Literal run of three, padded to an even length.
    b.Height = 1;
    b.Pixels = {0, 3, 3, 2, 1, 0, 0, 1};
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"gbr"}));
    // Runs past the right edge are cut, not wrapped.
    b.Pixels = {5, 2, 0, 1};
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"bbb"}));
}

TEST(PictureBmp, RunLengthFourBitAndTruncation) {
    TBmpBuilder b;
    b.BitCount = 4;
    b.Compression = 2;
    b.Width = 4;
    b.Height = 1;
    b.Palette = FourColours;
    b.Pixels = {3, 0x12, 0, 1};
    TPicture p;
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"rbr."}));
    b.Pixels = {0, 3, 0x31, 0x20, 0, 1};
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"grb."}));
    // No end marker and rows missing: truncated.
    b.Height = 2;
    b.Pixels = {3, 0x12};
    EXPECT_NE(Decode(b, p).find("truncated"), std::string::npos);
    EXPECT_TRUE(p.Empty());
    // Every row there but no end marker: whole.
    b.Pixels = {4, 0x11, 0, 0, 4, 0x22};
    ASSERT_EQ(Decode(b, p), "ok");
    EXPECT_EQ(Art(p), Rows({"bbbb", "rrrr"}));
    // A literal run that runs off the end of the data.
    b.Pixels = {0, 8, 0x11};
    EXPECT_NE(Decode(b, p).find("truncated"), std::string::npos);
    b.Pixels = {0, 2, 1};
    EXPECT_NE(Decode(b, p).find("truncated"), std::string::npos);
}

TEST(PicturePng, LoadsAndChecksTheHeaderFirst) {
    const std::vector<uint8_t> png = ReadAll(Corpus / "ref/pal8.png");
    ASSERT_GT(png.size(), 100u);
    TPicture p;
    p.LoadFromStream(png);
    EXPECT_EQ(p.Width(), 127);
    std::vector<uint8_t> cut(png.begin(), png.begin() + png.size() / 2);
    EXPECT_THROW(p.LoadFromStream(cut), EInvalidGraphic);
    EXPECT_TRUE(p.Empty());
    std::vector<uint8_t> huge = png;
    huge[16] = 0x7F; // width 2^30 and more
    try {
        p.LoadFromStream(huge);
        FAIL() << "accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(std::string(e.what()).find("exceed the limit"), std::string::npos);
    }
    const uint8_t gif[] = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
    try {
        p.LoadFromStream(gif);
        FAIL() << "accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(std::string(e.what()), "Unknown picture format");
    }
}

TEST(Picture, FileErrorsNameTheFileAndChangesAreReported) {
    TPicture p;
    int changes = 0;
    p.OnChange = [&] { ++changes; };
    try {
        p.LoadFromFile("/no/such/picture.bmp");
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("/no/such/picture.bmp"), std::string::npos);
    }
    EXPECT_THROW(p.LoadFromFile(XF_SOURCE_DIR), EFOpenError);
    p.LoadFromFile((Corpus / "g/pal8.bmp").string());
    EXPECT_EQ(p.Width(), 127);
    EXPECT_EQ(changes, 3);
    TPicture copy;
    copy.Assign(p);
    EXPECT_TRUE(copy.Bitmap().SamePixels(p.Bitmap()));
    p.Clear();
    EXPECT_TRUE(p.Empty());
    EXPECT_FALSE(copy.Empty());
}

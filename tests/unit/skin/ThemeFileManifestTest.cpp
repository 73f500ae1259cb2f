#include <gtest/gtest.h>

#include "ThemeFileTestSupport.h"
#include "gui/Exception.h"
#include "gui/Types.h"
#include "skin/TskThemeFileReader.h"
#include "skin/TskThemeManifest.h"

using namespace skinfile_test;

namespace {

// The error text of compiling one manifest, or "" when it compiles.
std::string ErrorOf(std::string_view text, const std::string& baseDir = "") {
    try {
        TskThemeManifest manifest("skin.txt", baseDir);
        manifest.Compile(text);
    } catch (const Exception& error) {
        return error.Message();
    }
    return "";
}

const std::vector<uint8_t> kBmp = {'B', 'M', 1, 2, 3};

} // namespace

TEST(ThemeFileManifest, CompilesEveryKind) {
    TScratchDir dir;
    std::filesystem::create_directory(dir.Path() / "pics");
    dir.Write("pics/button.bmp", kBmp);
    TskThemeManifest manifest("skin.txt", dir.Path().string());
    manifest.Compile("# comment\r\n"
                     "\n"
                     "  ; another\n"
                     "int FormMinWidthInt 270\r\n"
                     "int TitleBarButtonRightOffsetInt -3\n"
                     "int ShadowColor 0xFF000010\n"
                     "color FormBorderColor 0 44 200\n"
                     "bool ButtonTransparentBool true\n"
                     "bool TitleBarButtonTransparentBool 0\n"
                     "byte Level 200\n"
                     "string Author  Star  Fan \t\r\n"
                     "bmp\tButtonImage pics/button.bmp\n"
                     "int Last 1"); // no final newline
    EXPECT_TRUE(manifest.Warnings().empty());
    TskThemeFileReader reader(manifest.Writer().Build());
    EXPECT_TRUE(reader.Problems().empty());
    EXPECT_EQ(reader.GetInteger("FormMinWidthInt"), 270);
    EXPECT_EQ(reader.GetInteger("TitleBarButtonRightOffsetInt"), -3);
    EXPECT_EQ(reader.GetInteger("ShadowColor"), clBtnShadow);
    EXPECT_EQ(reader.GetInteger("FormBorderColor"), RGB(0, 44, 200));
    EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));
    EXPECT_FALSE(reader.GetBool("TitleBarButtonTransparentBool"));
    EXPECT_EQ(reader.ByteTable().at(2), "Level=200");
    EXPECT_EQ(reader.StringTable(), std::vector<std::string>{"Author=Star  Fan"});
    ASSERT_NE(reader.GetStream("ButtonImage"), nullptr);
    EXPECT_EQ(reader.GetStream("ButtonImage")->Size(), 5);
    EXPECT_EQ(reader.GetInteger("Last"), 1);
}

TEST(ThemeFileManifest, ErrorsNameTheLine) {
    EXPECT_EQ(ErrorOf("int A 1\n\nfont B 3\n"),
              "skin.txt:3: unknown entry kind \"font\" (int, color, bool, byte, string or bmp)");
    EXPECT_EQ(ErrorOf("int\n"), "skin.txt:1: \"int\" needs a key");
    EXPECT_EQ(ErrorOf("int A\n"), "skin.txt:1: int A needs one integer");
    EXPECT_EQ(ErrorOf("int A 1 2\n"), "skin.txt:1: int A needs one integer");
    EXPECT_EQ(ErrorOf("int A 2147483648\n"), "skin.txt:1: \"2147483648\" is not a 32-bit integer");
    EXPECT_EQ(ErrorOf("int A 0x1FFFFFFFF\n"),
              "skin.txt:1: \"0x1FFFFFFFF\" is not a 32-bit integer");
    EXPECT_EQ(ErrorOf("int A 12px\n"), "skin.txt:1: \"12px\" is not a 32-bit integer");
    EXPECT_EQ(ErrorOf("color C 1 2\n"),
              "skin.txt:1: color C needs three values r g b from 0 to 255");
    EXPECT_EQ(ErrorOf("color C 1 2 256\n"),
              "skin.txt:1: \"256\" is not a colour value from 0 to 255");
    EXPECT_EQ(ErrorOf("color C -1 2 3\n"),
              "skin.txt:1: \"-1\" is not a colour value from 0 to 255");
    EXPECT_EQ(ErrorOf("bool B yes\n"), "skin.txt:1: \"yes\" is not 0, 1, true or false");
    EXPECT_EQ(ErrorOf("byte B 256\n"), "skin.txt:1: \"256\" is not a byte value from 0 to 255");
    EXPECT_EQ(ErrorOf("bmp P\n"), "skin.txt:1: bmp P needs a file name");
    EXPECT_EQ(ErrorOf("string " + std::string(65, 'k') + " x\n"),
              "skin.txt:1: The skin file key \"" + std::string(65, 'k') +
                  "\" is longer than 64 bytes");
}

TEST(ThemeFileManifest, PicturesMustExistAndBeBmp) {
    TScratchDir dir;
    dir.Write("fake.bmp", "GIF89a");
    std::string error = ErrorOf("int A 1\nbmp P missing.bmp\n", dir.Path().string());
    EXPECT_EQ(error.rfind("skin.txt:2: Cannot open file", 0), 0u) << error;
    EXPECT_NE(error.find(dir.File("missing.bmp")), std::string::npos) << error;
    EXPECT_EQ(ErrorOf("bmp P fake.bmp\n", dir.Path().string()),
              "skin.txt:1: \"" + dir.File("fake.bmp") + "\" is not a BMP picture");
}

TEST(ThemeFileManifest, RepeatedKeysWarnPerTable) {
    TskThemeManifest manifest("skin.txt", "");
    manifest.Compile("int FormBorderColor 1\n"
                     "bool FormBorderColor 1\n"        // another table: fine
                     "color formbordercolor 1 2 3\n"); // same table as int
    ASSERT_EQ(manifest.Warnings().size(), 1u);
    EXPECT_EQ(manifest.Warnings()[0],
              "skin.txt:3: formbordercolor was already given on line 1; the first one wins");
    TskThemeFileReader reader(manifest.Writer().Build());
    EXPECT_EQ(reader.GetInteger("FormBorderColor"), 1);
}

TEST(ThemeFileManifest, FromFileResolvesPicturesBesideTheManifest) {
    TScratchDir dir;
    std::filesystem::create_directory(dir.Path() / "msn");
    dir.Write("msn/tab.bmp", kBmp);
    std::string path = dir.Write("msn/skin.txt", "bmp TabControlTabImage tab.bmp\n");
    TskThemeManifest manifest = TskThemeManifest::FromFile(path);
    EXPECT_EQ(manifest.Writer().Entries().at(0).Data, kBmp);
    EXPECT_THROW(TskThemeManifest::FromFile(dir.File("absent.txt")), EFOpenError);
}

#include <gtest/gtest.h>

#include "ThemeFileTestSupport.h"
#include "gui/Exception.h"
#include "skin/TskThemeFileReader.h"
#include "skin/TskThemeFileWriter.h"

using namespace skinfile_test;

namespace {

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}

} // namespace

TEST(ThemeFileWriter, WritesHeaderRecordsAndTerminator) {
    TskThemeFileWriter writer;
    writer.AddInteger("A", 1);
    writer.AddStream("B", std::vector<uint8_t>{'B', 'M', 0});
    std::vector<uint8_t> file = writer.Build();

    ASSERT_EQ(file.size(), 24u + 3 * 77 + 4 + 3);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 12), std::string("StarSkinTB\0\0", 12));
    EXPECT_EQ(U32(file, 12), 24u);
    EXPECT_EQ(U32(file, 20), 24u);
    // First record: type, data right after the three records, next record.
    EXPECT_EQ(file[24 + 64], 1);
    EXPECT_EQ(U32(file, 24 + 65), 24u + 3 * 77);
    EXPECT_EQ(U32(file, 24 + 69), 4u);
    EXPECT_EQ(U32(file, 24 + 73), 24u + 77);
    EXPECT_EQ(U32(file, 101 + 73), 178u);
    EXPECT_EQ(U32(file, 178 + 73), 0u); // the terminator
}

TEST(ThemeFileWriter, EmptyWriterMakesAValidFileWithoutEntries) {
    TScratchDir dir;
    TskThemeFileWriter writer;
    std::string path = dir.File("empty.skn");
    writer.SaveToFile(path);
    EXPECT_TRUE(IsValidThemeFile(path));
    TskThemeFileReader reader(path);
    EXPECT_TRUE(reader.Problems().empty());
    EXPECT_TRUE(reader.StreamTable().empty() && reader.IntegerTable().empty());
}

TEST(ThemeFileWriter, KeysMustFitTheNameField) {
    TskThemeFileWriter writer;
    const std::string longest(64, 'k');
    writer.AddByte(longest, 1);
    EXPECT_THROW(writer.AddByte(std::string(65, 'k'), 1), Exception);
    EXPECT_THROW(writer.AddInteger("", 1), Exception);
    EXPECT_THROW(writer.AddString(std::string_view("a\0b", 3), "x"), Exception);
    EXPECT_EQ(writer.Entries().size(), 1u);
    EXPECT_TRUE(TskThemeFileReader(writer.Build()).GetBool(longest));
}

TEST(ThemeFileWriter, FileErrorsNameTheFile) {
    TScratchDir dir;
    TskThemeFileWriter writer;
    std::string missing = dir.File("nowhere.bmp");
    try {
        writer.AddStreamFromFile("ButtonImage", missing);
        FAIL() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_NE(error.Message().find(missing), std::string::npos);
    }
    std::string unwritable = dir.File("no-such-dir/out.skn");
    try {
        writer.SaveToFile(unwritable);
        FAIL() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_NE(error.Message().find(unwritable), std::string::npos);
    }
}

TEST(ThemeFileWriter, StreamFromFileKeepsTheBytes) {
    TScratchDir dir;
    std::vector<uint8_t> picture = {'B', 'M', 0, 255, 7, 0, 0};
    TskThemeFileWriter writer;
    writer.AddStreamFromFile("TabControlTabImage", dir.Write("tab.bmp", picture));
    TskThemeFileReader reader(writer.Build());
    TMemoryStream* stream = reader.GetStream("TabControlTabImage");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(stream->Bytes().begin(), stream->Bytes().end()), picture);
}

#include <gtest/gtest.h>

#include "ThemeFileTestSupport.h"
#include "gui/Exception.h"
#include "skin/TskThemeFileReader.h"
#include "skin/TskThemeFileWriter.h"

#include <numeric>
#include <sys/stat.h>

using namespace skinfile_test;

namespace {

constexpr uint8_t kStream = 0, kInteger = 1, kByte = 2, kString = 3;

std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TskThemeFileReader Read(const TRawSkin& raw) {
    return TskThemeFileReader(raw.Bytes());
}

} // namespace

TEST(ThemeFileReader, RoundTripsEveryKindOfEntry) {
    TskThemeFileWriter writer;
    writer.AddStream("ButtonImage", Bytes("BM\x01\x02picture"));
    writer.AddInteger("FormBorderColor", 0x00C82C00);
    writer.AddInteger("Negative", -7);
    writer.AddInteger("Lowest", INT32_MIN);
    writer.AddInteger("SystemColour", static_cast<int32_t>(0xFF000005u));
    writer.AddBool("ButtonTransparentBool", true);
    writer.AddByte("Two", 2);
    writer.AddByte("Zero", 0);
    writer.AddString("Caption", "\xD0\xC7=\xB7\xAB");
    TskThemeFileReader reader(writer.Build());

    EXPECT_TRUE(reader.Problems().empty());
    TMemoryStream* picture = reader.GetStream("ButtonImage");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(ReadRest(*picture), "BM\x01\x02picture");
    EXPECT_EQ(reader.GetInteger("FormBorderColor"), 0x00C82C00);
    EXPECT_EQ(reader.GetInteger("Negative"), -7);
    EXPECT_EQ(reader.GetInteger("Lowest"), INT32_MIN);
    EXPECT_EQ(reader.GetInteger("SystemColour"), static_cast<int32_t>(0xFF000005u));
    EXPECT_TRUE(reader.GetBool("ButtonTransparentBool"));
    EXPECT_TRUE(reader.GetBool("Two"));
    EXPECT_FALSE(reader.GetBool("Zero"));
    // Strings stay raw bytes, an "=" inside the value included.
    EXPECT_EQ(reader.StringTable(), std::vector<std::string>{"Caption=\xD0\xC7=\xB7\xAB"});
    EXPECT_EQ(reader.IntegerTable().front(), "FormBorderColor=13118464");
}

TEST(ThemeFileReader, MissingKeysAnswerNoneMinusOneAndFalse) {
    TskThemeFileWriter writer;
    writer.AddInteger("Stored", -1);
    writer.AddByte("Flag", 1);
    TskThemeFileReader reader(writer.Build());
    EXPECT_EQ(reader.GetStream("Stored"), nullptr); // an integer is not a picture
    EXPECT_EQ(reader.GetInteger("Flag"), -1);       // nor is a byte an integer
    EXPECT_FALSE(reader.GetBool("Stored"));
    EXPECT_EQ(reader.GetInteger("Absent"), -1);
    EXPECT_EQ(reader.GetInteger("Stored"), -1); // the same answer as absent
}

TEST(ThemeFileReader, TerminatingRecordIsNeverLoaded) {
    // A lone first record with next 0 loads nothing, whatever it holds.
    TRawSkin lone(200);
    lone.Record(24, "Width", kInteger, 150, 4, 0);
    lone.PutU32(150, 42);
    TskThemeFileReader empty = Read(lone);
    EXPECT_EQ(empty.GetInteger("Width"), -1);
    EXPECT_TRUE(empty.IntegerTable().empty());
    EXPECT_TRUE(empty.Problems().empty());

    // Three records load the first two.
    TRawSkin chain(400);
    chain.Record(24, "A", kInteger, 300, 4, 101);
    chain.Record(101, "B", kByte, 304, 1, 178);
    chain.Record(178, "C", kInteger, 300, 4, 0);
    chain.PutU32(300, 9);
    chain.Put(304, "\x02");
    TskThemeFileReader reader = Read(chain);
    EXPECT_EQ(reader.GetInteger("A"), 9);
    EXPECT_TRUE(reader.GetBool("B"));
    EXPECT_EQ(reader.GetInteger("C"), -1);
}

TEST(ThemeFileReader, FirstEntryInChainOrderWinsAndKeysIgnoreCase) {
    // The chain runs from the end of the file backwards, so chain order and
    // file order differ.
    TRawSkin raw(600);
    raw.PutU32(20, 400);
    raw.Record(400, "FormBorderColor", kInteger, 560, 4, 300);
    raw.Record(300, "FORMBORDERCOLOR", kInteger, 564, 4, 200);
    raw.Record(200, "TabImage", kStream, 570, 3, 100);
    raw.Record(100, "tabimage", kStream, 573, 2, 480);
    raw.Record(480, "end", 0, 0, 0, 0);
    raw.PutU32(560, 111);
    raw.PutU32(564, 222);
    raw.Put(570, "onetw");
    TskThemeFileReader reader = Read(raw);
    EXPECT_EQ(reader.IntegerTable(),
              (std::vector<std::string>{"FormBorderColor=111", "FORMBORDERCOLOR=222"}));
    EXPECT_EQ(reader.GetInteger("formbordercolor"), 111);
    ASSERT_NE(reader.GetStream("TABIMAGE"), nullptr);
    EXPECT_EQ(ReadRest(*reader.GetStream("TABIMAGE")), "one");
    EXPECT_EQ(reader.StreamTable().size(), 2u);
}

TEST(ThemeFileReader, BoolIsTrueForAnyNonZeroByte) {
    TskThemeFileWriter writer;
    writer.AddByte("Max", 255);
    writer.AddByte("Off", 0);
    writer.AddByte("Off", 1); // a later duplicate does not win
    TskThemeFileReader reader(writer.Build());
    EXPECT_TRUE(reader.GetBool("max"));
    EXPECT_FALSE(reader.GetBool("Off"));
    EXPECT_FALSE(reader.GetBool("Absent"));
}

TEST(ThemeFileReader, StreamIsRewoundOnEveryLookup) {
    TskThemeFileWriter writer;
    writer.AddStream("Picture", Bytes("BMabc"));
    writer.AddStream("Empty", {});
    TskThemeFileReader reader(writer.Build());
    TMemoryStream* first = reader.GetStream("Picture");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ReadRest(*first), "BMabc");
    EXPECT_EQ(first->Position(), 5);
    TMemoryStream* again = reader.GetStream("picture");
    EXPECT_EQ(again, first);
    EXPECT_EQ(again->Position(), 0);
    EXPECT_EQ(ReadRest(*again), "BMabc");

    TMemoryStream* empty = reader.GetStream("Empty");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->Size(), 0);
}

TEST(ThemeFileReader, NamesEndAtTheFirstNulOrFillAllSixtyFourBytes) {
    const std::string full(64, 'K');
    TRawSkin raw(400);
    raw.Record(24, full, kByte, 300, 1, 101);
    raw.Record(101, std::string_view("Short\0junk", 10), kByte, 300, 1, 178);
    raw.Record(178, "", 0, 0, 0, 0);
    raw.Put(300, "\x01");
    // The name field runs straight into the type byte: nothing of it may
    // leak into the key.
    TskThemeFileReader reader = Read(raw);
    EXPECT_TRUE(reader.GetBool(full));
    EXPECT_TRUE(reader.GetBool("short"));
    EXPECT_FALSE(reader.GetBool(std::string_view("Short\0junk", 10)));
}

TEST(ThemeFileReader, KeyIsTheTextBeforeTheFirstEquals) {
    // A stored name with "=" in it: its text splits at the first "=", so the
    // item answers neither to its own name nor with a number.
    TskThemeFileWriter writer;
    writer.AddInteger("a=b", 5);
    writer.AddInteger("a", 6);
    writer.AddByte("flag=x", 1);
    TskThemeFileReader reader(writer.Build());
    EXPECT_EQ(reader.GetInteger("a=b"), -1);
    EXPECT_EQ(reader.GetInteger("a"), -1); // first match holds "b=5"
    EXPECT_FALSE(reader.GetBool("flag"));
}

TEST(ThemeFileReader, UnknownTypesAreSkippedQuietly) {
    TskThemeFileWriter writer;
    writer.Add("Odd", 7, Bytes("xxxx"));
    writer.Add("Odd", 255, Bytes(""));
    writer.AddInteger("After", 3);
    TskThemeFileReader reader(writer.Build());
    EXPECT_EQ(reader.GetInteger("After"), 3);
    EXPECT_EQ(reader.GetStream("Odd"), nullptr);
    EXPECT_TRUE(reader.Problems().empty());
}

TEST(ThemeFileReader, WrongSizedNumbersAreSkippedAndTheChainGoesOn) {
    TskThemeFileWriter writer;
    writer.Add("Short", kInteger, Bytes("\x01\x02\x03"));
    writer.Add("Long", kInteger, Bytes("\x01\x00\x00\x00\x00\x00\x00\x00"));
    writer.Add("Wide", kByte, Bytes("\x01\x01"));
    writer.Add("None", kByte, Bytes(""));
    writer.AddInteger("Good", 12);
    writer.AddBool("Fine", true);
    TskThemeFileReader reader(writer.Build());
    EXPECT_EQ(reader.GetInteger("Short"), -1);
    EXPECT_EQ(reader.GetInteger("Long"), -1);
    EXPECT_FALSE(reader.GetBool("Wide"));
    EXPECT_FALSE(reader.GetBool("None"));
    EXPECT_EQ(reader.GetInteger("Good"), 12);
    EXPECT_TRUE(reader.GetBool("Fine"));
    EXPECT_EQ(reader.ProblemCount(), 4u);
}

TEST(ThemeFileReader, HeaderSizeDecidesWhetherThereAreEntries) {
    auto withHeader = [](uint32_t headerSize) {
        TRawSkin raw(300, headerSize, 40);
        raw.Record(40, "Key", kByte, 290, 1, 117);
        raw.Put(290, "\x01");
        return raw;
    };
    EXPECT_TRUE(Read(withHeader(24)).GetBool("Key"));
    EXPECT_TRUE(Read(withHeader(40)).GetBool("Key")); // extra header bytes ignored
    for (uint32_t bad : {0u, 16u, 23u, 301u, 0xFFFFFFFFu}) {
        TskThemeFileReader reader = Read(withHeader(bad));
        EXPECT_FALSE(reader.GetBool("Key")) << bad;
        EXPECT_EQ(reader.ProblemCount(), 1u) << bad;
    }
}

TEST(ThemeFileReader, FilesShorterThanTheHeaderHoldNothing) {
    for (size_t size : {0, 1, 12, 15}) {
        std::vector<uint8_t> bytes(size, 0);
        TskThemeFileReader reader{std::span<const uint8_t>(bytes)};
        EXPECT_TRUE(reader.StreamTable().empty());
        EXPECT_EQ(reader.ProblemCount(), 1u) << size;
    }
    // 16 to 23 bytes: the header size cannot fit.
    std::vector<uint8_t> sixteen = TRawSkin(24).Bytes();
    sixteen.resize(16);
    EXPECT_EQ(TskThemeFileReader(sixteen).ProblemCount(), 1u);
}

TEST(ThemeFileReader, DataPastTheEndIsSkipped) {
    TRawSkin raw(420);
    raw.Record(24, "Beyond", kStream, 410, 11, 101);           // one byte too far
    raw.Record(101, "Wraps", kStream, 0xFFFFFFF0u, 0x20, 178); // 32-bit wrap-around
    raw.Record(178, "Huge", kString, 0, 0xFFFFFFFFu, 255);
    raw.Record(255, "Far", kInteger, 0xFFFFFFFCu, 4, 332);
    raw.Record(332, "", 0, 0, 0, 0);
    TskThemeFileReader reader = Read(raw);
    EXPECT_TRUE(reader.StreamTable().empty());
    EXPECT_TRUE(reader.StringTable().empty());
    EXPECT_EQ(reader.GetInteger("Far"), -1);
    EXPECT_EQ(reader.ProblemCount(), 4u);

    // Exactly up to the end is inside.
    TRawSkin edge(400);
    edge.Record(24, "Edge", kStream, 390, 10, 101);
    edge.Record(101, "", 0, 0, 0, 0);
    edge.Put(390, "0123456789");
    EXPECT_EQ(ReadRest(*Read(edge).GetStream("Edge")), "0123456789");
}

TEST(ThemeFileReader, ChainStopsAtARecordPastTheEnd) {
    TRawSkin raw(200);
    raw.Record(24, "Kept", kByte, 190, 1, 150); // 150 + 77 > 200
    raw.Put(190, "\x01");
    TskThemeFileReader reader = Read(raw);
    EXPECT_TRUE(reader.GetBool("Kept"));
    EXPECT_EQ(reader.ProblemCount(), 1u);

    TRawSkin first(200, 24, 0xFFFFFFFFu);
    EXPECT_EQ(Read(first).ProblemCount(), 1u);
}

TEST(ThemeFileReader, ChainThatLoopsBackStops) {
    TRawSkin raw(400);
    raw.Record(24, "A", kInteger, 300, 4, 101);
    raw.Record(101, "B", kInteger, 304, 4, 24); // back to A
    raw.PutU32(300, 1);
    raw.PutU32(304, 2);
    TskThemeFileReader reader = Read(raw);
    EXPECT_EQ(reader.IntegerTable(), (std::vector<std::string>{"A=1", "B=2"}));
    EXPECT_EQ(reader.ProblemCount(), 1u);

    TRawSkin self(200);
    self.Record(24, "Self", kByte, 150, 1, 24);
    EXPECT_EQ(Read(self).ByteTable().size(), 1u);
}

TEST(ThemeFileReader, SharedDataIsLoadedNoMoreThanTheFileHolds) {
    // Many records naming one large block would otherwise multiply the
    // file's size in memory.
    const uint32_t block = 4000, records = 20;
    TRawSkin raw(24 + 77 * (records + 1) + block);
    const uint32_t data = 24 + 77 * (records + 1);
    for (uint32_t i = 0; i < records; ++i)
        raw.Record(24 + 77 * i, "Pic", kStream, data, block, 24 + 77 * (i + 1));
    TskThemeFileReader reader = Read(raw);
    size_t loaded = 0;
    for (const auto& item : reader.StreamTable())
        loaded += static_cast<size_t>(item.Stream->Size());
    EXPECT_LE(loaded, raw.Bytes().size());
    EXPECT_EQ(reader.StreamTable().size(), 1u);
    EXPECT_EQ(reader.ProblemCount(), records - 1);
    EXPECT_EQ(reader.Problems().size(), TskThemeFileReader::MaxProblems);
}

TEST(ThemeFileReader, ReadsFromAFileThatMayVanishAfterwards) {
    TScratchDir dir;
    TskThemeFileWriter writer;
    writer.AddInteger("FormMinWidthInt", 270);
    std::string path = dir.Write("royale.skn", writer.Build());
    TskThemeFileReader reader(path);
    std::filesystem::remove(path);
    EXPECT_EQ(reader.GetInteger("FormMinWidthInt"), 270);
}

TEST(ThemeFileReader, FileThatCannotBeOpenedRaisesNamingIt) {
    TScratchDir dir;
    std::string missing = dir.File("missing.skn");
    try {
        TskThemeFileReader reader(missing);
        FAIL() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_NE(error.Message().find(missing), std::string::npos) << error.Message();
    }
    EXPECT_THROW(TskThemeFileReader{dir.Path().string()}, EFOpenError);
}

TEST(IsValidThemeFile, ComparesTheMagicUpToTheFirstNul) {
    TScratchDir dir;
    auto check = [&](std::string_view head) {
        std::string bytes(head);
        bytes.resize(24, '\0');
        return IsValidThemeFile(dir.Write("t.skn", bytes));
    };
    EXPECT_TRUE(check(std::string_view("StarSkinTB\0\0", 12)));
    EXPECT_TRUE(check(std::string_view("StarSkinTB\0Z", 12))); // after the NUL: not compared
    EXPECT_FALSE(check("StarSkinTb"));
    EXPECT_FALSE(check("StarSkinTBX"));
    EXPECT_FALSE(check("StarSkinTBXY")); // no NUL at all in the 12 bytes
    EXPECT_FALSE(check("StarSkin"));
    EXPECT_FALSE(check(""));
}

TEST(IsValidThemeFile, FalseWheneverSixteenBytesCannotBeRead) {
    TScratchDir dir;
    EXPECT_FALSE(IsValidThemeFile(dir.File("missing.skn")));
    EXPECT_FALSE(IsValidThemeFile(dir.Path().string()));
    ASSERT_EQ(::mkfifo(dir.File("pipe.skn").c_str(), 0600), 0);
    EXPECT_FALSE(IsValidThemeFile(dir.File("pipe.skn"))); // and does not hang
    EXPECT_FALSE(
        IsValidThemeFile(dir.Write("short.skn", std::string_view("StarSkinTB\0\0\0\0\0", 15))));
    EXPECT_TRUE(
        IsValidThemeFile(dir.Write("exact.skn", std::string_view("StarSkinTB\0\0\0\0\0\0", 16))));
}

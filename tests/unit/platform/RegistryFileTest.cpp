#include <gtest/gtest.h>

#include "platform/RegistryFile.h"

using namespace platform;

namespace {

const char kKey[] = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf";

std::string ValueData(const RegistryFile& file, std::string_view key, std::string_view name) {
    const TRegistryValue* value = file.FindValue(key, name);
    return value ? value->Data : "<absent>";
}

std::string FormatErrorOf(std::string_view text) {
    try {
        RegistryFile::Parse(text);
    } catch (const RegistryFormatError& error) {
        return error.what();
    }
    return "<parsed>";
}

} // namespace

TEST(RegistryFile, ParsesTheExportLayout) {
    RegistryFile file = RegistryFile::Parse("REGEDIT4\r\n"
                                            "\r\n"
                                            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
                                            "CurrentVersion\\Orbisurf]\r\n"
                                            "\"sky\"=\"msn.skn\"\r\n"
                                            "\"path\"=\"C:\\\\a \\\"b\\\"\"\r\n"
                                            "\"j\"=dword:0000000a\r\n"
                                            "\"bin\"=hex:01,ff,\\\r\n"
                                            "  10\r\n"
                                            "@=\"default\"\r\n"
                                            "; a comment\r\n");
    EXPECT_EQ(ValueData(file, kKey, "sky"), "msn.skn");
    EXPECT_EQ(ValueData(file, kKey, "PATH"), "C:\\a \"b\"");
    EXPECT_EQ(file.FindValue(kKey, "j")->Type, REG_DWORD);
    EXPECT_EQ(ValueData(file, kKey, "j"), std::string("\x0a\0\0\0", 4));
    EXPECT_EQ(file.FindValue(kKey, "bin")->Type, REG_BINARY);
    EXPECT_EQ(ValueData(file, kKey, "bin"), "\x01\xff\x10");
    EXPECT_EQ(ValueData(file, kKey, ""), "default");
}

TEST(RegistryFile, RoundTripsEveryKindOfValue) {
    RegistryFile file;
    file.SetValue(kKey, "plain", REG_SZ, "星帆 \"quoted\" back\\slash");
    file.SetValue(kKey, "lines", REG_SZ, "one\r\ntwo");
    file.SetValue(kKey, "raw", REG_SZ, "\xD0\xC7 not utf-8");
    file.SetValue(kKey, "nul", REG_SZ, std::string("a\0b", 3));
    file.SetValue(kKey, "expand", REG_EXPAND_SZ, "%HOME%/x");
    file.SetValue(kKey, "n", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
    file.SetValue(kKey, "short", REG_DWORD, "\x01");
    file.SetValue(kKey, "bin", REG_BINARY, std::string("\0\x80\xff", 3));
    file.SetValue(kKey, "empty", REG_BINARY, "");
    file.SetValue(kKey, "multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
    file.SetValue(kKey, "odd", 0x1234567, "z");
    file.SetValue("HKEY_CURRENT_USER\\Other", "", REG_SZ, "root default");

    std::string text = file.Serialize();
    EXPECT_EQ(text.rfind("REGEDIT4\r\n", 0), 0u);
    EXPECT_NE(text.find("\"n\"=dword:12345678"), std::string::npos);
    EXPECT_NE(text.find("\"plain\"=\"星帆 \\\"quoted\\\" back\\\\slash\""), std::string::npos);

    RegistryFile back = RegistryFile::Parse(text);
    ASSERT_EQ(back.Keys().size(), 2u);
    for (const TRegistryValue& value : file.Keys()[0].Values) {
        const TRegistryValue* read = back.FindValue(kKey, value.Name);
        ASSERT_NE(read, nullptr) << value.Name;
        EXPECT_EQ(read->Type, value.Type) << value.Name;
        EXPECT_EQ(read->Data, value.Data) << value.Name;
    }
    EXPECT_EQ(ValueData(back, "HKEY_CURRENT_USER\\Other", ""), "root default");
    EXPECT_EQ(back.Serialize(), text);
}

TEST(RegistryFile, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    RegistryFile file;
    file.SetValue("HKEY_LOCAL_MACHINE\\Software\\App", "Sky", REG_SZ, "1");
    file.SetValue("hkey_local_machine\\SOFTWARE\\app", "SKY", REG_SZ, "2");
    ASSERT_EQ(file.Keys().size(), 1u);
    EXPECT_EQ(file.Keys()[0].Path, "HKEY_LOCAL_MACHINE\\Software\\App");
    ASSERT_EQ(file.Keys()[0].Values.size(), 1u);
    EXPECT_EQ(file.Keys()[0].Values[0].Name, "Sky");
    EXPECT_EQ(ValueData(file, "HKEY_LOCAL_MACHINE\\software\\APP", "sky"), "2");
}

TEST(RegistryFile, DuplicateSectionsMergeAndTheLastValueWins) {
    RegistryFile file = RegistryFile::Parse("REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"1\"\n"
                                            "[HKEY_CURRENT_USER\\B]\n[hkey_current_user\\a]\n"
                                            "\"X\"=\"2\"\n\"y\"=\"3\"\n");
    ASSERT_EQ(file.Keys().size(), 2u);
    EXPECT_EQ(ValueData(file, "HKEY_CURRENT_USER\\A", "x"), "2");
    EXPECT_EQ(ValueData(file, "HKEY_CURRENT_USER\\A", "y"), "3");
}

TEST(RegistryFile, KeyTreeOperations) {
    RegistryFile file;
    file.CreateKey("HKEY_LOCAL_MACHINE\\Software\\A\\Deep");
    file.SetValue("HKEY_LOCAL_MACHINE\\Software\\B", "v", REG_SZ, "x");
    file.CreateKey("HKEY_LOCAL_MACHINE\\Software\\a\\Other");
    file.CreateKey("HKEY_LOCAL_MACHINE\\SoftwareX");
    EXPECT_TRUE(file.KeyExists("HKEY_LOCAL_MACHINE\\Software"));
    EXPECT_TRUE(file.KeyExists("HKEY_LOCAL_MACHINE"));
    EXPECT_FALSE(file.KeyExists("HKEY_LOCAL_MACHINE\\Soft"));
    EXPECT_EQ(file.SubKeyNames("HKEY_LOCAL_MACHINE\\Software"),
              (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(file.SubKeyNames("HKEY_LOCAL_MACHINE"),
              (std::vector<std::string>{"Software", "SoftwareX"}));
    EXPECT_TRUE(file.DeleteKey("HKEY_LOCAL_MACHINE\\software\\a"));
    EXPECT_FALSE(file.KeyExists("HKEY_LOCAL_MACHINE\\Software\\A\\Deep"));
    EXPECT_TRUE(file.KeyExists("HKEY_LOCAL_MACHINE\\SoftwareX"));
    EXPECT_EQ(ValueData(file, "HKEY_LOCAL_MACHINE\\Software\\B", "v"), "x");
    EXPECT_FALSE(file.DeleteKey("HKEY_LOCAL_MACHINE\\Software\\A"));
    EXPECT_TRUE(file.DeleteValue("HKEY_LOCAL_MACHINE\\Software\\B", "V"));
    EXPECT_FALSE(file.DeleteValue("HKEY_LOCAL_MACHINE\\Software\\B", "v"));
}

TEST(RegistryFile, KeyPathsAreChecked) {
    EXPECT_EQ(RegistryFile::KeyPath(HKEY_LOCAL_MACHINE, "\\Software\\X\\"),
              "HKEY_LOCAL_MACHINE\\Software\\X");
    EXPECT_EQ(RegistryFile::KeyPath(HKEY_CURRENT_USER, ""), "HKEY_CURRENT_USER");
    EXPECT_THROW(RegistryFile::KeyPath(HKEY_LOCAL_MACHINE, "a\\\\b"), RegistryError);
    EXPECT_THROW(RegistryFile::KeyPath(HKEY_LOCAL_MACHINE, "a\nb"), RegistryError);
    EXPECT_THROW(RegistryFile::KeyPath(HKEY_LOCAL_MACHINE, "\xFF"), RegistryError);
    EXPECT_THROW(RegistryFile::KeyPath(0x1234, "a"), RegistryError);
    RegistryFile file;
    EXPECT_THROW(file.SetValue("HKEY_USERS\\a", "bad\nname", REG_SZ, ""), RegistryError);
}

TEST(RegistryFile, EmptyOrBlankTextIsAnEmptyRegistry) {
    EXPECT_TRUE(RegistryFile::Parse("").Keys().empty());
    EXPECT_TRUE(RegistryFile::Parse(" \r\n\n").Keys().empty());
    EXPECT_TRUE(RegistryFile::Parse("\xEF\xBB\xBFREGEDIT4\r\n").Keys().empty());
}

TEST(RegistryFile, TextThatIsNotUtf8IsRefused) {
    EXPECT_EQ(FormatErrorOf("REGEDIT4\r\n[HKEY_USERS\\A]\r\n\"v\"=\"星帆\"\r\n"
                            "\"name\"=\"\xD0\xC7\xB7\xAB\"\r\n"),
              "line 4: the text is not UTF-8");
}

TEST(RegistryFile, MalformedTextNamesTheLine) {
    EXPECT_EQ(FormatErrorOf("hello\n"), "line 1: the file does not start with \"REGEDIT4\"");
    EXPECT_EQ(FormatErrorOf("REGEDIT4\n\"a\"=\"b\"\n"), "line 2: a value before the first key");
    EXPECT_EQ(FormatErrorOf("REGEDIT4\n[HKEY_NOWHERE\\a]\n"),
              "line 2: unknown root key in \"HKEY_NOWHERE\\a\"");
    const char* broken[] = {
        "[HKEY_USERS\\a",
        "[HKEY_USERS\\a\\\\b]",
        "[-HKEY_USERS\\a]",
        "[HKEY_USERS]\n\"a\"=\"b",
        "[HKEY_USERS]\n\"a\"",
        "[HKEY_USERS]\n\"a\"=\"b\"x",
        "[HKEY_USERS]\n\"a\"=-",
        "[HKEY_USERS]\n\"a\"=dword:",
        "[HKEY_USERS]\n\"a\"=dword:123456789",
        "[HKEY_USERS]\n\"a\"=dword:12g",
        "[HKEY_USERS]\n\"a\"=hex:1",
        "[HKEY_USERS]\n\"a\"=hex:01,",
        "[HKEY_USERS]\n\"a\"=hex:01;02",
        "[HKEY_USERS]\n\"a\"=hex:01,\\",
        "[HKEY_USERS]\n\"a\"=hex(x):00",
        "[HKEY_USERS]\n\"a\"=hex(2)00",
        "[HKEY_USERS]\nstray",
    };
    for (const char* body : broken) {
        std::string error = FormatErrorOf(std::string("REGEDIT4\n") + body + "\n");
        EXPECT_EQ(error.rfind("line ", 0), 0u) << body << " -> " << error;
    }
    // NUL characters cannot be part of a name.
    using namespace std::string_literals;
    EXPECT_EQ(FormatErrorOf("REGEDIT4\n[HKEY_USERS]\n\"a\0\"=\"\"\n"s),
              "line 3: a value name with a NUL character");
    EXPECT_EQ(FormatErrorOf("REGEDIT4\n[HKEY_USERS\\a\0]\n"s).rfind("line 2: Invalid key name", 0),
              0u);
}

TEST(RegistryFile, UnknownEscapesKeepTheirBackslash) {
    RegistryFile file = RegistryFile::Parse("REGEDIT4\n[HKEY_USERS]\n\"p\"=\"C:\\dir\\x\"\n");
    EXPECT_EQ(ValueData(file, "HKEY_USERS", "p"), "C:\\dir\\x");
}

// Salvaging keeps what parses and counts what it dropped; what it keeps is
// what a strict read of the same lines would give.
TEST(RegistryFile, SalvageDropsOnlyTheLinesThatDoNotFit) {
    using namespace std::string_literals;
    std::size_t dropped = 99;
    RegistryFile file = RegistryFile::Salvage(
        "\0\0REGEDIT4\r\n[HKEY_USERS\\A]\r\n\"gb\"=\"\xD0\xC7\xB7\xAB\"\r\n\"ok\"=\"1\"\r\n"
        "\"bin\"=hex:01,02,\\\r\n  zz\r\n\"after\"=dword:0000000a\r\n[HKEY_USERS\\B]\r\n\"cut\"=\"ab"s,
        dropped);
    EXPECT_EQ(dropped, 3u); // the GB line, the hex value with its continuation, the cut value
    EXPECT_EQ(ValueData(file, "HKEY_USERS\\A", "ok"), "1");
    EXPECT_EQ(ValueData(file, "HKEY_USERS\\A", "gb"), "<absent>");
    EXPECT_EQ(ValueData(file, "HKEY_USERS\\A", "bin"), "<absent>");
    EXPECT_EQ(ValueData(file, "HKEY_USERS\\A", "after"), "\x0a\0\0\0"s);
    EXPECT_TRUE(file.KeyExists("HKEY_USERS\\B"));
    EXPECT_EQ(ValueData(file, "HKEY_USERS\\B", "cut"), "<absent>");

    // A file without its header is still read; a sound file drops nothing.
    file = RegistryFile::Salvage("[HKEY_USERS\\C]\n\"v\"=\"w\"\n", dropped);
    EXPECT_EQ(ValueData(file, "HKEY_USERS\\C", "v"), "w");
    EXPECT_EQ(dropped, 0u);
    std::string sound = file.Serialize();
    file = RegistryFile::Salvage(sound, dropped);
    EXPECT_EQ(dropped, 0u);
    EXPECT_EQ(file.Serialize(), sound);
}

// The boss key's chord as text, and as kept in a real registry file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "gui/Messages.h"
#include "platform/Registry.h"
#include "services/TBossKeyChord.h"
#include "services/TBossKeySetting.h"

namespace fs = std::filesystem;

namespace {

std::string TextOf(std::string_view text) {
    std::optional<TBossKeyChord> chord = TBossKeyChord::Parse(text);
    return chord ? chord->Text() : "<none>";
}

} // namespace

TEST(BossKeyChordTest, TheDefaultIsCtrlAltZ) {
    TBossKeyChord chord;
    EXPECT_EQ(chord.Text(), "Ctrl+Alt+Z");
    EXPECT_EQ(chord.Key(), 'Z');
    EXPECT_EQ(chord.Shift(), TShiftState(ssCtrl | ssAlt));
}

TEST(BossKeyChordTest, ReadsNamesInAnyCaseAndOrderAndWritesThemOneWay) {
    EXPECT_EQ(TextOf("Ctrl+Alt+Z"), "Ctrl+Alt+Z");
    EXPECT_EQ(TextOf("  alt+ctrl+z \r\n"), "Ctrl+Alt+Z");
    EXPECT_EQ(TextOf("ALT+SHIFT+F12"), "Shift+Alt+F12");
    EXPECT_EQ(TextOf("Ctrl+Num +"), "Ctrl+Num +");
    EXPECT_EQ(TextOf("Ctrl+Shift+Space"), "Shift+Ctrl+Space");
    EXPECT_EQ(TextOf("Alt+0"), "Alt+0");
    auto chord = TBossKeyChord::Parse("shift+ctrl+alt+b");
    ASSERT_TRUE(chord);
    EXPECT_EQ(chord->Key(), 'B');
    EXPECT_EQ(chord->Shift(), TShiftState(ssShift | ssCtrl | ssAlt));
    EXPECT_EQ(TBossKeyChord::Parse(chord->Text()), chord) << "the text reads back as the chord";
}

// Held on the whole desktop, a chord without Ctrl or Alt would take a key
// from every program's typing.
TEST(BossKeyChordTest, RefusesWhatIsNoChordOrWouldTakeTyping) {
    for (const char* text :
         {"", "   ", "Z", "Shift+Z", "F5", "Ctrl+", "Ctrl+Alt+", "Ctrl+Alt+ZZ", "Ctrl+Alt+Ä",
          "Ctrl+Alt+F25", "Ctrl+Alt+F0", "Ctrl-Alt-Z", "Ctrl+Alt+Z+", "Ctrl+Alt+Z\x01", "Win+Z"})
        EXPECT_EQ(TextOf(text), "<none>") << "\"" << text << "\"";
    EXPECT_EQ(TextOf(std::string(200, 'A')), "<none>");
    EXPECT_EQ(TextOf("Ctrl+" + std::string(100, ' ') + "Z"), "<none>");
}

class BossKeySettingTest : public ::testing::Test {
protected:
    BossKeySettingTest() {
        FDir = fs::temp_directory_path() /
               ("xf-bosskey-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(FDir);
        FRegistry = (FDir / "registry.reg").string();
    }
    ~BossKeySettingTest() override { fs::remove_all(FDir); }

    platform::Registry OpenKey() {
        platform::Registry reg(FRegistry);
        reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(reg.OpenKey(std::string("\\") + TBossKeySetting::KeyPath, true));
        return reg;
    }
    void Store(const std::string& text) { OpenKey().WriteString(TBossKeySetting::ValueName, text); }
    std::string RegistryText() const {
        std::ifstream in(FRegistry, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path FDir;
    std::string FRegistry;
};

TEST_F(BossKeySettingTest, KeptAsReadableTextInASubkeyOfTheSettings) {
    TBossKeySetting setting(FRegistry);
    EXPECT_EQ(setting.Read().Text(), "Ctrl+Alt+Z") << "nothing stored yet";
    setting.Write(*TBossKeyChord::Parse("ctrl+shift+b"));
    EXPECT_EQ(TBossKeySetting(FRegistry).Read().Text(), "Shift+Ctrl+B");
    const std::string text = RegistryText();
    EXPECT_NE(
        text.find("[HKEY_LOCAL_"
                  "MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf\\BossKey]"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("\"Chord\"=\"Shift+Ctrl+B\""), std::string::npos) << text;
}

TEST_F(BossKeySettingTest, ADamagedValueOrFileReadsAsTheDefault) {
    Store("Ctrl+Alt+Q");
    EXPECT_EQ(TBossKeySetting(FRegistry).Read().Text(), "Ctrl+Alt+Q");
    Store("Q");
    EXPECT_EQ(TBossKeySetting(FRegistry).Read().Text(), "Ctrl+Alt+Z");
    Store("Ctrl+Alt+\xff\xfe");
    EXPECT_EQ(TBossKeySetting(FRegistry).Read().Text(), "Ctrl+Alt+Z");
    OpenKey().WriteInteger(TBossKeySetting::ValueName, 1);
    EXPECT_EQ(TBossKeySetting(FRegistry).Read().Text(), "Ctrl+Alt+Z");
    std::ofstream(FRegistry, std::ios::binary | std::ios::trunc) << "not a registry file\n[\x01\"";
    EXPECT_EQ(TBossKeySetting(FRegistry).Read().Text(), "Ctrl+Alt+Z");
}

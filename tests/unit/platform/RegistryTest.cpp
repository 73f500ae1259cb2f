#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

#include "platform/Registry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

const char kOrbisurf[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "xf-registry-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
        FFile = (FDir / "sub" / "registry.reg").string();
    }
    void TearDown() override { fs::remove_all(FDir); }

    Registry OpenOrbisurf() {
        Registry reg(FFile);
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(reg.OpenKey(kOrbisurf, true));
        return reg;
    }

    std::string FileText() const {
        std::ifstream in(FFile, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void WriteFile(const std::string& text) const {
        fs::create_directories(fs::path(FFile).parent_path());
        std::ofstream(FFile, std::ios::binary) << text;
    }

    std::vector<std::string> AsideFiles() const {
        std::vector<std::string> names;
        for (auto& entry : fs::directory_iterator(fs::path(FFile).parent_path()))
            if (entry.path().filename().string().find(".corrupt-") != std::string::npos)
                names.push_back(entry.path().string());
        return names;
    }

    fs::path FDir;
    std::string FFile;
};

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RegistryError& error) {
        return error.what();
    }
    return "<no error>";
}

} // namespace

TEST_F(RegistryTest, OpenKeyCreatesTheKeyAndTheFolders) {
    Registry reg(FFile);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.OpenKey(kOrbisurf, false));
    EXPECT_FALSE(fs::exists(FFile)); // a failed open writes nothing
    EXPECT_TRUE(reg.OpenKey(kOrbisurf, true));
    EXPECT_EQ(reg.CurrentPath(), kOrbisurf);
    EXPECT_NE(FileText().find("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                              "Orbisurf]"),
              std::string::npos);
    reg.CloseKey();
    EXPECT_TRUE(reg.OpenKey(kOrbisurf, false));
    EXPECT_TRUE(reg.KeyExists("\\Software\\Microsoft"));
}

TEST_F(RegistryTest, StringsRoundTripAndMissingValuesReadEmpty) {
    Registry reg = OpenOrbisurf();
    EXPECT_EQ(reg.ReadString("sky"), "");
    EXPECT_FALSE(reg.ValueExists("sky"));
    reg.WriteString("sky", "msn.skn");
    reg.WriteString("0", "http://www.example.com/?a=\"b\"\\c");
    reg.WriteString("mnuame", "");

    Registry other(FFile);
    other.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(other.OpenKey(kOrbisurf, false));
    EXPECT_EQ(other.ReadString("SKY"), "msn.skn");
    EXPECT_EQ(other.ReadString("0"), "http://www.example.com/?a=\"b\"\\c");
    EXPECT_TRUE(other.ValueExists("mnuame"));
    EXPECT_EQ(other.ReadString("mnuame"), "");
    EXPECT_EQ(other.GetDataType("sky"), TRegDataType::rdString);
    EXPECT_EQ(other.GetDataType("none"), TRegDataType::rdUnknown);
    EXPECT_EQ(other.GetValueNames(), (std::vector<std::string>{"sky", "0", "mnuame"}));
}

TEST_F(RegistryTest, WrongTypeIsReportedByName) {
    Registry reg = OpenOrbisurf();
    reg.WriteInteger("j", 20);
    uint8_t bytes[] = {1, 2, 3};
    reg.WriteBinaryData("b", bytes);
    EXPECT_EQ(reg.GetDataType("j"), TRegDataType::rdInteger);
    EXPECT_EQ(reg.GetValueType("j"), REG_DWORD);
    EXPECT_EQ(reg.ReadInteger("j"), 20);
    EXPECT_EQ(reg.ReadBinaryData("b"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(ErrorOf([&] { reg.ReadString("j"); }), "Invalid data type for 'j'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadString("b"); }), "Invalid data type for 'b'");
    reg.WriteString("s", "x");
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("s"); }), "Invalid data type for 's'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadBinaryData("s"); }), "Invalid data type for 's'");
    EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("none"); }), "Failed to get data for 'none'");
    // Rewriting with another type replaces the value.
    reg.WriteString("j", "3");
    EXPECT_EQ(reg.ReadString("j"), "3");
    reg.WriteInteger("neg", -2);
    EXPECT_EQ(reg.ReadInteger("neg"), -2);
    reg.WriteExpandString("e", "%PATH%");
    EXPECT_EQ(reg.GetDataType("e"), TRegDataType::rdExpandString);
    EXPECT_EQ(reg.ReadString("e"), "%PATH%");
}

TEST_F(RegistryTest, HandWrittenDwordIsTheWrongTypeForStrings) {
    WriteFile("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\"
              "CurrentVersion\\Orbisurf]\r\n\"j\"=dword:00000014\r\n");
    Registry reg = OpenOrbisurf();
    EXPECT_EQ(ErrorOf([&] { reg.ReadString("j"); }), "Invalid data type for 'j'");
    EXPECT_EQ(reg.ReadInteger("j"), 20);
}

TEST_F(RegistryTest, DeleteValueAndKeys) {
    Registry reg = OpenOrbisurf();
    reg.WriteString("a", "1");
    EXPECT_TRUE(reg.DeleteValue("A"));
    EXPECT_FALSE(reg.DeleteValue("a"));
    EXPECT_FALSE(reg.ValueExists("a"));
    EXPECT_TRUE(reg.OpenKey("Child\\Grandchild", true));
    EXPECT_EQ(reg.CurrentPath(), std::string(kOrbisurf) + "\\Child\\Grandchild");
    ASSERT_TRUE(reg.OpenKey("\\Software\\Microsoft\\Windows", false));
    EXPECT_EQ(reg.GetKeyNames(), (std::vector<std::string>{"CurrentVersion"}));
    EXPECT_TRUE(reg.HasSubKeys());
    EXPECT_TRUE(reg.DeleteKey("CurrentVersion"));
    EXPECT_FALSE(reg.KeyExists("CurrentVersion\\Orbisurf\\Child"));
    EXPECT_FALSE(reg.DeleteKey("\\"));
}

TEST_F(RegistryTest, ValueOperationsNeedAnOpenKey) {
    Registry reg(FFile);
    EXPECT_EQ(ErrorOf([&] { reg.ReadString("x"); }), "No registry key is open");
    EXPECT_NE(ErrorOf([&] { reg.WriteString("x", "y"); }), "<no error>");
    EXPECT_FALSE(fs::exists(FFile));
    EXPECT_THROW(reg.SetRootKey(0x7), RegistryError);
}

TEST_F(RegistryTest, RootKeysAreSeparate) {
    Registry reg(FFile);
    ASSERT_TRUE(reg.OpenKey("Software\\X", true));
    reg.WriteString("v", "user");
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.KeyIsOpen());
    EXPECT_FALSE(reg.OpenKey("Software\\X", false));
}

namespace {

// The settings as the program keeps them, written by the registry itself.
std::string HealthyFile(const std::string& file) {
    Registry reg(file);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    reg.OpenKey(kOrbisurf, true);
    reg.WriteString("sky", "msn.skn");
    reg.WriteString("mnuame", "mnuMsn");
    reg.WriteString("j", "3");
    for (int i = 0; i < 3; ++i)
        reg.WriteString(std::to_string(i), "http://site" + std::to_string(i) + "/");
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The reports the registry gives while a test runs.
class TDamageReports {
public:
    TDamageReports() {
        RegistryStorage::OnDamage = [this](const std::string& message) {
            Messages.push_back(message);
        };
    }
    ~TDamageReports() { RegistryStorage::OnDamage = nullptr; }
    std::vector<std::string> Messages;
};

} // namespace

// A file cut inside its last value, or padded with NULs as a crash may
// leave it, keeps every value that parses; the original is set aside whole
// and the user is told once, in Chinese.
TEST_F(RegistryTest, DamagedFileKeepsEveryValueThatParses) {
    std::string healthy = HealthyFile(FFile);
    // The values are written in order, so slot "2" is last before the end.
    size_t last = healthy.rfind("http://site2/");
    ASSERT_NE(last, std::string::npos);
    using namespace std::string_literals;
    const std::pair<const char*, std::string> damages[] = {
        {"cut inside the last value", healthy.substr(0, last + 6)},
        {"cut, then NULs", healthy.substr(0, last + 6) + std::string(4096, '\0')},
        {"NULs after the end", healthy + std::string(4096, '\0')},
        {"NULs right after a value", healthy.substr(0, last + 14) + "\0\0\0\0"s},
    };
    for (const auto& [what, bytes] : damages) {
        SCOPED_TRACE(what);
        fs::remove_all(fs::path(FFile).parent_path());
        WriteFile(bytes);
        TDamageReports reports;
        Registry reg = OpenOrbisurf();
        EXPECT_EQ(reg.ReadString("sky"), "msn.skn");
        EXPECT_EQ(reg.ReadString("mnuame"), "mnuMsn");
        EXPECT_EQ(reg.ReadString("j"), "3");
        EXPECT_EQ(reg.ReadString("0"), "http://site0/");
        EXPECT_EQ(reg.ReadString("1"), "http://site1/");
        bool lastIntact = std::string(what).find("cut") == std::string::npos;
        EXPECT_EQ(reg.ReadString("2"), lastIntact ? "http://site2/" : "");
        auto aside = AsideFiles();
        ASSERT_EQ(aside.size(), 1u);
        std::ifstream kept(aside[0], std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), bytes);
        ASSERT_EQ(reports.Messages.size(), 1u);
        const std::string& message = reports.Messages[0];
        EXPECT_EQ(message.rfind("设置文件“" + FFile + "”已损坏，", 0), 0u) << message;
        EXPECT_NE(message.find(lastIntact ? "所有设置都已保留" : "无法读出的 1 行已舍弃"),
                  std::string::npos)
            << message;
        EXPECT_NE(message.find("原文件已另存为“" + aside[0] + "”。"), std::string::npos) << message;
        // The mended file is whole again: later reads and writes neither
        // report nor set anything aside.
        reg.WriteString("new", "value");
        EXPECT_NO_THROW(RegistryFile::Parse(FileText()));
        EXPECT_EQ(OpenOrbisurf().ReadString("new"), "value");
        EXPECT_EQ(reports.Messages.size(), 1u);
        EXPECT_EQ(AsideFiles().size(), 1u);
    }
}

// A damaged key line takes only its own values: they do not slip into the
// key above it.
TEST_F(RegistryTest, ValuesUnderADamagedKeyLineAreDroppedNotMoved) {
    WriteFile(
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_"
        "MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Orbisurf]\r\n"
        "\"sky\"=\"a.skn\"\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other\r\n\"sky\"=\"b.skn\"\r\n");
    TDamageReports reports;
    Registry reg = OpenOrbisurf();
    EXPECT_EQ(reg.ReadString("sky"), "a.skn");
    EXPECT_FALSE(reg.KeyExists("\\Software\\Other"));
    ASSERT_EQ(reports.Messages.size(), 1u);
    EXPECT_NE(reports.Messages[0].find("无法读出的 2 行已舍弃"), std::string::npos)
        << reports.Messages[0];
}

TEST_F(RegistryTest, UnreadableFileIsKeptAsideAndTheSettingsStartAfresh) {
    std::string garbage = "this is not a registry file\n\x01\x02";
    WriteFile(garbage);
    TDamageReports reports;
    Registry reg = OpenOrbisurf();
    EXPECT_TRUE(reg.GetValueNames().empty());
    auto aside = AsideFiles();
    ASSERT_EQ(aside.size(), 1u);
    std::ifstream kept(aside[0], std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), garbage);
    reg.WriteString("sky", "x.skn");
    EXPECT_EQ(AsideFiles().size(), 1u);
    EXPECT_EQ(reports.Messages.size(), 1u);

    fs::remove_all(fs::path(FFile).parent_path());
    WriteFile("REGEDIT4\n" + std::string(RegistryStorage::MaxFileBytes + 10, ';'));
    TDamageReports large;
    EXPECT_TRUE(OpenOrbisurf().GetValueNames().empty());
    ASSERT_EQ(large.Messages.size(), 1u);
    EXPECT_NE(large.Messages[0].find("无法读取（文件大于 4 MiB），设置已重新开始。"),
              std::string::npos)
        << large.Messages[0];
    EXPECT_EQ(AsideFiles().size(), 1u);
}

TEST_F(RegistryTest, UnusableFolderIsAClearError) {
    // A plain file where the folder should be: nothing can be read or created.
    fs::create_directories(FDir / "sub");
    std::ofstream(FDir / "sub" / "blocker") << "x";
    Registry reg((FDir / "sub" / "blocker" / "registry.reg").string());
    std::string error = ErrorOf([&] { reg.OpenKey("a", true); });
    EXPECT_NE(error.find("blocker/registry.reg"), std::string::npos) << error;
    EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
    Registry stillFine = OpenOrbisurf();
    stillFine.WriteString("a", "1");
    EXPECT_EQ(stillFine.ReadString("a"), "1");
}

TEST_F(RegistryTest, WritesLeaveNoTemporaryFiles) {
    Registry reg = OpenOrbisurf();
    for (int i = 0; i < 5; ++i)
        reg.WriteString(std::to_string(i), "v");
    std::vector<std::string> names;
    for (auto& entry : fs::directory_iterator(fs::path(FFile).parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
}

TEST_F(RegistryTest, TwoProcessesNeverLoseEachOthersValues) {
    OpenOrbisurf(); // both start from an existing key
    constexpr int kWrites = 200;
    auto writeMany = [&](const std::string& prefix) {
        Registry reg(FFile);
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        if (!reg.OpenKey(kOrbisurf, true)) return false;
        for (int i = 0; i < kWrites; ++i)
            reg.WriteString(prefix + std::to_string(i), "x");
        return true;
    };
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool ok = false;
        try {
            ok = writeMany("child");
        } catch (...) {
        }
        std::_Exit(ok ? 0 : 1);
    }
    EXPECT_TRUE(writeMany("parent"));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    Registry reg = OpenOrbisurf();
    EXPECT_EQ(reg.GetValueNames().size(), 2u * kWrites);
}

TEST_F(RegistryTest, AWriterKilledMidWriteLeavesTheOldOrTheNewFile) {
    OpenOrbisurf();
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            Registry reg(FFile);
            reg.SetRootKey(HKEY_LOCAL_MACHINE);
            reg.OpenKey(kOrbisurf, true);
            for (int i = 0;; ++i) reg.WriteString("v" + std::to_string(i % 500), std::string(200, 'x'));
        } catch (...) {
        }
        std::_Exit(1);
    }
    ::usleep(150 * 1000);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    // Whatever moment the writer died at, the file reads back whole and
    // nothing was moved aside as corrupt.
    Registry reg = OpenOrbisurf();
    size_t count = reg.GetValueNames().size();
    EXPECT_GE(count, 1u);
    for (const std::string& name : reg.GetValueNames()) EXPECT_EQ(reg.ReadString(name), std::string(200, 'x'));
    for (auto& entry : fs::directory_iterator(fs::path(FFile).parent_path()))
        EXPECT_EQ(entry.path().filename().string().find("corrupt"), std::string::npos);
}

TEST(RegistryDefaultFile, FollowsTheEnvironment) {
    auto saved = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    auto restore = [](const char* name, const std::optional<std::string>& value) {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    };
    auto registry = saved("XINGFAN_REGISTRY");
    auto config = saved("XDG_CONFIG_HOME");
    auto home = saved("HOME");

    ::setenv("XINGFAN_REGISTRY", "/tmp/explicit.reg", 1);
    ::setenv("XDG_CONFIG_HOME", "/tmp/config", 1);
    EXPECT_EQ(RegistryStorage::DefaultFileName(), "/tmp/explicit.reg");
    ::unsetenv("XINGFAN_REGISTRY");
    EXPECT_EQ(RegistryStorage::DefaultFileName(), "/tmp/config/xingfan/registry.reg");
    ::setenv("HOME", "/home/someone", 1);
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    EXPECT_EQ(RegistryStorage::DefaultFileName(), "/home/someone/.config/xingfan/registry.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryStorage::DefaultFileName(), "/home/someone/.config/xingfan/registry.reg");

    restore("XINGFAN_REGISTRY", registry);
    restore("XDG_CONFIG_HOME", config);
    restore("HOME", home);
}

// The twenty typed addresses, the skin and the counters, kept in a real
// registry file: the fill mode up to twenty entries, the shift mode after,
// and what a damaged counter does.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "gui/Exception.h"
#include "platform/Registry.h"
#include "services/TAddressHistory.h"

namespace fs = std::filesystem;

namespace {

class AddressHistoryTest : public ::testing::Test {
protected:
    AddressHistoryTest() {
        FDir = fs::temp_directory_path() /
               ("xf-history-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(FDir);
        FFile = (FDir / "registry.reg").string();
    }
    ~AddressHistoryTest() override { fs::remove_all(FDir); }

    std::string Value(const std::string& name) {
        platform::Registry reg(FFile);
        reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
        reg.OpenKey(TAddressHistory::KeyPath, false);
        return reg.ValueExists(name) ? reg.ReadString(name) : "<none>";
    }
    void Write(const std::string& name, const std::string& value) {
        platform::Registry reg(FFile);
        reg.SetRootKey(platform::HKEY_LOCAL_MACHINE);
        reg.OpenKey(TAddressHistory::KeyPath, true);
        reg.WriteString(name, value);
    }
    static std::string Address(int i) { return "http://game" + std::to_string(i) + ".example/"; }

    fs::path FDir;
    std::string FFile;
};

TEST_F(AddressHistoryTest, AFirstStartCreatesTheCountersAndShowsNothing) {
    TAddressHistory history(FFile);
    TAddressHistory::TStartup startup = history.ReadStartup();
    EXPECT_TRUE(startup.Items.empty());
    EXPECT_EQ(startup.Sky, "");
    EXPECT_EQ(Value("int"), "0");
    EXPECT_EQ(Value("j"), "0");
}

TEST_F(AddressHistoryTest, AddressesFillTheSlotsInOrderAndReturnNewestFirst) {
    TAddressHistory history(FFile);
    history.ReadStartup();
    std::vector<std::string> items;
    for (int i = 0; i < 3; ++i) history.Record(Address(i), items);
    EXPECT_EQ(items, (std::vector<std::string>{Address(0), Address(1), Address(2)}));
    EXPECT_EQ(Value("0"), Address(0));
    EXPECT_EQ(Value("2"), Address(2));
    EXPECT_EQ(Value("j"), "3");
    // The next start lists slot 19 first, down to slot 0.
    EXPECT_EQ(TAddressHistory(FFile).ReadStartup().Items,
              (std::vector<std::string>{Address(2), Address(1), Address(0)}));
}

TEST_F(AddressHistoryTest, EmptyAndListedAddressesAreNotRecorded) {
    TAddressHistory history(FFile);
    history.ReadStartup();
    std::vector<std::string> items;
    history.Record("", items);
    history.Record(Address(1), items);
    history.Record(Address(1), items);
    // Compared exactly as typed: another case is another address.
    history.Record("HTTP://GAME1.EXAMPLE/", items);
    EXPECT_EQ(items.size(), 2u);
    EXPECT_EQ(Value("j"), "2");
}

TEST_F(AddressHistoryTest, PastTwentyEachAddressEntersAtSlotZeroAndSlotNineteenGoes) {
    TAddressHistory history(FFile);
    history.ReadStartup();
    std::vector<std::string> items;
    for (int i = 0; i < 22; ++i) history.Record(Address(i), items);
    EXPECT_EQ(Value("j"), "20");
    // Shift mode: the new address goes into slot 0, the others move up one
    // and what stood in slot 19 is dropped.
    EXPECT_EQ(Value("0"), Address(21));
    EXPECT_EQ(Value("1"), Address(20));
    EXPECT_EQ(Value("2"), Address(0));
    EXPECT_EQ(Value("19"), Address(17));
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items.front(), Address(17));
    EXPECT_EQ(items.back(), Address(21));
    EXPECT_EQ(TAddressHistory(FFile).ReadStartup().Items, items);
}

TEST_F(AddressHistoryTest, ClearEmptiesEverySlotButKeepsTheCounter) {
    TAddressHistory history(FFile);
    history.ReadStartup();
    std::vector<std::string> items;
    for (int i = 0; i < 4; ++i) history.Record(Address(i), items);
    history.RecordSkin("3", "mnuMsn");
    history.Clear();
    EXPECT_TRUE(TAddressHistory(FFile).ReadStartup().Items.empty());
    EXPECT_EQ(Value("j"), "4");
    EXPECT_EQ(Value("3"), "");
    TAddressHistory::TStartup startup = TAddressHistory(FFile).ReadStartup();
    EXPECT_EQ(startup.Sky, "3");
    EXPECT_EQ(startup.MenuName, "mnuMsn");
}

TEST_F(AddressHistoryTest, ADamagedCounterFailsLoudlyAndWritesNothing) {
    TAddressHistory history(FFile);
    history.ReadStartup();
    Write("j", "zwei");
    std::vector<std::string> items;
    EXPECT_THROW(history.Record(Address(0), items), Exception);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(Value("0"), "<none>");
    EXPECT_EQ(Value("j"), "zwei");
}

TEST_F(AddressHistoryTest, ValuesListWhatTheKeyHolds) {
    TAddressHistory history(FFile);
    history.ReadStartup();
    std::vector<std::string> items;
    history.Record(Address(7), items);
    auto values = history.Values();
    auto has = [&](const std::string& name, const std::string& value) {
        for (const auto& [n, v] : values)
            if (n == name) return v == value;
        return false;
    };
    EXPECT_TRUE(has("j", "1"));
    EXPECT_TRUE(has("0", Address(7)));
    EXPECT_FALSE(has("sky", ""));
}

} // namespace

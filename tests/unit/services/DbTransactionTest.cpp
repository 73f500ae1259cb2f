// A transaction guard and the lock waits of a connection, on a real SQLite
// file shared by two connections.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/TSqliteDatabase.h"
#include "platform/TSqliteStatement.h"
#include "services/TDbConnection.h"
#include "services/TDbQuery.h"
#include "services/TDbTransaction.h"

namespace fs = std::filesystem;

namespace {

class DbTransactionTest : public ::testing::Test {
protected:
    DbTransactionTest() {
        fs::create_directories(FDir);
        platform::TSqliteDatabase::Create(File()).Execute("create table T(v integer)");
        FConnection.SetConnectionString("Data Source=t.db");
        FConnection.SetBaseDir(FDir.string());
        FQuery.SetConnection(&FConnection);
    }
    ~DbTransactionTest() override {
        FConnection.Close();
        fs::remove_all(FDir);
    }
    std::string File() const { return (FDir / "t.db").string(); }
    void Insert(int v) {
        FQuery.ClearSQL();
        FQuery.AddSQL("insert into T values(:P0)");
        FQuery.SetParam(0, std::to_string(v));
        FQuery.ExecSQL();
    }
    // Counted through a connection of its own: only committed rows.
    int64_t Rows() {
        platform::TSqliteDatabase db(File());
        platform::TSqliteStatement count(db, "select count(*) from T");
        count.Step();
        return count.ColumnInt(0);
    }

    fs::path FDir = fs::temp_directory_path() / ("xf-dbtx-" + std::to_string(::getpid()));
    TDbConnection FConnection{nullptr};
    TDbQuery FQuery{nullptr};
};

TEST_F(DbTransactionTest, OnlyACommitKeepsTheWork) {
    {
        TDbTransaction transaction(FConnection);
        Insert(1);
        transaction.Commit();
    }
    {
        TDbTransaction transaction(FConnection);
        Insert(2);
        EXPECT_THROW({ TDbTransaction second(FConnection); }, EDatabaseError); // one at a time
    }
    try {
        TDbTransaction transaction(FConnection);
        Insert(3);
        throw std::runtime_error("failed half way");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Rows(), 1);
    EXPECT_FALSE(FConnection.InTransaction());
    // The connection is usable again after every way out.
    TDbTransaction transaction(FConnection);
    Insert(4);
    transaction.Commit();
    EXPECT_EQ(Rows(), 2);
}

// A second connection waits for the write lock while the first one's
// transaction runs, and gives up as soon as it is told to cancel.
TEST_F(DbTransactionTest, WriterWaitsForTheLockAndStopsWhenCancelled) {
    TDbTransaction held(FConnection);
    Insert(1);
    std::atomic<bool> cancel{false};
    bool began = false, failed = false;
    auto writer = [&] {
        platform::TSqliteDatabase other(File());
        other.SetCancel(&cancel, std::chrono::seconds(30));
        try {
            other.Execute("begin immediate; insert into T values(9); commit");
            began = true;
        } catch (const platform::DatabaseError&) {
            failed = true;
        }
    };
    std::thread waiting(writer);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    held.Commit();
    waiting.join();
    EXPECT_TRUE(began) << "the writer did not wait for the lock";
    EXPECT_EQ(Rows(), 2);

    TDbTransaction again(FConnection);
    std::thread cancelled(writer);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    cancel = true;
    cancelled.join();
    EXPECT_TRUE(failed);
    again.Commit();
    EXPECT_EQ(Rows(), 2);
}

} // namespace

#pragma once
// One transaction on a connection, rolled back when it goes out of scope
// without Commit, so every way out of the work (an error, a cancel) leaves
// the database as it was before it began.
//
//     TDbTransaction transaction(connection);
//     ... statements ...
//     transaction.Commit();
class TDbConnection;

class TDbTransaction {
public:
    // Begins at once; waits for the write lock, so work that reads and then
    // writes sees what other processes committed before it began.
    explicit TDbTransaction(TDbConnection& connection);
    ~TDbTransaction();
    TDbTransaction(const TDbTransaction&) = delete;
    TDbTransaction& operator=(const TDbTransaction&) = delete;

    void Commit();
    void Rollback();

private:
    TDbConnection& FConnection;
    bool FOpen = true;
};

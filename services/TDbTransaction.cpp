#include "services/TDbTransaction.h"

#include "services/TDbConnection.h"

TDbTransaction::TDbTransaction(TDbConnection& connection) : FConnection(connection) {
    FConnection.BeginTrans();
}

TDbTransaction::~TDbTransaction() {
    if (!FOpen) return;
    try {
        FConnection.RollbackTrans();
    } catch (...) {
        // A rollback that fails leaves the engine to undo the work when the
        // connection closes; a destructor has no one to report it to.
    }
}

void TDbTransaction::Commit() {
    FConnection.CommitTrans();
    FOpen = false;
}

void TDbTransaction::Rollback() {
    FOpen = false;
    FConnection.RollbackTrans();
}

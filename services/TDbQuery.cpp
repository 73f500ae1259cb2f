#include "services/TDbQuery.h"

#include "services/TDbConnection.h"

const TClassInfo& TDbQuery::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDbQuery>("TDbQuery", &TComponent::StaticClass())
                                       .Prop("Connection", &TDbQuery::Connection, &TDbQuery::SetConnection)
                                       .Build();
    return info;
}

void TDbQuery::SetConnection(TDbConnection* connection) {
    if (connection == FConnection) return;
    if (FConnection) FConnection->RemoveFreeNotification(this);
    FConnection = connection;
    if (connection) connection->FreeNotification(this);
}

void TDbQuery::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FConnection) FConnection = nullptr;
}

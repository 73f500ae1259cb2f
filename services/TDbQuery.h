#pragma once
// A query on the local database connection.
#include "gui/TComponent.h"

class TDbConnection;

class TDbQuery : public TComponent {
    XF_CLASS(TDbQuery)
public:
    explicit TDbQuery(TComponent* owner) : TComponent(owner) {}
    TDbConnection* Connection() const { return FConnection; }
    void SetConnection(TDbConnection* connection);
    void Notification(TComponent* component, TOperation operation) override;

private:
    TDbConnection* FConnection = nullptr;
};

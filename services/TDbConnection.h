#pragma once
// The local database connection of the main window, configured by a
// connection string.
#include <string>

#include "gui/TComponent.h"

enum class TDbConnectMode { cmUnknown, cmRead, cmWrite, cmReadWrite, cmShareDenyRead,
                            cmShareDenyWrite, cmShareExclusive, cmShareDenyNone };
const TEnumTable& ConnectModeNames();

class TDbConnection : public TComponent {
    XF_CLASS(TDbConnection)
public:
    explicit TDbConnection(TComponent* owner) : TComponent(owner) {}
    const std::string& ConnectionString() const { return FConnectionString; }
    void SetConnectionString(const std::string& text) { FConnectionString = text; }
    bool LoginPrompt() const { return FLoginPrompt; }
    void SetLoginPrompt(bool v) { FLoginPrompt = v; }
    TDbConnectMode Mode() const { return FMode; }
    void SetMode(TDbConnectMode mode) { FMode = mode; }

private:
    std::string FConnectionString;
    bool FLoginPrompt = true;
    TDbConnectMode FMode = TDbConnectMode::cmUnknown;
};

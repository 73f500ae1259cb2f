#include "services/TDbConnection.h"

const TEnumTable& ConnectModeNames() {
    static const TEnumTable names = {{"cmUnknown", 0},        {"cmRead", 1},
                                     {"cmWrite", 2},          {"cmReadWrite", 3},
                                     {"cmShareDenyRead", 4},  {"cmShareDenyWrite", 5},
                                     {"cmShareExclusive", 6}, {"cmShareDenyNone", 7}};
    return names;
}

const TClassInfo& TDbConnection::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDbConnection>("TDbConnection", &TComponent::StaticClass())
            .Prop("ConnectionString", &TDbConnection::ConnectionString, &TDbConnection::SetConnectionString)
            .Prop("LoginPrompt", &TDbConnection::LoginPrompt, &TDbConnection::SetLoginPrompt)
            .Enum("Mode", &TDbConnection::Mode, &TDbConnection::SetMode, ConnectModeNames())
            .Build();
    return info;
}

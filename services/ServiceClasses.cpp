#include "services/ServiceClasses.h"

#include "services/TDbConnection.h"
#include "services/TDbQuery.h"
#include "services/THttpAntiFreeze.h"
#include "services/THttpClient.h"

void RegisterServiceClasses() {
    RegisterClass(THttpAntiFreeze::StaticClass());
    RegisterClass(THttpClient::StaticClass());
    RegisterClass(TDbConnection::StaticClass());
    RegisterClass(TDbQuery::StaticClass());
}

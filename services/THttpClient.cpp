#include "services/THttpClient.h"

const TClassInfo& THttpClient::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<THttpClient>("THttpClient", &TComponent::StaticClass()).Build();
    return info;
}

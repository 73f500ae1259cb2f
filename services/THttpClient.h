#pragma once
// The HTTP client component of the main window (the downloads and the
// update check use it).
#include "gui/TComponent.h"

class THttpClient : public TComponent {
    XF_CLASS(THttpClient)
public:
    explicit THttpClient(TComponent* owner) : TComponent(owner) {}
};

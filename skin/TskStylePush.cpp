#include "skin/TskStylePush.h"

#include <exception>

#include "gui/TComponent.h"
#include "gui/TTrace.h"

TskStylePush::TskStylePush() : FUnwinding(std::uncaught_exceptions()) {
    ++FDepth;
}

TskStylePush::~TskStylePush() noexcept(false) {
    if (FDepth > 1) {
        --FDepth;
        return;
    }
    // Still open while flushing: what the work writes joins this push.
    try {
        Flush();
    } catch (...) {
        FPushes.clear();
        FRestyles.clear();
        FPushed.clear();
        FDepth = 0;
        if (std::uncaught_exceptions() > FUnwinding) return;
        throw;
    }
    FPushed.clear();
    FDepth = 0;
}

void TskStylePush::Add(std::vector<TWork>& list, TComponent* target, std::function<void()> work) {
    for (const TWork& pending : list)
        if (pending.Target == target && !pending.Alive.expired()) return;
    list.push_back({target, target->AliveToken(), std::move(work)});
}

// A manager pushes at most once per push: managers that list each other
// (or themselves) stop there.
void TskStylePush::Push(TComponent* manager, std::function<void()> push) {
    for (TComponent* pushed : FPushed)
        if (pushed == manager) return;
    if (Open()) return Add(FPushes, manager, std::move(push));
    TskStylePush scope;
    FPushed.push_back(manager);
    push();
}

void TskStylePush::Restyle(TComponent* control, std::function<void()> restyle) {
    if (!Open()) return RunRestyle(control, restyle);
    Add(FRestyles, control, std::move(restyle));
}

void TskStylePush::RunRestyle(TComponent* control, const std::function<void()>& restyle) {
    if (TTrace::Enabled(TTraceKind::Props)) TTrace::Restyle(control);
    if (OnRestyle) OnRestyle(control);
    restyle();
}

// Pushes first, since they write the controls; a control written again
// after its restyle (by another control's restyle) restyles again.
void TskStylePush::Flush() {
    while (!FPushes.empty() || !FRestyles.empty()) {
        std::vector<TWork>& list = FPushes.empty() ? FRestyles : FPushes;
        TWork work = std::move(list.front());
        list.erase(list.begin());
        if (work.Alive.expired()) continue;
        if (&list == &FPushes)
            work.Run();
        else
            RunRestyle(work.Target, work.Run);
    }
}

#pragma once
// A non-visual component that hands one UI style and one file theme to a
// list of named components of its form, whenever either is assigned.
#include <memory>
#include <string>
#include <vector>

#include "gui/Events.h"
#include "gui/TComponent.h"
#include "skin/SkinThemes.h"

class TskFileTheme;

// Names of components of the manager's form.
using TskThemeMgrCompList = std::vector<std::string>;

class TskThemeManager : public TComponent {
    XF_CLASS(TskThemeManager)
public:
    explicit TskThemeManager(TComponent* owner);
    ~TskThemeManager() override;

    TskUIStyle UIStyle() const { return FUIStyle; }
    // Stores, pushes (even an unchanged value), then reports a change.
    void SetUIStyle(TskUIStyle style);
    // Not owned. Stores and pushes with the current style, reporting nothing.
    TskFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TskFileTheme* theme);
    const TskThemeMgrCompList& CompList() const { return FCompList; }
    void SetCompList(const TskThemeMgrCompList& list) { FCompList = list; }

    TNotifyEvent OnUIStyleChanged;

protected:
    // Drops a removed component's name from the list; losing the file theme
    // means DeepBlue, without pushing or reporting.
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Push();
    void PushNow();
    bool RemovalAlreadyHandled(const TComponent* component);

    TskUIStyle FUIStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FFileTheme = nullptr;
    TskThemeMgrCompList FCompList;
    bool FPushing = false;
    // A component going away can be reported twice (as a referenced
    // component and as a sibling); its name leaves the list once.
    std::weak_ptr<void> FLastRemoved;
};

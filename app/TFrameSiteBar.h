#pragma once
// The bar across the top of a tab's page. It tells of windows the page was
// kept from opening on its own, and asks the user about rights the page
// wants (notifications, the location, camera and microphone, the pointer),
// each with two answers. One question at a time, oldest first; questions
// about the same thing from the same site are one. Drawn in the window's
// skin like the downloads bar.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gui/TFrame.h"
#include "layouts/FrameSiteBar.fields.h"
#include "services/TSitePermissions.h"
#include "skin/TskThemeLink.h"

class TLabel;
class TPanel;
class TskButton;

// The components of its layout are the fields of TFrameSiteBarFields.
class TFrameSiteBar : public TFrame, public TFrameSiteBarFields {
    XF_CLASS(TFrameSiteBar)
public:
    struct TQuestion {
        TSiteRight Right = TSiteRight::Popups; // Popups: windows refused
        std::string Site;
        int Blocked = 0;     // windows refused so far
        std::string LastURL; // the address of the last one ("" for none)
        std::vector<std::function<void(bool allow)>> Answers; // the page's waiting requests
    };

    explicit TFrameSiteBar(TComponent* owner);
    ~TFrameSiteBar() override;

    void AddBlockedWindow(const std::string& site, const std::string& url);
    void AddPermissionRequest(TSiteRight right, const std::string& site,
                              std::function<void(bool allow)> answer);
    // The page went: every question goes, waiting requests refused.
    void Clear();

    // The question shown, or nullptr while the bar is hidden.
    const TQuestion* Current() const { return FQuestions.empty() ? nullptr : &FQuestions.front(); }
    std::string QuestionShown() const;
    static std::string QuestionText(const TQuestion& question);

    // The user's answer to the question shown, before the page hears it.
    std::function<void(const TQuestion& question, bool allow)> OnAnswer;

    TskThemeLink& Theme() { return FTheme; }
    const TskThemeLink& Theme() const { return FTheme; }
    void ThemeChanged();
    void Notification(TComponent* component, TOperation operation) override;

    void btnSiteAllowClick(TObject* sender);
    void btnSiteDenyClick(TObject* sender);

protected:
    void Resize() override;

private:
    TQuestion* Find(TSiteRight right, const std::string& site);
    void Answer(bool allow);
    void ShowCurrent();
    void PlaceButtons();

    std::deque<TQuestion> FQuestions;
    TskThemeLink FTheme;
};

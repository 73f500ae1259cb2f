#include "app/TFrameSiteBar.h"

#include <algorithm>

#include "gui/TLabel.h"
#include "gui/TPanel.h"
#include "services/SiteHost.h"
#include "skin/SkinStyle.h"
#include "skin/TskButton.h"
#include "skin/TskThemeLookup.h"

namespace {

// A page that keeps asking gets the rest of its requests refused at once.
constexpr size_t kMaxWaiting = 16;
constexpr size_t kMaxQuestions = 8;
constexpr int kButtonGap = 6;

const char* PermissionWords(TSiteRight right) {
    switch (right) {
    case TSiteRight::Notifications:
        return "请求向您显示通知。";
    case TSiteRight::Geolocation:
        return "请求获取您的位置。";
    case TSiteRight::Media:
        return "请求使用您的摄像头和麦克风。";
    case TSiteRight::PointerLock:
        return "请求锁定并隐藏鼠标指针。";
    case TSiteRight::Popups:
        break;
    }
    return "";
}

} // namespace

const TClassInfo& TFrameSiteBar::StaticClass() {
    static TClassBuilder<TFrameSiteBar> builder("TFrameSiteBar", &TFrame::StaticClass());
    static const TClassInfo info = WithThemeProperties(builder).Build();
    return info;
}

TFrameSiteBar::TFrameSiteBar(TComponent* owner) : TFrame(owner), FTheme(this) {
    BindLayout(*this);
    LoadLayout("layouts/FrameSiteBar.lay");
    ThemeChanged();
}

// The page's waiting requests are refused by their answers going away.
TFrameSiteBar::~TFrameSiteBar() = default;

std::string TFrameSiteBar::QuestionText(const TQuestion& q) {
    const std::string site = SiteDisplayName(q.Site.empty() ? std::string("此网页") : q.Site);
    if (q.Right != TSiteRight::Popups) return site + " " + PermissionWords(q.Right);
    std::string text = "已阻止 " + site + " 自动弹出的窗口";
    if (q.Blocked > 1) text += "（共 " + std::to_string(q.Blocked) + " 个）";
    return text + "。";
}

std::string TFrameSiteBar::QuestionShown() const {
    return Current() ? QuestionText(*Current()) : std::string();
}

TFrameSiteBar::TQuestion* TFrameSiteBar::Find(TSiteRight right, const std::string& site) {
    auto it = std::find_if(FQuestions.begin(), FQuestions.end(),
                           [&](const TQuestion& q) { return q.Right == right && q.Site == site; });
    return it == FQuestions.end() ? nullptr : &*it;
}

void TFrameSiteBar::AddBlockedWindow(const std::string& site, const std::string& url) {
    TQuestion* q = Find(TSiteRight::Popups, site);
    if (!q) {
        if (FQuestions.size() >= kMaxQuestions) return;
        q = &FQuestions.emplace_back();
        q->Right = TSiteRight::Popups;
        q->Site = site;
    }
    if (q->Blocked < 1000000) ++q->Blocked;
    q->LastURL = url;
    ShowCurrent();
}

void TFrameSiteBar::AddPermissionRequest(TSiteRight right, const std::string& site,
                                         std::function<void(bool allow)> answer) {
    TQuestion* q = Find(right, site);
    if (!q) {
        if (FQuestions.size() >= kMaxQuestions) return answer(false);
        q = &FQuestions.emplace_back();
        q->Right = right;
        q->Site = site;
    }
    if (q->Answers.size() >= kMaxWaiting) return answer(false);
    q->Answers.push_back(std::move(answer));
    ShowCurrent();
}

void TFrameSiteBar::Clear() {
    std::deque<TQuestion> gone;
    gone.swap(FQuestions);
    ShowCurrent();
    for (TQuestion& q : gone)
        for (auto& answer : q.Answers)
            answer(false);
}

void TFrameSiteBar::btnSiteAllowClick(TObject*) {
    Answer(true);
}

void TFrameSiteBar::btnSiteDenyClick(TObject*) {
    Answer(false);
}

// The question leaves the bar before anyone hears the answer: what they do
// may add the next question or close the tab. The page hears it first, so
// that a choice that cannot be remembered still counts now.
void TFrameSiteBar::Answer(bool allow) {
    if (FQuestions.empty()) return;
    TQuestion question = std::move(FQuestions.front());
    FQuestions.pop_front();
    ShowCurrent();
    for (auto& answer : question.Answers)
        answer(allow);
    question.Answers.clear();
    if (OnAnswer) OnAnswer(question, allow);
}

void TFrameSiteBar::ShowCurrent() {
    const TQuestion* q = Current();
    if (!q || !btnSiteAllow || !btnSiteDeny || !labSiteBar) {
        SetVisible(false);
        return;
    }
    const bool popups = q->Right == TSiteRight::Popups;
    btnSiteAllow->SetCaption(popups ? "允许弹出窗口" : "允许");
    btnSiteDeny->SetCaption(popups ? "关闭" : "拒绝");
    labSiteBar->SetCaption(QuestionText(*q));
    SetVisible(true);
    PlaceButtons();
    Invalidate();
}

// The answers keep to the right edge; the text takes what is left.
void TFrameSiteBar::PlaceButtons() {
    if (!btnSiteAllow || !btnSiteDeny || !labSiteBar) return;
    int right = ClientWidth() - kButtonGap;
    btnSiteDeny->SetLeft(right - btnSiteDeny->Width());
    right = btnSiteDeny->Left() - kButtonGap;
    btnSiteAllow->SetLeft(right - btnSiteAllow->Width());
    labSiteBar->SetWidth(std::max(btnSiteAllow->Left() - labSiteBar->Left() - kButtonGap, 0));
}

void TFrameSiteBar::Resize() {
    TFrame::Resize();
    PlaceButtons();
}

// The bar takes the skin's control colours; its buttons take the skin.
void TFrameSiteBar::ThemeChanged() {
    TskThemeLookup theme(FTheme.FileTheme(), FTheme.UIStyle());
    SetColor(theme.Color(ThemeItem::ControlBackgroundColor));
    if (palSiteBarLine) palSiteBarLine->SetColor(theme.Color(ThemeItem::ControlBorderColor));
    for (TskButton* button : {btnSiteAllow, btnSiteDeny}) {
        if (!button) continue;
        SetFileThemeProperty(button, FTheme.FileTheme());
        SetUIStyleProperty(button, FTheme.UIStyle());
    }
    const TColor font = theme.Color(ThemeItem::ControlFontColor);
    if (labSiteBar && (font & 0xFF000000) == 0 && font < 0x1000000)
        labSiteBar->Font().SetColor(font);
    Invalidate();
}

void TFrameSiteBar::Notification(TComponent* component, TOperation operation) {
    TFrame::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == btnSiteAllow) btnSiteAllow = nullptr;
    if (component == btnSiteDeny) btnSiteDeny = nullptr;
    if (component == labSiteBar) labSiteBar = nullptr;
    if (component == palSiteBarLine) palSiteBarLine = nullptr;
    if (FTheme.Removed(component)) ThemeChanged();
}

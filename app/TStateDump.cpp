#include "app/TStateDump.h"

#include <cstdio>
#include <fstream>
#include <map>

#include "app/DownloadText.h"
#include "app/DumpJson.h"
#include "app/TBossKey.h"
#include "app/TFrameDownloads.h"
#include "app/TFrameSiteBar.h"
#include "app/TFrameWebBrowser.h"
#include "app/TFrmMain.h"
#include "app/TPlayerState.h"
#include "app/TSearchSuggestions.h"
#include "gui/IMenuBarView.h"
#include "gui/TLabel.h"
#include "gui/TMenuItem.h"
#include "gui/TMenuTracker.h"
#include "gui/TWebBrowser.h"
#include "gui/graphics/TBitmap.h"
#include "platform/Text.h"
#include "services/TAddressHistory.h"
#include "services/TSitePermissions.h"
#include "skin/SkinThemes.h"
#include "skin/TskButton.h"
#include "skin/TskComboBox.h"
#include "skin/TskEdit.h"
#include "skin/TskFileTheme.h"
#include "skin/TskForm.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabControlTopPanel.h"
#include "skin/TskTabSheet.h"
#include "skin/TskThemeManager.h"

namespace {

std::string Quote(const std::string& text) {
    return JsonQuote(text);
}

std::string Bool(bool v) {
    return JsonBool(v);
}

class TJsonList {
public:
    void Add(const std::string& item) {
        FText += FText.empty() ? "" : ",";
        FText += item;
    }
    std::string Array() const { return "[" + FText + "]"; }
    std::string Object() const { return "{" + FText + "}"; }
    void Field(const std::string& name, const std::string& value) {
        Add(Quote(name) + ":" + value);
    }

private:
    std::string FText;
};

std::string ButtonRect(TControl* button) {
    TJsonList rect;
    TPoint at = button->ClientToScreen({0, 0});
    rect.Field("x", std::to_string(at.X));
    rect.Field("y", std::to_string(at.Y));
    rect.Field("w", std::to_string(button->Width()));
    rect.Field("h", std::to_string(button->Height()));
    rect.Field("visible", Bool(button->Showing()));
    return rect.Object();
}

// The bar on a tab's page while it asks one kind of question: windows
// refused ("popupNotice") or a right the page wants ("permissionBar");
// null otherwise.
std::string SiteBarQuestion(TFrameWebBrowser* frame, bool popups) {
    TFrameSiteBar* bar = frame ? frame->SiteBar() : nullptr;
    const TFrameSiteBar::TQuestion* q = bar ? bar->Current() : nullptr;
    if (!q || (q->Right == TSiteRight::Popups) != popups) return "null";
    TJsonList item;
    item.Field("site", Quote(q->Site));
    item.Field("right", Quote(TSitePermissions::RightName(q->Right)));
    item.Field("text", Quote(bar->QuestionShown()));
    item.Field("blocked", std::to_string(q->Blocked));
    item.Field("lastURL", Quote(q->LastURL));
    item.Field("waiting", std::to_string(q->Answers.size()));
    item.Field("shown", Bool(bar->Showing()));
    item.Field("bar", ButtonRect(bar));
    item.Field("allow", ButtonRect(bar->btnSiteAllow));
    item.Field("deny", ButtonRect(bar->btnSiteDeny));
    item.Field("allowCaption", Quote(bar->btnSiteAllow->Caption()));
    item.Field("denyCaption", Quote(bar->btnSiteDeny->Caption()));
    return item.Object();
}

// The speaker drawn on a tab, in screen coordinates; null when none shows.
std::string SpeakerRect(TskPageControl* pages, int index) {
    TskTabControlTopPanel* strip = pages->Strip();
    TRect rect = strip ? strip->SoundRect(index) : TRect{};
    if (rect.Right <= rect.Left) return "null";
    TPoint at = strip->ClientToScreen({rect.Left, rect.Top});
    TJsonList item;
    item.Field("x", std::to_string(at.X));
    item.Field("y", std::to_string(at.Y));
    item.Field("w", std::to_string(rect.Right - rect.Left));
    item.Field("h", std::to_string(rect.Bottom - rect.Top));
    item.Field("state", Quote(strip->TabSound(index) == TTabSound::Muted ? "muted" : "playing"));
    return item.Object();
}

std::string Tabs(TFrmMain& form) {
    TJsonList tabs;
    TskPageControl* pages = form.PclParent;
    for (int i = 0; i < pages->PageCount(); ++i) {
        TskTabSheet* sheet = pages->PageAt(i);
        TWebBrowser* browser = nullptr;
        TFrameWebBrowser* frame = nullptr;
        for (TControl* c : sheet->Controls()) {
            if (auto* f = dynamic_cast<TFrameWebBrowser*>(c)) frame = f;
            for (TComponent* inner : c->Components())
                if (auto* web = dynamic_cast<TWebBrowser*>(inner)) browser = web;
        }
        TJsonList tab;
        tab.Field("caption", Quote(sheet->Caption()));
        tab.Field("url", Quote(browser ? browser->LocationURL() : ""));
        tab.Field("title", Quote(browser ? browser->LocationName() : ""));
        tab.Field("active", Bool(pages->ActivePage() == sheet));
        tab.Field("account", std::to_string(browser ? browser->Account() : 0));
        tab.Field("popupNotice", SiteBarQuestion(frame, true));
        tab.Field("permissionBar", SiteBarQuestion(frame, false));
        tab.Field("playingAudio", Bool(browser && browser->PlayingAudio()));
        tab.Field("muted", Bool(browser && browser->Muted()));
        tab.Field("speaker", SpeakerRect(pages, i));
        tabs.Add(tab.Object());
    }
    return tabs.Array();
}

// What the user allowed or refused each site: {right: {site: value}}.
std::string SiteRights() {
    std::map<std::string, TJsonList> rights;
    for (const auto& [right, site, value] : TSitePermissions().Values())
        rights[right].Field(site, Quote(value));
    TJsonList all;
    for (const auto& [right, sites] : rights)
        all.Field(right, sites.Object());
    return all.Object();
}

std::string Controls(TFrmMain& form) {
    TJsonList controls;
    for (TComponent* c : form.Components()) {
        auto* control = dynamic_cast<TControl*>(c);
        if (!control || control->Name().empty()) continue;
        TPoint at = control->Parent()
                        ? control->Parent()->ClientToScreen({control->Left(), control->Top()})
                        : TPoint{control->Left(), control->Top()};
        TJsonList item;
        item.Field("x", std::to_string(at.X));
        item.Field("y", std::to_string(at.Y));
        item.Field("w", std::to_string(control->Width()));
        item.Field("h", std::to_string(control->Height()));
        item.Field("visible", Bool(control->Showing()));
        controls.Field(control->Name(), item.Object());
    }
    return controls.Object();
}

std::string Checked(TFrmMain& form) {
    TJsonList checked;
    for (TComponent* c : form.Components())
        if (auto* item = dynamic_cast<TMenuItem*>(c); item && !item->Name().empty())
            checked.Field(item->Name(), Bool(item->Checked()));
    return checked.Object();
}

void RectFields(TJsonList& item, const TRect& r) {
    item.Field("x", std::to_string(r.Left));
    item.Field("y", std::to_string(r.Top));
    item.Field("w", std::to_string(r.Width()));
    item.Field("h", std::to_string(r.Height()));
}

// The bar's entries in order, in screen coordinates, so a test can click them.
std::string MenuBar(TFrmMain& form) {
    TJsonList buttons;
    IMenuBarView* bar = TMenuTracker::BarOf(&form);
    for (int i = 0; bar && i < bar->BarItemCount(); ++i) {
        TMenuItem* item = bar->BarItem(i);
        if (!item) continue;
        TJsonList button;
        button.Field("caption", Quote(item->Caption()));
        RectFields(button, bar->BarItemScreenRect(i));
        buttons.Add(button.Object());
    }
    return buttons.Array();
}

// Every menu now shown, outermost first; items not shown have an empty rectangle.
std::string OpenMenus() {
    TJsonList menus;
    for (const TOpenMenuInfo& menu : TMenuTracker::OpenMenus()) {
        TJsonList items;
        for (const TOpenMenuItemInfo& entry : menu.Items) {
            TJsonList item;
            item.Field("name", Quote(entry.Name));
            item.Field("caption", Quote(entry.Caption));
            RectFields(item, entry.ScreenRect);
            item.Field("enabled", Bool(entry.Enabled));
            item.Field("checked", Bool(entry.Checked));
            item.Field("visible", Bool(entry.Visible));
            items.Add(item.Object());
        }
        menus.Add(items.Array());
    }
    return menus.Array();
}

std::string Skin(TFrmMain& form) {
    TJsonList skin;
    skin.Field("uiStyle",
               Quote(EnumName(static_cast<int>(form.thmThemeManager->UIStyle()), UIStyleNames())));
    skin.Field("themeFile", Quote(form.fthFileTheme->ThemeFile()));
    skin.Field("canUse", Bool(form.fthFileTheme->CanUse()));
    return skin.Object();
}

std::string RegistryValues() {
    TJsonList values;
    try {
        for (const auto& [name, value] : TAddressHistory().Values())
            values.Field(name, Quote(value));
    } catch (const std::exception&) {
    }
    return values.Object();
}

std::string Boxes() {
    TJsonList boxes;
    for (const auto& box : Application->ShownBoxes()) {
        TJsonList item;
        item.Field("text", Quote(box.Text));
        item.Field("caption", Quote(box.Caption));
        boxes.Add(item.Object());
    }
    return boxes.Array();
}

// Where the main window is, in window-system pixels divided by the scale
// its back buffer is painted at.
std::string WindowRect(TFrmMain& form) {
    TJsonList rect;
    rect.Field("x", std::to_string(form.Left()));
    rect.Field("y", std::to_string(form.Top()));
    rect.Field("w", std::to_string(form.Width()));
    rect.Field("h", std::to_string(form.Height()));
    const TBitmap* buffer = form.HostBackBuffer();
    rect.Field("scale", std::to_string(buffer ? buffer->Scale() : 1));
    return rect.Object();
}

std::string Forms() {
    TJsonList forms;
    for (TCustomForm* f : Application->Forms()) {
        TJsonList item;
        item.Field("name", Quote(f->Name()));
        item.Field("caption", Quote(f->Caption()));
        item.Field("visible", Bool(f->Visible()));
        forms.Add(item.Object());
    }
    return forms.Array();
}

// Every download with where its row's buttons are (while the row shows).
std::string Downloads(TFrmMain& form) {
    TJsonList downloads;
    TFrameDownloads* bar = form.FrameDownloads;
    if (!bar) return downloads.Array();
    static const char* const kButtons[] = {"cancel", "open", "folder"};
    for (const platform::TDownloadInfo& d : bar->Downloads()) {
        TJsonList item;
        item.Field("id", std::to_string(d.Id));
        item.Field("url", Quote(d.URL));
        item.Field("name", Quote(d.Name));
        item.Field("path", Quote(d.Path));
        item.Field("state", Quote(DownloadStateName(d.State)));
        item.Field("received", std::to_string(d.Received));
        item.Field("total", std::to_string(d.Total));
        item.Field("error", Quote(d.Error));
        item.Field("text", Quote(DownloadStatusText(d)));
        TJsonList buttons;
        for (int b = 0; b < 3; ++b) {
            TskButton* button = bar->RowButton(d.Id, static_cast<TFrameDownloads::TRowButton>(b));
            if (!button || !button->Showing()) continue;
            TJsonList rect;
            TPoint at = button->ClientToScreen({0, 0});
            RectFields(rect, {at.X, at.Y, at.X + button->Width(), at.Y + button->Height()});
            rect.Field("enabled", Bool(button->Enabled()));
            buttons.Field(kButtons[b], rect.Object());
        }
        item.Field("buttons", buttons.Object());
        downloads.Add(item.Object());
    }
    return downloads.Array();
}

// The title bar's right-hand buttons in screen coordinates.
std::string TitleButtons(TFrmMain& form) {
    TJsonList buttons;
    TskTitleBar* bar = form.frmSkin ? form.frmSkin->TitleBar() : nullptr;
    if (!bar) return buttons.Object();
    static const std::pair<const char*, TskTitleBarBtnType> kTypes[] = {
        {"min", TskTitleBarBtnType::skMin},
        {"max", TskTitleBarBtnType::skMax},
        {"close", TskTitleBarBtnType::skClose}};
    for (const auto& [name, type] : kTypes) {
        TRect r = bar->RightButtonRect(type);
        if (r.IsEmpty()) continue;
        TPoint at = bar->ClientToScreen({r.Left, r.Top});
        TJsonList rect;
        RectFields(rect, {at.X, at.Y, at.X + r.Width(), at.Y + r.Height()});
        buttons.Field(name, rect.Object());
    }
    return buttons.Object();
}

// The focused edit's composition and where the input method was told the
// caret is (screen coordinates).
std::string InputMethod(TFrmMain& form) {
    TJsonList ime;
    auto* edit = dynamic_cast<TCustomEdit*>(form.ActiveControl());
    ime.Field("preedit", Quote(edit ? platform::Utf16ToUtf8(edit->Preedit()) : ""));
    TRect r = Application->Host().ImeCursorRect();
    TJsonList caret;
    RectFields(caret, {form.Left() + r.Left, form.Top() + r.Top, form.Left() + r.Right,
                       form.Top() + r.Bottom});
    ime.Field("cursor", caret.Object());
    if (edit) {
        TRect c = edit->CaretRect();
        TPoint at = edit->ClientToScreen({c.Left, c.Top});
        TJsonList rect;
        RectFields(rect, {at.X, at.Y, at.X + c.Width(), at.Y + c.Height()});
        ime.Field("caret", rect.Object());
    }
    return ime.Object();
}

// The search box's drop-down: its rows, the highlighted one and where it is
// on the screen, so a test can click a row.
std::string SearchSuggestions(TFrmMain& form) {
    auto* suggestions = dynamic_cast<TSearchSuggestions*>(form.FindComponent("SearchSuggestions"));
    TJsonList state;
    state.Field("open", Bool(suggestions && suggestions->IsOpen()));
    TJsonList items;
    if (suggestions && suggestions->IsOpen())
        for (const std::string& name : suggestions->Items())
            items.Add(Quote(name));
    state.Field("items", items.Array());
    state.Field("highlight", std::to_string(suggestions ? suggestions->Highlight() : -1));
    RectFields(state, suggestions ? suggestions->ScreenRect() : TRect{});
    return state.Object();
}

bool MenuBarKeyboardMode() {
    TMenuTracker* tracker = TMenuTracker::Current();
    return tracker && tracker->Bar() && tracker->Levels().empty();
}

} // namespace

std::string TStateDump::Build(TFrmMain& form) {
    TJsonList root;
    root.Field("caption", Quote(form.Caption()));
    root.Field("window", WindowRect(form));
    root.Field("tabs", Tabs(form));
    root.Field("activePageIndex", std::to_string(form.PclParent->ActivePageIndex()));
    TJsonList strip;
    strip.Field("firstShown", std::to_string(form.PclParent->Strip()->FirstShown()));
    strip.Field("overflow", Bool(form.PclParent->Strip()->Overflow()));
    root.Field("tabStrip", strip.Object());
    root.Field("address", Quote(form.cmbAddr->Text()));
    TJsonList items;
    for (const std::string& entry : form.cmbAddr->Items().Items())
        items.Add(Quote(entry));
    root.Field("addressItems", items.Array());
    root.Field("search", Quote(form.edtFindName->Text()));
    root.Field("searchSuggestions", SearchSuggestions(form));
    root.Field("focus", Quote(form.ActiveControl() ? form.ActiveControl()->Name() : ""));
    root.Field("status", Quote(form.labText->Caption()));
    root.Field("controls", Controls(form));
    TJsonList left;
    left.Field("url", Quote(form.webLeft->LocationURL()));
    left.Field("title", Quote(form.webLeft->LocationName()));
    root.Field("leftPane", left.Object());
    TJsonList favorites;
    favorites.Field("url", Quote(form.webFavorites->LocationURL()));
    favorites.Field("title", Quote(form.webFavorites->LocationName()));
    root.Field("favoritesPane", favorites.Object());
    root.Field("appPath", Quote(AppPath));
    root.Field("dataPath", Quote(DataPath));
    root.Field("checked", Checked(form));
    root.Field("menuBar", MenuBar(form));
    root.Field("openMenus", OpenMenus());
    root.Field("menuBarKeyboard", Bool(MenuBarKeyboardMode()));
    root.Field("titleButtons", TitleButtons(form));
    root.Field("inputMethod", InputMethod(form));
    root.Field("skin", Skin(form));
    root.Field("registry", RegistryValues());
    root.Field("siteRights", SiteRights());
    root.Field("messageBoxes", Boxes());
    root.Field("forms", Forms());
    root.Field("downloads", Downloads(form));
    root.Field("player", TPlayerState::Json(form));
    TBossKey* bossKey = TBossKey::Of(&form);
    root.Field("bossKey", bossKey ? bossKey->Json() : "null");
    return root.Object() + "\n";
}

void TStateDump::Write(TFrmMain& form, const std::string& fileName) {
    std::string temp = fileName + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << Build(form);
        if (!out) return;
    }
    std::rename(temp.c_str(), fileName.c_str());
}

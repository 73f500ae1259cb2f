#pragma once
// The drop-down of game names under the search box, offered as the player
// types. It listens to the box's own events (the handlers already there
// keep running) and never takes the keyboard: the pop-up grabs nothing, so
// typing, the input method and the caret stay with the box.
//
// Down and Up move the highlight (Up from the first row goes back to no
// highlight), a click or Enter on a highlighted row chooses it, Escape only
// closes the list, and so do clearing the box, the box losing focus, a press
// anywhere else in the program and the window losing the keyboard to
// another program.
// Enter with no row highlighted goes on to the box's own handler as before.
//
// Choosing puts the game's name into the box and runs OnChoose (the main
// window's normal search): the name then finds that game first, beside any
// other list's game of the same name, and an address from an imported list
// is never opened without the player seeing it on the search page.
#include <functional>
#include <string>
#include <vector>

#include "gui/Events.h"
#include "gui/Messages.h"
#include "gui/TComponent.h"
#include "gui/TStringList.h"
#include "gui/Types.h"

class TCustomEdit;
class TPopupWindow;
class TskEdit;
class TskSuggestList;

class TSearchSuggestions : public TComponent {
    XF_CLASS(TSearchSuggestions)
public:
    static constexpr int MaxItems = 10;
    // The game names for a typed text, best first, at most `limit`. Names
    // may repeat (one game in several lists); the list shows each once.
    using TSource = std::function<std::vector<std::string>(const std::string& text, size_t limit)>;

    TSearchSuggestions(TComponent* owner, TskEdit* edit, TSource source);
    ~TSearchSuggestions() override;
    void SetSource(TSource source) { FSource = std::move(source); }

    bool IsOpen() const;
    const std::vector<std::string>& Items() const { return FItems.Items(); }
    // The highlighted row, -1 for none.
    int Highlight() const;
    // The drop-down's place on the screen (empty while closed).
    TRect ScreenRect() const;
    TskSuggestList* List() const { return FList; }

    // Asks the source for the box's text and opens, fills or closes the list.
    void Refresh();
    void Close();
    void Choose(int index);

    // After a chosen name was put into the box.
    TNotifyEvent OnChoose;

private:
    void HookEdit();
    void EditChanged();
    // True when the key was the list's.
    bool EditKeyDown(int key);
    bool SwallowChar(char16_t key);
    void MoveHighlight(int step);
    bool IsOwnWindow(HWND window) const;
    void Open();
    TRect DropRect() const;

    TSafeRef<TskEdit> FEdit;
    TSource FSource;
    TPopupWindow* FPopup = nullptr;
    TskSuggestList* FList = nullptr;
    TStringList FItems;
    bool FChoosing = false;
    char16_t FSwallow = 0;
};

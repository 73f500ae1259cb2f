#pragma once
// A shown form with menus on the headless host, and helpers to build items
// and drive the open menu chain.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "gui/TForm.h"
#include "gui/TMenuItem.h"
#include "gui/TMenuTracker.h"
#include "gui/TMenuWindow.h"
#include "gui/graphics/TBitmap.h"

class MenuTest : public GuiTest {
protected:
    MenuTest() {
        TMenuTracker::HoverDelayMs = 200;
        FForm = new TForm(nullptr);
        FForm->SetBounds(100, 100, 400, 300);
        FForm->Show();
        FApp->ProcessMessages();
    }
    ~MenuTest() override { delete FForm; }

    // An item owned by the form, added to `parent` when given.
    TMenuItem* Item(TMenuItem* parent, const std::string& name, const std::string& caption) {
        auto* item = new TMenuItem(FForm);
        item->SetName(name);
        item->SetCaption(caption);
        if (parent) parent->Add(item);
        return item;
    }
    // An item whose clicks are counted in FClicks under its name.
    TMenuItem* Command(TMenuItem* parent, const std::string& name, const std::string& caption) {
        TMenuItem* item = Item(parent, name, caption);
        item->OnClick = [this](TObject* sender) {
            FClicks.push_back(static_cast<TMenuItem*>(sender)->Name());
        };
        return item;
    }

    THostWindow FormWindow() { return FForm->HostWindow(); }
    TMenuTracker* Tracker() { return TMenuTracker::Current(); }
    std::vector<TMenuWindow*> Levels() {
        TMenuTracker* t = Tracker();
        return t ? t->Levels() : std::vector<TMenuWindow*>{};
    }
    TMenuWindow* Level(size_t index) {
        auto levels = Levels();
        return index < levels.size() ? levels[index] : nullptr;
    }
    // Name of the hot item of a level, "" when none.
    std::string HotName(size_t level) {
        TMenuWindow* w = Level(level);
        if (!w || w->HotIndex() < 0) return "";
        return w->Item(w->HotIndex())->Name();
    }
    // Centre of an item of an open level, in screen coordinates.
    TPoint ItemCentre(size_t level, const std::string& name) {
        TMenuWindow* w = Level(level);
        EXPECT_NE(w, nullptr);
        if (!w) return {};
        for (int i = 0; i < w->ItemCount(); ++i)
            if (w->Item(i)->Name() == name) {
                TRect r = w->ItemScreenRect(i);
                return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
            }
        ADD_FAILURE() << "no item " << name << " in level " << level;
        return {};
    }
    // Mouse input in screen coordinates, delivered to the form's window the
    // way a window system with a pointer grab would (any window will do:
    // the menu goes by the screen position).
    void MouseAt(uint32_t msg, TPoint screen, WPARAM keys = 0, THostWindow window = 0) {
        THostWindow target = window ? window : FormWindow();
        TRect bounds = FHost.WindowBounds(target);
        FHost.MouseEvent(target, msg, {screen.X - bounds.Left, screen.Y - bounds.Top}, keys);
        FApp->ProcessMessages();
    }
    void ClickAt(TPoint screen, THostWindow window = 0) {
        MouseAt(WM_MOUSEMOVE, screen, 0, window);
        MouseAt(WM_LBUTTONDOWN, screen, MK_LBUTTON, window);
        MouseAt(WM_LBUTTONUP, screen, 0, window);
    }
    void Key(int vk, char16_t ch = 0, THostWindow window = 0) {
        THostWindow target = window ? window : FormWindow();
        FHost.KeyEvent(target, WM_KEYDOWN, vk, 0, ch);
        FHost.KeyEvent(target, WM_KEYUP, vk);
        FApp->ProcessMessages();
    }
    void Wait(int ms) {
        FHost.AdvanceClock(static_cast<uint64_t>(ms));
        FApp->ProcessMessages();
    }

    TForm* FForm;
    std::vector<std::string> FClicks;
};

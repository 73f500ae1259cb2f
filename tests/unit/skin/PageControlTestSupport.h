#pragma once
// A shown form with a page control in it, and an event log that every
// page-control and sheet event writes to, for the page control's tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/TForm.h"
#include "skin/SkinClasses.h"
#include "skin/TskPageControl.h"
#include "skin/TskTabControlTopPanel.h"
#include "skin/TskTabSheet.h"
#include "unit/gui/GuiTestSupport.h"

class PageControlTest : public GuiTest {
protected:
    PageControlTest() {
        RegisterSkinClasses();
        FForm = new TForm(nullptr);
        FForm->SetBounds(0, 0, 400, 300);
        FPages = new TskPageControl(FForm);
        FPages->SetName("Pages1");
        FPages->SetBounds(10, 10, 300, 200);
        FPages->SetParent(FForm);
    }
    ~PageControlTest() override { delete FForm; }

    // A sheet without owner, as the browser makes them, added to FPages.
    TskTabSheet* AddSheet(const std::string& caption) {
        auto* sheet = new TskTabSheet(nullptr);
        sheet->SetCaption(caption);
        Watch(sheet);
        sheet->SetPageControl(FPages);
        return sheet;
    }

    void Watch(TskTabSheet* sheet) {
        sheet->OnShow = [this](TObject* s) { Log("show " + CaptionOf(s)); };
        sheet->OnHide = [this](TObject* s) { Log("hide " + CaptionOf(s)); };
    }

    void WatchControl(TskPageControl* pc) {
        pc->OnChanging = [this, pc](TObject* sender, bool& allow) {
            EXPECT_EQ(sender, pc);
            EXPECT_TRUE(allow);
            Log("changing");
            allow = FAllowChange;
        };
        pc->OnTabActive = [this, pc](TObject* sender, int index) {
            EXPECT_EQ(sender, pc);
            Log("tabactive " + std::to_string(index));
        };
        pc->OnChange = [this, pc](TObject* sender) {
            EXPECT_EQ(sender, pc);
            Log("change");
        };
        pc->OnClick = [this, pc](TObject* sender) {
            EXPECT_EQ(sender, pc);
            Log("click");
        };
        pc->OnDblClick = [this, pc](TObject* sender) {
            EXPECT_EQ(sender, pc);
            Log("dblclick");
        };
    }

    static std::string CaptionOf(TObject* sender) {
        return static_cast<TskTabSheet*>(sender)->Caption();
    }
    void Log(const std::string& entry) { FLog.push_back(entry); }
    std::vector<std::string> TakeLog() { return std::exchange(FLog, {}); }

    std::vector<std::string> PageCaptions() const {
        std::vector<std::string> captions;
        for (TskTabSheet* page : FPages->Pages())
            captions.push_back(page->Caption());
        return captions;
    }

    // Window coordinates of the middle of a tab, for the host's input.
    TPoint TabPoint(int index) {
        TskTabControlTopPanel* strip = FPages->Strip();
        TRect r = strip->TabRect(index);
        TPoint origin = strip->ClientOrigin();
        return {origin.X + (r.Left + r.Right) / 2, origin.Y + (r.Top + r.Bottom) / 2};
    }

    TForm* FForm;
    TskPageControl* FPages;
    std::vector<std::string> FLog;
    bool FAllowChange = true;
};

using TLog = std::vector<std::string>;

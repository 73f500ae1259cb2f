#include "PageControlTestSupport.h"
#include "gui/TLayoutLoader.h"

namespace {

// A window whose handlers log, as the main window's do.
class TLoggingForm : public TForm {
public:
    explicit TLoggingForm(TLog* log) : TForm(nullptr), FLog(log) {
        Method("PagesChange", &TLoggingForm::PagesChange);
        Method("PagesTabActive", &TLoggingForm::PagesTabActive);
        Method("PagesClick", &TLoggingForm::PagesClick);
        Method("SheetShow", &TLoggingForm::SheetShow);
    }
    void PagesChange(TObject*) { FLog->push_back("change"); }
    void PagesTabActive(TObject*, int index) {
        FLog->push_back("tabactive " + std::to_string(index));
    }
    void PagesClick(TObject*) { FLog->push_back("click"); }
    void SheetShow(TObject* sender) {
        FLog->push_back("show " + static_cast<TComponent*>(sender)->Name());
    }

private:
    TLog* FLog;
};

class PageControlLayoutTest : public PageControlTest {
protected:
    ~PageControlLayoutTest() override { delete FLoaded; }

    TskPageControl* Load(const std::string& text) {
        FLoaded = new TLoggingForm(&FLog);
        TLayoutLoader::LoadText(FLoaded, text, "Pages.lay");
        return dynamic_cast<TskPageControl*>(FLoaded->FindComponent("PclParent"));
    }
    TskTabSheet* Sheet(const std::string& name) {
        return dynamic_cast<TskTabSheet*>(FLoaded->FindComponent(name));
    }
    std::vector<std::string> Order(TskPageControl* pc) { return pc->PageNames(); }

    TLoggingForm* FLoaded = nullptr;
};

const char* const kMainWindowLike = R"(object Form1: TForm
  Width = 400
  Height = 300
  object PclParent: TskPageControl
    Width = 300
    Height = 200
    Align = alClient
    ActivePage = skTabSheet2
    Pages = ('skTabSheet1' 'skTabSheet2' 'skTabSheet3')
    Hint = '单击右键或双击关闭窗口'
    ShowHint = True
    LeftMargin = 85
    BorderColor = 6842472
    Color = clWhite
    Font.Name = '宋体'
    Font.Height = -14
    UIStyle = WinXP
    OnChange = PagesChange
    OnTabActive = PagesTabActive
    OnClick = PagesClick
    object skTabSheet3: TskTabSheet
      Caption = 'three'
      OnShow = SheetShow
    end
    object skTabSheet1: TskTabSheet
      Caption = 'about:blank'
      Color = clWhite
      PageControl = PclParent
    end
    object skTabSheet2: TskTabSheet
      Caption = 'two'
      TabVisible = False
      OnShow = SheetShow
    end
    object palCenterLeft: TPanel
      Width = 83
      Height = 17
    end
  end
end
)";

TEST_F(PageControlLayoutTest, StoredPagesOrderActivePageAndPropertiesAreApplied) {
    TskPageControl* pc = Load(kMainWindowLike);
    ASSERT_NE(pc, nullptr);
    EXPECT_EQ(Order(pc), TLog({"skTabSheet1", "skTabSheet2", "skTabSheet3"}));
    EXPECT_EQ(pc->Strip()->Tabs(), TLog({"about:blank", "two", "three"}));
    EXPECT_EQ(pc->ActivePage(), Sheet("skTabSheet2"));
    EXPECT_EQ(pc->Strip()->TabIndex(), 1);
    EXPECT_FALSE(pc->Strip()->TabShown(1));
    EXPECT_TRUE(pc->Strip()->TabShown(2));
    EXPECT_FALSE(Sheet("skTabSheet3")->Visible());
    EXPECT_EQ(pc->LeftMargin(), 85);
    EXPECT_EQ(pc->BorderColor(), RGB(104, 104, 104));
    EXPECT_EQ(Sheet("skTabSheet3")->Color(), clWhite);
    EXPECT_EQ(pc->Font().Height(), -14);
    EXPECT_EQ(pc->Hint(), "单击右键或双击关闭窗口");
    EXPECT_EQ(pc->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(pc->Strip()->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(pc->PageCount(), 3); // the panel in the margin is no page
    // Each sheet joins before its own handlers are bound; the stored active
    // page is shown once more at the end. No tab change is reported.
    EXPECT_EQ(TakeLog(), TLog({"show skTabSheet2"}));

    pc->SetActivePage(Sheet("skTabSheet1")); // the handlers are bound
    EXPECT_EQ(TakeLog(), TLog({"tabactive 0", "change"}));
}

TEST_F(PageControlLayoutTest, SheetsMayJoinByReferenceInAnyOrder) {
    TskPageControl* pc = Load(R"(object Form1: TForm
  object PclParent: TskPageControl
    ActivePage = sheetA
    Pages = ('sheetB' 'sheetC' 'sheetA')
  end
  object sheetA: TskTabSheet
    PageControl = PclParent
    Caption = 'A'
  end
  object sheetB: TskTabSheet
    Caption = 'B'
    PageControl = PclParent
  end
  object PclParent2: TskPageControl
    object sheetC: TskTabSheet
      Caption = 'C'
      PageControl = PclParent
    end
  end
end
)");
    EXPECT_EQ(Order(pc), TLog({"sheetB", "sheetC", "sheetA"}));
    EXPECT_EQ(Sheet("sheetA")->PageIndex(), 2);
    EXPECT_EQ(Sheet("sheetC")->Parent(), pc);
    EXPECT_EQ(pc->ActivePage(), Sheet("sheetA"));
    EXPECT_EQ(pc->Strip()->TabIndex(), 2);
    EXPECT_EQ(pc->Strip()->Tabs(), TLog({"B", "C", "A"}));
    auto* second = dynamic_cast<TskPageControl*>(FLoaded->FindComponent("PclParent2"));
    EXPECT_EQ(second->PageCount(), 0);
    EXPECT_EQ(second->ActivePage(), nullptr);
}

TEST_F(PageControlLayoutTest, AListThatDoesNotCountThePagesKeepsTheirOrder) {
    TskPageControl* pc = Load(R"(object Form1: TForm
  object PclParent: TskPageControl
    Pages = ('second')
    object first: TskTabSheet
    end
    object second: TskTabSheet
    end
  end
end
)");
    EXPECT_EQ(Order(pc), TLog({"first", "second"}));
    EXPECT_EQ(pc->ActivePage(), Sheet("second")); // the last one added
    auto stored = std::get<TStringsValue>(GetPropValue(pc, "Pages"));
    EXPECT_EQ(stored.Items, TLog({"first", "second"}));
}

TEST_F(PageControlLayoutTest, AStoredPageIndexMovesThePageWhileLoading) {
    TskPageControl* pc = Load(R"(object Form1: TForm
  object PclParent: TskPageControl
    object first: TskTabSheet
    end
    object second: TskTabSheet
      PageIndex = 0
    end
    object third: TskTabSheet
      PageIndex = 7
    end
  end
end
)");
    EXPECT_EQ(Order(pc), TLog({"second", "first", "third"}));
    EXPECT_EQ(pc->ActivePage(), Sheet("third"));
}

} // namespace

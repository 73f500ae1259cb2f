#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "gui/TForm.h"
#include "gui/TLayoutLoader.h"
#include "gui/TLayoutParser.h"

namespace {

std::vector<std::string> gLoadedOrder;

class TTestPanel : public TWinControl {
    XF_CLASS(TTestPanel)
public:
    explicit TTestPanel(TComponent* owner) : TWinControl(owner) {}
    TTestPanel* Buddy() const { return FBuddy; }
    void SetBuddy(TTestPanel* p) {
        // The loader promises every component exists and is named by now.
        FBuddyNameAtSet = p ? p->Name() : "";
        FBuddy = p;
    }
    std::vector<std::string> Items() const { return FItems; }
    void SetItems(std::vector<std::string> items) { FItems = std::move(items); }
    std::string Order() const { return FOrder; }
    void SetFirst(int) { FOrder += "first "; }
    void SetSecond(int) { FOrder += "second "; }
    int Zero() const { return 0; }
    void Loaded() override {
        TWinControl::Loaded();
        gLoadedOrder.push_back(Name() + (FBuddy ? ">" + FBuddy->Name() : ""));
    }
    std::string FBuddyNameAtSet;

private:
    TTestPanel* FBuddy = nullptr;
    std::vector<std::string> FItems;
    std::string FOrder;
};

const TClassInfo& TTestPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestPanel>("TTestPanel", &TWinControl::StaticClass())
                                       .Prop("Buddy", &TTestPanel::Buddy, &TTestPanel::SetBuddy)
                                       .Prop("Items", &TTestPanel::Items, &TTestPanel::SetItems)
                                       .Prop("First", &TTestPanel::Zero, &TTestPanel::SetFirst)
                                       .Prop("Second", &TTestPanel::Zero, &TTestPanel::SetSecond)
                                       .Build();
    return info;
}

class TTestForm : public TForm {
    XF_CLASS(TTestForm)
public:
    explicit TTestForm(TComponent* owner) : TForm(owner) {
        Method("PanelClick", &TTestForm::PanelClick);
        Method("WrongShape", &TTestForm::WrongShape);
        Field("palTop", palTop);
    }
    void PanelClick(TObject* sender) { Clicked = sender; }
    void WrongShape(int) {}
    TTestPanel* palTop = nullptr;
    TObject* Clicked = nullptr;
};

const TClassInfo& TTestForm::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm", &TForm::StaticClass()).Build();
    return info;
}

class LayoutTest : public GuiTest {
protected:
    LayoutTest() {
        RegisterClass(TTestPanel::StaticClass());
        gLoadedOrder.clear();
        FForm = new TTestForm(nullptr);
    }
    ~LayoutTest() override { delete FForm; }

    std::string LoadError(const std::string& text) {
        try {
            TLayoutLoader::LoadText(FForm, text, "Test.lay");
        } catch (const ELayoutError& e) {
            return e.what();
        }
        return "";
    }

    TTestForm* FForm;
};

const char* kGood = R"(
object FrmTest: TTestForm
  Caption = '星帆IE'
  ClientWidth = 990
  ClientHeight = 538
  Color = clWhite
  Font.Name = '宋体'
  Font.Height = -12
  Font.Style = [fsBold]
  object palTop: TTestPanel
    Align = alTop
    Height = 48
    Buddy = palRest      // a forward reference
    Second = 2
    First = 1
    OnClick = PanelClick
    object palInner: TTestPanel
      Left = 3
      Items = ('a' 'it''s' '中文'
        'd')
    end
  end
  object palRest: TTestPanel
    Align = alClient
    Color = $00FFEEDD
  end
end
)";

} // namespace

TEST_F(LayoutTest, BuildsTheTreeSetsPropertiesInOrderAndBindsByName) {
    TLayoutLoader::LoadText(FForm, kGood, "Test.lay");
    EXPECT_EQ(FForm->Name(), "FrmTest");
    EXPECT_EQ(FForm->Caption(), "星帆IE");
    EXPECT_EQ(FForm->ClientWidth(), 990);
    EXPECT_EQ(FForm->Color(), clWhite);
    ASSERT_NE(FForm->palTop, nullptr);
    EXPECT_EQ(FForm->palTop->Parent(), FForm);
    EXPECT_EQ(FForm->palTop->Width(), 990); // aligned once loading ended
    EXPECT_EQ(FForm->palTop->Order(), "second first ");
    EXPECT_EQ(FForm->palTop->Font().Name(), "宋体");
    EXPECT_TRUE(FForm->palTop->Font().Style().Contains(fsBold));

    auto* inner = dynamic_cast<TTestPanel*>(FForm->FindComponent("palInner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Owner(), FForm);
    EXPECT_EQ(inner->Parent(), FForm->palTop);
    EXPECT_EQ(inner->Items(), (std::vector<std::string>{"a", "it's", "中文", "d"}));

    auto* rest = dynamic_cast<TTestPanel*>(FForm->FindComponent("palRest"));
    EXPECT_EQ(FForm->palTop->Buddy(), rest);
    EXPECT_EQ(FForm->palTop->FBuddyNameAtSet, "palRest");
    EXPECT_EQ(rest->Color(), RGB(0xDD, 0xEE, 0xFF));
    EXPECT_EQ(rest->BoundsRect(), TRect(0, 48, 990, 538));

    FForm->palTop->Click();
    EXPECT_EQ(FForm->Clicked, FForm->palTop);
    // Loaded runs after every reference is resolved, in creation order.
    EXPECT_EQ(gLoadedOrder, (std::vector<std::string>{"palTop>palRest", "palInner", "palRest"}));
}

TEST_F(LayoutTest, ErrorsNameFileLineAndItem) {
    struct Case {
        const char* Text;
        const char* Expected;
    } cases[] = {
        {"object F: TTestForm\n  object x: TNoSuch\n  end\nend\n", "Test.lay:2: unknown class TNoSuch (object x)"},
        {"object F: TTestForm\n  Colour = clRed\nend\n", "Test.lay:2: unknown property F.Colour"},
        {"object F: TTestForm\n  Width = 'wide'\nend\n", "Test.lay:2: F.Width: an integer is expected"},
        {"object F: TTestForm\n  object p: TTestPanel\n    Buddy = nobody\n  end\nend\n",
         "Test.lay:3: Buddy refers to nobody, which does not exist"},
        {"object F: TTestForm\n  OnClick = Missing\nend\n", "Test.lay:2: F.OnClick: TTestForm has no method Missing"},
        {"object F: TTestForm\n  OnClick = WrongShape\nend\n", "method WrongShape does not fit event OnClick"},
        {"object F: TTestForm\n  Align = alSideways\nend\n", "Test.lay:2: F.Align: unknown value alSideways"},
        {"object F: TTestForm\n  Caption = 'open\nend\n", "Test.lay:2: unterminated string"},
        {"object F: TTestForm\n  object p: TTestPanel\n", "'end' expected"},
        {"object F: TOtherForm\nend\n", "Test.lay:1: the layout is for TOtherForm, not TTestForm"},
        {"object F: TTestForm\n  object a: TTestPanel\n  end\n  object A: TTestPanel\n  end\nend\n",
         "Test.lay:4: A: A component named A already exists"},
        {"object F: TTestForm\n  object palTop: TForm\n  end\nend\n",
         "Test.lay:2: field palTop does not take class TForm"},
    };
    for (const Case& c : cases) {
        delete FForm;
        FForm = new TTestForm(nullptr);
        std::string error = LoadError(c.Text);
        EXPECT_NE(error.find(c.Expected), std::string::npos) << "got: " << error << "\nfor: " << c.Text;
    }
}

TEST_F(LayoutTest, ParserRejectsHostileNestingWithoutExhaustingTheStack) {
    std::string deep = "object F: TTestForm\n";
    for (int i = 0; i < 5000; ++i) deep += "object p" + std::to_string(i) + ": TTestPanel\n";
    std::string error = LoadError(deep);
    EXPECT_NE(error.find("nested too deeply"), std::string::npos) << error;
    std::string sets = "object F: TTestForm\n  X = " + std::string(5000, '<') + "\nend\n";
    EXPECT_NE(LoadError(sets).find("Test.lay:2"), std::string::npos);
}

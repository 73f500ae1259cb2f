#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/TForm.h"
#include "skin/SkinStyle.h"
#include "skin/TskFileTheme.h"
#include "unit/gui/GuiTestSupport.h"

namespace {

std::vector<std::string> gSteps;

// A skinned control: style and file theme, each assignment logged.
class TStyledPanel : public TWinControl {
    XF_CLASS(TStyledPanel)
public:
    explicit TStyledPanel(TComponent* owner) : TWinControl(owner) {}
    TskUIStyle UIStyle() const { return FStyle; }
    void SetUIStyle(TskUIStyle style) {
        FStyle = style;
        gSteps.push_back(Name() + ".UIStyle");
    }
    TskFileTheme* FileTheme() const { return FTheme; }
    void SetFileTheme(TskFileTheme* theme) {
        FTheme = theme;
        gSteps.push_back(Name() + ".FileTheme");
    }

private:
    TskUIStyle FStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FTheme = nullptr;
};

const TClassInfo& TStyledPanel::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TStyledPanel>("TStyledPanel", &TWinControl::StaticClass())
            .Enum("UIStyle", &TStyledPanel::UIStyle, &TStyledPanel::SetUIStyle, UIStyleNames())
            .Prop("FileTheme", &TStyledPanel::FileTheme, &TStyledPanel::SetFileTheme)
            .Build();
    return info;
}

// Known to the style code only by its class name, like the real frame.
class TFakeSkinFrame : public TStyledPanel {
    XF_CLASS(TFakeSkinFrame)
public:
    using TStyledPanel::TStyledPanel;
};

const TClassInfo& TFakeSkinFrame::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TFakeSkinFrame>("TskForm", &TStyledPanel::StaticClass()).Build();
    return info;
}

class TDerivedSkinFrame : public TFakeSkinFrame {
    XF_CLASS(TDerivedSkinFrame)
public:
    using TFakeSkinFrame::TFakeSkinFrame;
};

const TClassInfo& TDerivedSkinFrame::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDerivedSkinFrame>("TDerivedSkinFrame", &TFakeSkinFrame::StaticClass())
            .Build();
    return info;
}

// A style but no file theme.
class TStyleOnly : public TWinControl {
    XF_CLASS(TStyleOnly)
public:
    explicit TStyleOnly(TComponent* owner) : TWinControl(owner) {}
    TskUIStyle UIStyle() const { return TskUIStyle::DeepBlue; }
    void SetUIStyle(TskUIStyle) { gSteps.push_back(Name() + ".UIStyle"); }
};

const TClassInfo& TStyleOnly::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TStyleOnly>("TStyleOnly", &TWinControl::StaticClass())
            .Enum("UIStyle", &TStyleOnly::UIStyle, &TStyleOnly::SetUIStyle, UIStyleNames())
            .Build();
    return info;
}

class ThemeStyleTest : public GuiTest {
protected:
    ThemeStyleTest() { gSteps.clear(); }

    template <class T> T* Child(TWinControl* parent, const std::string& name) {
        auto* c = new T(&FForm);
        c->SetName(name);
        c->SetParent(parent);
        return c;
    }

    TForm FForm{nullptr};
};

} // namespace

TEST_F(ThemeStyleTest, OwnerFormStyleIsThatOfTheFirstSkinnedFrame) {
    EXPECT_EQ(GetOwnerFormStyle(&FForm), TskUIStyle::DeepBlue);
    Child<TStyledPanel>(&FForm, "panel")->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(GetOwnerFormStyle(&FForm), TskUIStyle::DeepBlue);
    auto* inner = Child<TStyledPanel>(&FForm, "holder");
    Child<TFakeSkinFrame>(inner, "nested")->SetUIStyle(TskUIStyle::Protein); // not direct
    EXPECT_EQ(GetOwnerFormStyle(&FForm), TskUIStyle::DeepBlue);
    Child<TDerivedSkinFrame>(&FForm, "frmSkin")->SetUIStyle(TskUIStyle::WinXP);
    Child<TFakeSkinFrame>(&FForm, "second")->SetUIStyle(TskUIStyle::BlueGlass);
    EXPECT_EQ(GetOwnerFormStyle(&FForm), TskUIStyle::WinXP);
}

TEST_F(ThemeStyleTest, OwnerThatIsNoFormGivesDeepBlue) {
    TComponent owner(nullptr);
    EXPECT_EQ(GetOwnerFormStyle(&owner), TskUIStyle::DeepBlue);
    EXPECT_EQ(GetOwnerFormStyle(nullptr), TskUIStyle::DeepBlue);
    auto* frame = Child<TFakeSkinFrame>(&FForm, "frame");
    frame->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(GetOwnerFormStyle(frame), TskUIStyle::DeepBlue);
}

TEST_F(ThemeStyleTest, ChildrenTakeThemeFirstThenStyleNotRecursively) {
    TskFileTheme theme(nullptr);
    auto* container = Child<TStyledPanel>(&FForm, "container");
    auto* first = Child<TStyledPanel>(container, "first");
    Child<TStyleOnly>(container, "styleOnly");
    auto* grandChild = Child<TStyledPanel>(first, "grandChild");
    auto* last = Child<TStyledPanel>(container, "last");
    gSteps.clear();
    ApplyStyleToChildren(container, TskUIStyle::FromThemeFile, &theme);
    EXPECT_EQ(gSteps, (std::vector<std::string>{"first.FileTheme", "first.UIStyle",
                                                "last.FileTheme", "last.UIStyle"}));
    EXPECT_EQ(first->FileTheme(), &theme);
    EXPECT_EQ(last->UIStyle(), TskUIStyle::FromThemeFile);
    EXPECT_EQ(grandChild->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(container->FileTheme(), nullptr);
}

TEST_F(ThemeStyleTest, PropertyHelpersReportWhatTheObjectHas) {
    auto* panel = Child<TStyledPanel>(&FForm, "panel");
    auto* styleOnly = Child<TStyleOnly>(&FForm, "styleOnly");
    EXPECT_TRUE(SetUIStyleProperty(panel, TskUIStyle::Protein));
    EXPECT_EQ(GetUIStyleProperty(panel, TskUIStyle::MacOS), TskUIStyle::Protein);
    EXPECT_FALSE(SetFileThemeProperty(styleOnly, nullptr));
    EXPECT_FALSE(SetUIStyleProperty(&FForm, TskUIStyle::WinXP));
    EXPECT_EQ(GetUIStyleProperty(&FForm, TskUIStyle::MacOS), TskUIStyle::MacOS);
    EXPECT_TRUE(HasProperty(panel, "FileTheme"));
    EXPECT_FALSE(HasProperty(styleOnly, "FileTheme"));
}

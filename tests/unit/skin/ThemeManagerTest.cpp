#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/TForm.h"
#include "gui/TLayoutLoader.h"
#include "skin/SkinStyle.h"
#include "skin/TskFileTheme.h"
#include "skin/TskThemeManager.h"
#include "unit/gui/GuiTestSupport.h"

namespace {

std::vector<std::string> gLog;

std::string NameOf(const TComponent* c) {
    return c ? c->Name() : "none";
}

// A skinned component that logs what it is given, in order.
class TskStyleProbe : public TComponent {
    XF_CLASS(TskStyleProbe)
public:
    explicit TskStyleProbe(TComponent* owner) : TComponent(owner) {}
    TskUIStyle UIStyle() const { return FStyle; }
    void SetUIStyle(TskUIStyle style) {
        FStyle = style;
        gLog.push_back(Name() + ".UIStyle=" + EnumName(static_cast<int>(style), UIStyleNames()));
    }
    TskFileTheme* FileTheme() const { return FTheme; }
    void SetFileTheme(TskFileTheme* theme) {
        FTheme = theme;
        gLog.push_back(Name() + ".FileTheme=" + NameOf(theme));
    }

private:
    TskUIStyle FStyle = TskUIStyle::DeepBlue;
    TskFileTheme* FTheme = nullptr;
};

const TClassInfo& TskStyleProbe::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TskStyleProbe>("TskStyleProbe", &TComponent::StaticClass())
            .Enum("UIStyle", &TskStyleProbe::UIStyle, &TskStyleProbe::SetUIStyle, UIStyleNames())
            .Prop("FileTheme", &TskStyleProbe::FileTheme, &TskStyleProbe::SetFileTheme)
            .Build();
    return info;
}

// A style held as a plain number, and no file theme at all.
class TNumberStyleProbe : public TComponent {
    XF_CLASS(TNumberStyleProbe)
public:
    explicit TNumberStyleProbe(TComponent* owner) : TComponent(owner) {}
    int Style() const { return FStyle; }
    void SetStyle(int style) {
        FStyle = style;
        gLog.push_back(Name() + ".UIStyle=" + std::to_string(style));
    }

private:
    int FStyle = 0;
};

const TClassInfo& TNumberStyleProbe::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TNumberStyleProbe>("TNumberStyleProbe", &TComponent::StaticClass())
            .Prop("UIStyle", &TNumberStyleProbe::Style, &TNumberStyleProbe::SetStyle)
            .Build();
    return info;
}

class TThemeForm : public TForm {
    XF_CLASS(TThemeForm)
public:
    explicit TThemeForm(TComponent* owner) : TForm(owner) {
        Method("StyleChanged", &TThemeForm::StyleChanged);
    }
    void StyleChanged(TObject*) { ++Changes; }
    int Changes = 0;
};

const TClassInfo& TThemeForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TThemeForm>("TThemeForm", &TForm::StaticClass()).Build();
    return info;
}

class ThemeManagerTest : public GuiTest {
protected:
    ThemeManagerTest() {
        RegisterClass(TskThemeManager::StaticClass());
        RegisterClass(TskFileTheme::StaticClass());
        RegisterClass(TskStyleProbe::StaticClass());
        gLog.clear();
        FForm = new TThemeForm(nullptr);
        FManager = new TskThemeManager(FForm);
        FManager->SetName("thm");
        FTheme = new TskFileTheme(FForm);
        FTheme->SetName("fth");
        FManager->OnUIStyleChanged = [this](TObject* sender) {
            EXPECT_EQ(sender, FManager);
            ++FChanges;
        };
    }
    ~ThemeManagerTest() override { delete FForm; }

    TskStyleProbe* Probe(const std::string& name) {
        auto* probe = new TskStyleProbe(FForm);
        probe->SetName(name);
        return probe;
    }

    TThemeForm* FForm;
    TskThemeManager* FManager;
    TskFileTheme* FTheme;
    int FChanges = 0;
};

} // namespace

TEST_F(ThemeManagerTest, StartsInDeepBlueWithNothingListed) {
    TskThemeManager manager(nullptr);
    EXPECT_EQ(manager.UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(manager.FileTheme(), nullptr);
    EXPECT_TRUE(manager.CompList().empty());
}

TEST_F(ThemeManagerTest, PushesStyleThenThemeToEachListedComponentInListOrder) {
    Probe("frmSkin");
    Probe("tviwList");
    Probe("unlisted");
    FManager->SetCompList({"TVIWLIST", "missing", "frmSkin"});
    FManager->SetFileTheme(FTheme);
    EXPECT_EQ(gLog,
              (std::vector<std::string>{"tviwList.UIStyle=DeepBlue", "tviwList.FileTheme=fth",
                                        "frmSkin.UIStyle=DeepBlue", "frmSkin.FileTheme=fth"}));
    EXPECT_EQ(FChanges, 0); // the theme setter reports no style change

    gLog.clear();
    FManager->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(gLog.size(), 4u);
    EXPECT_EQ(gLog[0], "tviwList.UIStyle=FromThemeFile");
    EXPECT_EQ(FChanges, 1);
}

TEST_F(ThemeManagerTest, ReportsOnlyAChangeButPushesEveryTime) {
    Probe("edt");
    FManager->SetCompList({"edt"});
    FManager->SetUIStyle(TskUIStyle::WinXP);
    FManager->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(FChanges, 1);
    EXPECT_EQ(gLog.size(), 4u);
    FManager->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(FChanges, 2);
}

TEST_F(ThemeManagerTest, ComponentsWithoutThePropertiesTakeWhatTheyHave) {
    auto* number = new TNumberStyleProbe(FForm);
    number->SetName("numbered");
    FManager->SetCompList({"numbered", "fth"}); // the file theme has neither property
    FManager->SetUIStyle(TskUIStyle::Protein);
    EXPECT_EQ(gLog, std::vector<std::string>{"numbered.UIStyle=4"});
    EXPECT_EQ(number->Style(), 4);
}

TEST_F(ThemeManagerTest, ManagerOutsideAFormPushesNothing) {
    TComponent owner(nullptr);
    auto* manager = new TskThemeManager(&owner);
    auto* probe = new TskStyleProbe(&owner);
    probe->SetName("probe");
    manager->SetCompList({"probe"});
    manager->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_TRUE(gLog.empty());
    EXPECT_EQ(manager->UIStyle(), TskUIStyle::WinXP);
}

TEST_F(ThemeManagerTest, ManagersListingThemselvesOrEachOtherStop) {
    auto* second = new TskThemeManager(FForm);
    second->SetName("thm2");
    Probe("edt");
    FManager->SetCompList({"thm", "thm2", "edt"});
    second->SetCompList({"thm"});
    FManager->SetUIStyle(TskUIStyle::BlueGlass);
    EXPECT_EQ(second->UIStyle(), TskUIStyle::BlueGlass);
    EXPECT_EQ(FManager->UIStyle(), TskUIStyle::BlueGlass);
    EXPECT_EQ(gLog, (std::vector<std::string>{"edt.UIStyle=BlueGlass", "edt.FileTheme=none"}));
}

TEST_F(ThemeManagerTest, DestroyedComponentLeavesTheList) {
    TskStyleProbe* edit = Probe("cmbAddr");
    Probe("tviwList");
    FManager->SetCompList({"tviwList", "CMBADDR", "other"});
    delete edit;
    EXPECT_EQ(FManager->CompList(), (std::vector<std::string>{"tviwList", "other"}));
}

TEST_F(ThemeManagerTest, LosingTheFileThemeMeansDeepBlueWithoutPushOrReport) {
    Probe("frmSkin");
    FManager->SetCompList({"frmSkin", "fth"});
    FManager->SetFileTheme(FTheme);
    FManager->SetUIStyle(TskUIStyle::FromThemeFile);
    gLog.clear();
    FChanges = 0;
    delete FTheme;
    EXPECT_EQ(FManager->FileTheme(), nullptr);
    EXPECT_EQ(FManager->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_TRUE(gLog.empty());
    EXPECT_EQ(FChanges, 0);
    EXPECT_EQ(FManager->CompList(), std::vector<std::string>{"frmSkin"});
}

TEST_F(ThemeManagerTest, FileThemeOfAnotherOwnerIsDroppedToo) {
    auto* foreign = new TskFileTheme(nullptr);
    FManager->SetFileTheme(foreign);
    FManager->SetUIStyle(TskUIStyle::FromThemeFile);
    delete foreign;
    EXPECT_EQ(FManager->FileTheme(), nullptr);
    EXPECT_EQ(FManager->UIStyle(), TskUIStyle::DeepBlue);
}

// The file theme is reported twice as it goes (as the referenced theme and
// as a sibling); its name leaves the list once all the same.
TEST_F(ThemeManagerTest, EachRemovalTakesOneNameOnly) {
    FManager->SetCompList({"fth", "dup", "fth", "dup"});
    FManager->SetFileTheme(FTheme);
    delete FTheme;
    delete Probe("dup");
    EXPECT_EQ(FManager->CompList(), (std::vector<std::string>{"fth", "dup"}));
}

TEST_F(ThemeManagerTest, LayoutPushReachesEveryListedComponentOnceReferencesResolve) {
    TThemeForm form(nullptr);
    TLayoutLoader::LoadText(&form, R"(
object FrmMain: TThemeForm
  object thmThemeManager: TskThemeManager
    UIStyle = WinXP
    FileTheme = fthFileTheme
    CompList = ('frmSkin' 'tviwList')
    OnUIStyleChanged = StyleChanged
  end
  object fthFileTheme: TskFileTheme
  end
  object frmSkin: TskStyleProbe
  end
  object tviwList: TskStyleProbe
  end
end
)",
                            "Theme.lay");
    auto* manager = dynamic_cast<TskThemeManager*>(form.FindComponent("thmThemeManager"));
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->UIStyle(), TskUIStyle::WinXP);
    EXPECT_EQ(NameOf(manager->FileTheme()), "fthFileTheme");
    EXPECT_EQ(gLog, (std::vector<std::string>{
                        "frmSkin.UIStyle=WinXP", "frmSkin.FileTheme=fthFileTheme",
                        "tviwList.UIStyle=WinXP", "tviwList.FileTheme=fthFileTheme"}));
    EXPECT_EQ(form.Changes, 0); // the style was stored before the handler was bound
    manager->SetUIStyle(TskUIStyle::DeepBlue);
    EXPECT_EQ(form.Changes, 1);
    const TValue published = GetPropValue(manager, "UIStyle");
    ASSERT_TRUE(std::holds_alternative<TIdent>(published));
    EXPECT_EQ(std::get<TIdent>(published).Name, "DeepBlue");
}

#include "AppTestSupport.h"

#include "gui/TMenuItem.h"
#include "skin/TskTabSheet.h"

using platform::TFakePage;

class TabSoundTest : public AppTest {
protected:
    TFrmMain& StartWithTwoTabs() {
        TFrmMain& form = Start();
        form.OpenTab("about:blank");
        Settle();
        return form;
    }
    std::string Caption(TFrmMain& form, const std::string& name) {
        return dynamic_cast<TMenuItem*>(form.FindComponent(name))->Caption();
    }
    void Choose(TFrmMain& form, const std::string& name) {
        dynamic_cast<TMenuItem*>(form.FindComponent(name))->Click();
        Settle();
    }
    TTabSound Sound(TFrmMain& form, int page) { return form.PclParent->PageAt(page)->Sound(); }
};

TEST_F(TabSoundTest, TheSpeakerFollowsThePageAndTheMuteOfItsOwnTab) {
    TFrmMain& form = StartWithTwoTabs();
    EngineOf(TabBrowser(0)).PlayAudio(true);
    Settle();
    EXPECT_EQ(Sound(form, 0), TTabSound::Playing);
    EXPECT_EQ(Sound(form, 1), TTabSound::None);

    // The speaker of the inactive first tab mutes that tab only.
    form.PclParent->TabSoundClick(0);
    EXPECT_TRUE(EngineOf(TabBrowser(0)).Muted());
    EXPECT_FALSE(EngineOf(TabBrowser(1)).Muted());
    EXPECT_EQ(Sound(form, 0), TTabSound::Muted);
    EXPECT_EQ(form.PclParent->ActivePageIndex(), 1);

    // A muted page that goes quiet keeps its crossed speaker; unmuted, none.
    EngineOf(TabBrowser(0)).PlayAudio(false);
    Settle();
    EXPECT_EQ(Sound(form, 0), TTabSound::Muted);
    form.PclParent->TabSoundClick(0);
    EXPECT_FALSE(EngineOf(TabBrowser(0)).Muted());
    EXPECT_EQ(Sound(form, 0), TTabSound::None);
}

TEST_F(TabSoundTest, MenuItemsMuteTheActiveTabOrAllAndSayWhatTheyWillDo) {
    TFrmMain& form = StartWithTwoTabs();
    EXPECT_EQ(Caption(form, "mnuMute"), "静音");
    EXPECT_EQ(Caption(form, "mnuMuteAll"), "全部静音");
    EXPECT_EQ(Caption(form, "mnuTabMuteAll"), "全部静音");
    Choose(form, "mnuMute");
    EXPECT_TRUE(EngineOf(TabBrowser(1)).Muted());
    EXPECT_FALSE(EngineOf(TabBrowser(0)).Muted());
    EXPECT_EQ(Caption(form, "mnuMute"), "取消静音");
    EXPECT_EQ(Caption(form, "mnuTabMute"), "取消静音");
    // Another tab active: the items speak of it.
    form.PclParent->SetActivePageIndex(0);
    Settle();
    EXPECT_EQ(Caption(form, "mnuTabMute"), "静音");

    Choose(form, "mnuTabMuteAll");
    EXPECT_TRUE(EngineOf(TabBrowser(0)).Muted());
    EXPECT_TRUE(EngineOf(TabBrowser(1)).Muted());
    EXPECT_EQ(Sound(form, 0), TTabSound::Muted);
    Choose(form, "mnuTabMute");
    EXPECT_FALSE(EngineOf(TabBrowser(0)).Muted());
    EXPECT_TRUE(EngineOf(TabBrowser(1)).Muted());
}

TEST_F(TabSoundTest, AClosedTabTakesItsSoundWithIt) {
    TFrmMain& form = StartWithTwoTabs();
    EngineOf(TabBrowser(1)).PlayAudio(true);
    Settle();
    form.N1Click(nullptr);
    Settle();
    ASSERT_EQ(form.PclParent->PageCount(), 1);
    EXPECT_EQ(Sound(form, 0), TTabSound::None);
    Choose(form, "mnuMuteAll");
    EXPECT_TRUE(EngineOf(TabBrowser(0)).Muted());
}

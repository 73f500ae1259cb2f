#include <gtest/gtest.h>

#include <vector>

#include "GuiTestSupport.h"
#include "gui/TComponent.h"

namespace {

// Counts its destruction and remembers what it was told.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, std::vector<std::string>* log, std::string tag)
        : TComponent(owner), FLog(log), FTagText(std::move(tag)) {}
    ~TProbe() override { FLog->push_back("~" + FTagText); }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove && c == FWatched) {
            FLog->push_back(FTagText + " drops " + c->Name());
            FWatched = nullptr;
        }
    }
    void Watch(TComponent* c) {
        FWatched = c;
        c->FreeNotification(this);
    }
    TComponent* Watched() const { return FWatched; }

private:
    std::vector<std::string>* FLog;
    std::string FTagText;
    TComponent* FWatched = nullptr;
};

} // namespace

TEST(Component, OwnerDestroysWhatItOwnsNewestFirst) {
    std::vector<std::string> log;
    auto* owner = new TProbe(nullptr, &log, "owner");
    new TProbe(owner, &log, "a");
    new TProbe(owner, &log, "b");
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete owner;
    EXPECT_EQ(log, (std::vector<std::string>{"~owner", "~b", "~a"}));
}

TEST(Component, NamesAreUniqueWithinOwnerAndCaseInsensitive) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    a->SetName("palTop");
    EXPECT_EQ(owner.FindComponent("PALTOP"), a);
    auto* b = new TComponent(&owner);
    EXPECT_THROW(b->SetName("paltop"), EComponentError);
    EXPECT_THROW(b->SetName("9lives"), EComponentError);
    b->SetName("palBottom");
    EXPECT_EQ(owner.FindComponent("palBottom"), b);
}

TEST(Component, FreeNotificationDropsReferenceWhenTargetGoes) {
    std::vector<std::string> log;
    TComponent root(nullptr);
    auto* holder = new TProbe(&root, &log, "holder");
    auto* target = new TComponent(nullptr); // not owned by the same tree
    target->SetName("theme");
    holder->Watch(target);
    delete target;
    EXPECT_EQ(holder->Watched(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"holder drops theme"}));
}

TEST(Component, HolderDestroyedFirstIsForgottenByTarget) {
    std::vector<std::string> log;
    auto* target = new TComponent(nullptr);
    auto* holder = new TProbe(nullptr, &log, "holder");
    holder->Watch(target);
    delete holder;
    delete target; // must not notify the freed holder (ASan would see it)
    EXPECT_EQ(log, (std::vector<std::string>{"~holder"}));
}

TEST(Component, OwnerNotifiesItsWholeTreeOfARemovedSibling) {
    std::vector<std::string> log;
    TComponent root(nullptr);
    auto* manager = new TProbe(&root, &log, "manager");
    auto* theme = new TComponent(&root);
    theme->SetName("fthFileTheme");
    manager->Watch(theme);
    delete theme;
    EXPECT_EQ(manager->Watched(), nullptr);
    EXPECT_EQ(root.ComponentCount(), 1);
}

TEST(Component, SafeRefExpiresWithItsComponent) {
    auto* c = new TComponent(nullptr);
    TSafeRef<TComponent> ref(c);
    EXPECT_EQ(ref.Get(), c);
    delete c;
    EXPECT_EQ(ref.Get(), nullptr);
}

TEST(Component, PublishedPropertiesByName) {
    TComponent c(nullptr);
    SetPropValue(&c, "Tag", TValue{int64_t{42}});
    EXPECT_EQ(c.Tag(), 42);
    EXPECT_TRUE(HasProperty(&c, "name"));
    EXPECT_FALSE(HasProperty(&c, "UIStyle"));
    EXPECT_THROW(SetPropValue(&c, "UIStyle", TValue{TIdent{"WinXP"}}), EComponentError);
    EXPECT_THROW(SetPropValue(&c, "Tag", TValue{std::string("x")}), EConvertError);
}

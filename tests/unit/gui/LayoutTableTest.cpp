#include <gtest/gtest.h>

#include <string>

#include "GuiTestSupport.h"
#include "gui/Exception.h"
#include "gui/TForm.h"
#include "gui/TLayoutLoader.h"
#include "gui/TLayoutTable.h"
#include "gui/TPanel.h"

// The loader's side of the generated layout tables: what it does with fields
// the layout leaves empty and with objects the table does not know.
namespace {

class TTableForm : public TForm {
    XF_CLASS(TTableForm)
public:
    // With `table`, the fields come through a layout table, as a generated
    // one registers them; without it, by hand.
    TTableForm(bool table, const char* extraField) : TForm(nullptr) {
        if (table) {
            TLayoutTable<TTableForm> t(*this);
            t.Field("palTop", &TTableForm::palTop);
            t.Handler("palTopClick", &TTableForm::palTopClick);
            if (extraField) t.Field(extraField, &TTableForm::palOther);
        } else {
            Field("palTop", palTop);
            Method("palTopClick", &TTableForm::palTopClick);
            if (extraField) Field(extraField, palOther);
        }
    }
    void palTopClick(TObject*) { ++Clicks; }
    TPanel* palTop = nullptr;
    TPanel* palOther = nullptr;
    int Clicks = 0;
};

const TClassInfo& TTableForm::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TTableForm>("TTableForm", &TForm::StaticClass()).Build();
    return info;
}

const char* kLayout = "object TableForm: TTableForm\n"
                      "  object palTop: TPanel\n"
                      "    OnClick = palTopClick\n"
                      "  end\n"
                      "  object palExtra: TPanel\n"
                      "  end\n"
                      "end\n";

class LayoutTableTest : public GuiTest {
protected:
    std::string LoadError(TTableForm& form, const char* text = kLayout) {
        try {
            TLayoutLoader::LoadText(&form, text, "Table.lay");
        } catch (const ELayoutError& e) {
            return e.what();
        }
        return "";
    }
};

} // namespace

TEST_F(LayoutTableTest, TableFillsFieldsAndBindsHandlers) {
    TTableForm form(true, "palExtra");
    EXPECT_EQ(LoadError(form), "");
    ASSERT_NE(form.palTop, nullptr);
    EXPECT_EQ(form.palOther, form.FindComponent("palExtra"));
    form.palTop->Click();
    EXPECT_EQ(form.Clicks, 1);
}

// A misspelt field name once stayed null without a word; now the load fails
// at the window's line, whichever way the field was registered.
TEST_F(LayoutTableTest, RegisteredFieldTheLayoutNeverFilledFailsTheLoad) {
    for (bool table : {false, true}) {
        TTableForm form(table, "palExtrra");
        std::string error = LoadError(form, table ? "object TableForm: TTableForm\n"
                                                    "  object palTop: TPanel\n"
                                                    "  end\n"
                                                    "end\n"
                                                  : kLayout);
        EXPECT_EQ(error,
                  "Table.lay:1: field palExtrra of TTableForm is filled by no object of the layout")
            << "table: " << table;
        // Nothing is left half-loaded.
        EXPECT_FALSE(form.IsLoading());
        EXPECT_FALSE(form.palTop->IsLoading());
    }
}

TEST_F(LayoutTableTest, ObjectWithoutFieldFailsOnlyUnderATable) {
    TTableForm byHand(false, nullptr);
    EXPECT_EQ(LoadError(byHand), "");
    EXPECT_NE(byHand.FindComponent("palExtra"), nullptr);

    TTableForm generated(true, nullptr);
    EXPECT_EQ(LoadError(generated), "Table.lay:5: TTableForm has no field palExtra: its layout "
                                    "table was generated from another layout");
}

TEST_F(LayoutTableTest, FieldNamesMatchObjectsWithoutRegardToCase) {
    TTableForm form(true, "PALEXTRA");
    EXPECT_EQ(LoadError(form), "");
    EXPECT_EQ(form.palOther, form.FindComponent("palExtra"));
}

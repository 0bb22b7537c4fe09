// tests/records/data_ctl_colours_test.cpp: the read-only look of the data controls, read back from
// the rendered host window: the owner's read-only brush behind the text, grey text and the arrow
// cursor in the text edits, the number edit's usual look.
#include "records/datactl/data_ctl_edit.h"
#include "tests/records/data_ctl_fixture.h"

#include "database/dictionary/field_ids.h"
#include "platform/ui/drawing/brush.h"
#include "platform/ui/windows/sys_metrics.h"

#include <cstdlib>

namespace {

using records_test::DataCtlTest;

constexpr COLORREF kReadOnlyBack = RGB(255, 224, 160);

struct Look {
    int back = 0;  // pixels in the read-only colour
    int black = 0; // text in the usual colour, or near it
    int grey = 0;  // text in the grey-text colour, or near it
};

bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) < 0x20 &&
           std::abs(GetGValue(a) - GetGValue(b)) < 0x20 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 0x20;
}

Look LookOf(const TestHooks::Image& image, const CRect& rect)
{
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    Look look;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF pixel = image.Pixel(x, y);
            look.back += pixel == kReadOnlyBack;
            look.black += Near(pixel, RGB(0, 0, 0));
            look.grey += Near(pixel, grey);
        }
    }
    return look;
}

TEST_F(DataCtlTest, ReadOnlyControlsPaintOnTheReadOnlyBrushAndTextEditsGreyTheirText)
{
    CIndRec* person = NewIndividual(SEX_FEMALE, "Mary /Jones/");
    const auto [date, age] = AddBirth(person);
    CDataNode* afn = SetField(person, "AFN", "HHHHHHHH");
    CDataNode* address = NewRecord(record_test::kRepo)->CreateChildByTag("ADDR");
    address->SetText("HHHHHHHH");
    CFamRec* family = NewFamily();
    CDataNode* children = family->CreateChildByTag("NCHI");
    children->SetText("1111111");
    NotifyChanges();

    struct Row {
        CDataNode* field;
        bool onBrush; // the read-only colour shows behind the text
        bool greyText;
    };
    const Row rows[] = {
        {afn, true, true},                                    // text edit
        {person->FindChild(nullptr, FIELD_NAME), true, true}, // name edit
        {children, false, false}, // the number edit keeps its usual look
        {address, true, false},   // multi-line
        {date, true, false},
        {age, true, false},
    };
    const CBrush brush(kReadOnlyBack);
    const CRect rect(10, 10, 300, 31);
    for (const Row& row : rows) {
        ASSERT_NE(row.field, nullptr);
        const std::string tag = row.field->GetFieldDef()->GetTag();
        CDataCtl* control = Show(row.field, 0, rect);
        ASSERT_NE(control, nullptr) << tag;
        control->SetUserValues(brush.GetSafeHandle(), kReadOnlyBack);
        control->SelectValueText(0, 0); // the text shows in its own colour, not selected
        Leave();

        // Editable, the brush stays unused.
        Look look = LookOf(TestHooks::RenderWindow(m_host), rect);
        EXPECT_EQ(look.back, 0) << tag;
        EXPECT_GT(look.black, 0) << tag;

        control->SetReadOnly(TRUE);
        look = LookOf(TestHooks::RenderWindow(m_host), rect);
        EXPECT_EQ(look.back > rect.Width() * rect.Height() / 3, row.onBrush) << tag;
        EXPECT_EQ(look.grey > 0 && look.black == 0, row.greyText) << tag;

        control->SetReadOnly(FALSE);
        EXPECT_EQ(LookOf(TestHooks::RenderWindow(m_host), rect).back, 0) << tag;
        control->DestroyCtl(FALSE);
    }
}

TEST_F(DataCtlTest, AFieldThatTheProgramWritesItselfOpensReadOnly)
{
    CRecordNode* header = NewRecord(record_test::kHead);
    CDataNode* file = SetField(header, "FILE", "tree.ged");
    CDataNode* destination = SetField(header, "DEST", "Elsewhere");
    NotifyChanges();
    ASSERT_TRUE(file->GetFieldDef()->IsReadOnly());
    CDataCtl* control = Show(file);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->IsReadOnly());
    EXPECT_EQ(Text(&control->GetWnd()), "tree.ged");
    control->DestroyCtl(FALSE);
    control = Show(destination);
    EXPECT_FALSE(control->IsReadOnly());
    control->DestroyCtl(FALSE);
}

TEST_F(DataCtlTest, AReadOnlyTextEditShowsTheArrowCursorAndTheNumberEditKeepsItsOwn)
{
    CIndRec* person = NewIndividual(SEX_FEMALE, "Mary /Jones/");
    CDataNode* afn = SetField(person, "AFN", "A1");
    CDataNode* children = NewFamily()->CreateChildByTag("NCHI");
    children->SetText("2");
    NotifyChanges();

    CDataCtl* text = Show(afn);
    text->SetReadOnly(TRUE);
    EXPECT_EQ(text->GetWnd().GetWindowCursor(), LoadStandardCursor(IDC_ARROW));
    text->SetReadOnly(FALSE);
    EXPECT_EQ(text->GetWnd().GetWindowCursor(), nullptr);
    text->DestroyCtl(FALSE);

    CDataCtl* number = Show(children);
    number->SetReadOnly(TRUE);
    EXPECT_EQ(number->GetWnd().GetWindowCursor(), nullptr);
    number->DestroyCtl(FALSE);
}

} // namespace

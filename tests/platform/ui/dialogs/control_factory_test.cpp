// tests/platform/ui/dialogs/control_factory_test.cpp: the controls a template makes: their classes,
// their rectangles in pixels, classes the program registers, and the links the template order
// decides.
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/control_factory.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/list_box.h"
#include "platform/ui/dialogs/list_ctrl.h"
#include "platform/ui/dialogs/progress_ctrl.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/dialogs/static.h"
#include "platform/ui/dialogs/tab_ctrl.h"
#include "tests/platform/ui/dialogs/dialog_fixture.h"

#include <typeinfo>

namespace {

using dialog_test::DialogResources;

/// The window of the test's own registered class.
class SampleWnd : public CWnd {
public:
    std::string m_madeWith;
};

void RegisterSample()
{
    RegisterControlClass("Av_Test_Sample", [](const DialogItemTemplate& item, const CRect& rect,
                                              CWnd& parent) {
        auto sample = std::make_unique<SampleWnd>();
        if (!sample->Create(nullptr, item.text.c_str(), item.style, rect, &parent, UINT(item.id)))
            return std::unique_ptr<CWnd>();
        sample->m_madeWith = item.text;
        return std::unique_ptr<CWnd>(std::move(sample));
    });
}

/// The control's rectangle in the dialog's client coordinates.
CRect PlaceOf(CDialog& dialog, int id)
{
    CRect rect;
    dialog.GetDlgItem(id)->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

class ControlFactoryTest : public DialogResources {};

TEST_F(ControlFactoryTest, EachItemGetsTheControlOfItsClass)
{
    RegisterSample();
    CDialog dialog(100);
    ASSERT_TRUE(dialog.Create(100));
    struct Case {
        int id;
        const std::type_info& type;
    };
    const Case cases[] = {
        {101, typeid(CStatic)},       {102, typeid(CEdit)},      {103, typeid(CListBox)},
        {104, typeid(CComboBox)},     {105, typeid(CListCtrl)},  {106, typeid(CTabCtrl)},
        {107, typeid(CProgressCtrl)}, {108, typeid(CScrollBar)}, {109, typeid(SampleWnd)},
        {1, typeid(CButton)},
    };
    for (const Case& c : cases) {
        CWnd* control = dialog.GetDlgItem(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_EQ(typeid(*control), c.type) << c.id;
    }
    EXPECT_EQ(static_cast<SampleWnd*>(dialog.GetDlgItem(109))->m_madeWith, "Sample");
}

TEST_F(ControlFactoryTest, ControlsSitAtTheirTemplateRectanglesInPixels)
{
    RegisterSample();
    CDialog dialog(100);
    ASSERT_TRUE(dialog.Create(100));
    // "MS Sans Serif" 8 has base units 6 x 12: x * 6 / 4, y * 12 / 8, each edge truncated.
    struct Case {
        int id;
        CRect pixels;
    };
    const Case cases[] = {
        {1, {112, 153, 187, 174}}, // 75, 102, 50 x 14: the 75 x 21 button
        {2, {193, 153, 268, 174}},  {102, {87, 10, 268, 31}}, // 58, 7, 121 x 14
        {103, {10, 39, 130, 99}},                             // 7, 26, 80 x 40
        {105, {10, 105, 130, 150}},                           // 7, 70, 80 x 30
        {106, {142, 66, 268, 111}},                           // 95, 44, 84 x 30
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOf(dialog, c.id), c.pixels) << c.id;
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 279, 180));
    RECT units{0, 0, 50, 14};
    dialog.MapDialogRect(&units);
    EXPECT_EQ(CRect(units), CRect(0, 0, 75, 21));
}

TEST_F(ControlFactoryTest, ComboBoxKeepsItsOwnHeightWithTheTemplateWidth)
{
    CDialog dialog(100);
    RegisterSample();
    ASSERT_TRUE(dialog.Create(100));
    const CRect combo = PlaceOf(dialog, 104); // 95, 26, 84 x 60: 60 is the dropped height
    EXPECT_EQ(combo.left, 142);
    EXPECT_EQ(combo.top, 39);
    EXPECT_EQ(combo.Width(), 126);
    EXPECT_LT(combo.Height(), 40);
}

TEST_F(ControlFactoryTest, UnknownClassFailsTheDialog)
{
    CDialog dialog(110);
    EXPECT_FALSE(dialog.Create(110));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    CDialog missing(9999);
    EXPECT_FALSE(missing.Create(9999));
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(ControlFactoryTest, LabelKeyMovesTheFocusToTheNextTabStop)
{
    RegisterSample();
    CDialog dialog(100);
    ASSERT_TRUE(dialog.Create(100));
    dialog.ShowWindow(SW_SHOW);
    dialog.GetDlgItem(103)->SetFocus();
    std::string label;
    dialog.GetDlgItemText(101, label);
    EXPECT_EQ(label, "&Name:"); // the text keeps its "&"
    TestHooks::PostKey(dialog, 'N', MK_ALT);
    TestHooks::DeliverPosted();
    EXPECT_EQ(CWnd::GetFocus(), dialog.GetDlgItem(102));
}

} // namespace

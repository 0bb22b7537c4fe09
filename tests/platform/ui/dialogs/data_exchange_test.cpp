// tests/platform/ui/dialogs/data_exchange_test.cpp: values shown in controls and read back, and the
// checks that refuse a text with the layer's fixed messages.
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/data_exchange.h"
#include "tests/platform/ui/dialogs/dialog_fixture.h"

namespace {

using dialog_test::DialogResources;

/// Every kind of exchange over template 200.
class ExchangeDialog : public CDialog {
public:
    ExchangeDialog() : CDialog(200) {}

    std::string m_name;
    int m_years = 0;
    double m_ratio = 0;
    BOOL m_cleanup = FALSE;
    int m_size = 0;
    int m_drag = 0;
    int m_kind = 0;
    std::string m_place;
    UINT m_minimum = 0;

protected:
    BOOL OnInitDialog() override
    {
        auto* kinds = static_cast<CComboBox*>(GetDlgItem(205));
        for (const char* kind : {"Individual", "Family", "Source"})
            kinds->AddString(kind);
        auto* places = static_cast<CComboBox*>(GetDlgItem(206));
        for (const char* place : {"york", "Bath", "Ayr"})
            places->AddString(place);
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange& dx) override
    {
        dx.Text(201, m_name);
        dx.Text(202, m_years);
        dx.Range(m_years, -5, 100);
        dx.Text(203, m_ratio);
        dx.Check(204, m_cleanup);
        dx.Radio(211, m_size);
        dx.Radio(221, m_drag);
        dx.ComboIndex(205, m_kind);
        dx.ComboText(206, m_place);
    }
};

class DataExchangeTest : public DialogResources {
protected:
    void SetUp() override
    {
        DialogResources::SetUp();
        ASSERT_TRUE(m_dialog.Create(200));
    }

    std::string Shown(int id)
    {
        std::string text;
        m_dialog.GetDlgItemText(id, text);
        return text;
    }

    ExchangeDialog m_dialog;
};

TEST_F(DataExchangeTest, ValuesRoundTripThroughTheControls)
{
    m_dialog.m_name = "Ann Lee";
    m_dialog.m_years = -3;
    m_dialog.m_ratio = 0.125;
    m_dialog.m_cleanup = TRUE;
    m_dialog.m_size = 2;
    m_dialog.m_drag = -1;
    m_dialog.m_kind = 1;
    m_dialog.m_place = "bath";
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(Shown(201), "Ann Lee");
    EXPECT_EQ(Shown(202), "-3");
    EXPECT_EQ(Shown(203), "0.125");
    EXPECT_EQ(m_dialog.IsDlgButtonChecked(204), BST_CHECKED);
    EXPECT_EQ(m_dialog.GetCheckedRadioButton(211, 213), 213); // the third radio of its group
    EXPECT_EQ(m_dialog.GetCheckedRadioButton(221, 222), 0);
    EXPECT_EQ(Shown(206), "Bath"); // the sorted list's item that begins with the text

    m_dialog.m_name.clear();
    m_dialog.m_years = 0;
    m_dialog.m_ratio = 0;
    m_dialog.m_cleanup = FALSE;
    m_dialog.m_size = 0;
    m_dialog.m_drag = 5;
    m_dialog.m_kind = 0;
    m_dialog.m_place.clear();
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(m_dialog.m_name, "Ann Lee");
    EXPECT_EQ(m_dialog.m_years, -3);
    EXPECT_DOUBLE_EQ(m_dialog.m_ratio, 0.125);
    EXPECT_EQ(m_dialog.m_cleanup, TRUE);
    EXPECT_EQ(m_dialog.m_size, 2);
    EXPECT_EQ(m_dialog.m_drag, -1);
    EXPECT_EQ(m_dialog.m_kind, 1);
    EXPECT_EQ(m_dialog.m_place, "Bath");
}

TEST_F(DataExchangeTest, ComboTextWithoutAMatchingItemGoesIntoTheEdit)
{
    m_dialog.m_place = "Leeds";
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    EXPECT_EQ(Shown(206), "Leeds");
    ASSERT_TRUE(m_dialog.UpdateData(TRUE));
    EXPECT_EQ(m_dialog.m_place, "Leeds");
}

struct Refusal {
    const char* name;
    int id;
    const char* text;
    const char* message;
};

class DataExchangeRefusal : public DataExchangeTest, public testing::WithParamInterface<Refusal> {};

TEST_P(DataExchangeRefusal, ShowsTheMessageAndFocusesTheControl)
{
    const Refusal& c = GetParam();
    m_dialog.ShowWindow(SW_SHOW);
    ASSERT_TRUE(m_dialog.UpdateData(FALSE));
    m_dialog.SetDlgItemText(c.id, c.text);
    const int years = m_dialog.m_years;
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_FALSE(m_dialog.UpdateData(TRUE));
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, c.message);
    EXPECT_EQ(shown[0].style & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_EQ(CWnd::GetFocus(), m_dialog.GetDlgItem(c.id));
    if (c.id != 202) {
        EXPECT_EQ(m_dialog.m_years, years);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DataExchangeRefusal,
    testing::Values(Refusal{"Letters", 202, "12a", "Enter a whole number."},
                    Refusal{"Empty", 202, "", "Enter a whole number."},
                    Refusal{"TooLargeForInt", 202, "3000000000", "Enter a whole number."},
                    Refusal{"AboveRange", 202, "101", "Enter a whole number from -5 to 100."},
                    Refusal{"BelowRange", 202, "-6", "Enter a whole number from -5 to 100."},
                    Refusal{"NotANumber", 203, "1.2.3", "Enter a number."}),
    [](const testing::TestParamInfo<Refusal>& info) { return info.param.name; });

/// An unsigned number with its own range.
class UnsignedDialog : public CDialog {
public:
    UnsignedDialog() : CDialog(200) {}
    UINT m_value = 5;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        dx.Text(202, m_value);
        dx.Range(m_value, 1u, 4000000000u);
    }
};

TEST_F(DataExchangeTest, UnsignedNumbersTakeNoSign)
{
    UnsignedDialog dialog;
    ASSERT_TRUE(dialog.Create(200));
    struct Case {
        const char* text;
        bool accepted;
        UINT value;
        const char* message;
    };
    const Case cases[] = {
        {"4000000000", true, 4000000000u, nullptr},
        {"+7", true, 7, nullptr},
        {"-1", false, 0, "Enter a whole number."},
        {"0", false, 0, "Enter a whole number from 1 to 4000000000."},
    };
    for (const Case& c : cases) {
        dialog.SetDlgItemText(202, c.text);
        if (!c.accepted)
            TestHooks::AnswerMessageBox(IDOK);
        EXPECT_EQ(dialog.UpdateData(TRUE), c.accepted ? TRUE : FALSE) << c.text;
        const auto shown = TestHooks::TakeMessages();
        if (c.accepted) {
            EXPECT_EQ(dialog.m_value, c.value) << c.text;
            EXPECT_TRUE(shown.empty()) << c.text;
        } else {
            ASSERT_EQ(shown.size(), 1u) << c.text;
            EXPECT_EQ(shown[0].text, c.message);
        }
    }
}

} // namespace

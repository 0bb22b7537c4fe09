// records/datactl/data_ctl_date.h: the date and age data controls: an edit beside a button that
// opens the Date or Age Entry Assistant.
#pragma once

#include "controls/value_inputs.h"
#include "database/dates/date_data.h"
#include "database/fields/age_node.h"
#include "records/datactl/data_ctl_box.h"

/// A date (window text "AV_DataCtlDate"; button id+1, edit id+2). Once the edit loses the focus
/// its text is read as a date (text that is no date becomes a date phrase) and shown again in
/// the display form: LONG, or COMPACT when the control was made with creation flags. In the
/// value editors' single-date mode text that is not a date stays as typed, and the assistant
/// offers its Date page alone.
class CDataCtlDate final : public CDataCtlBox, public IDateInput {
public:
    /// The flags bit of the compact display form.
    static constexpr DWORD kCompactForm = 0x2;

    CDataCtlDate() = default;
    ~CDataCtlDate() override { EndWindow(); }

    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags) override;
    void Clear() override { SetValueText(""); }
    void SetReadOnly(BOOL readOnly) override { SetEditAndButtonReadOnly(readOnly); }
    bool UsesCompactDates() const override { return (m_dateFlags & kCompactForm) != 0; }

    /// Shows a simple date with the value (nothing for none).
    void SetDate(const CDateValue* value);
    /// Reads the text; when it is a date shows it again in display form. The first value when
    /// it is one date (simple, approximate or interpreted).
    std::optional<CDateValue> Reformat();
    /// Shows date in display form (empty text for no date).
    void ApplyAssistantResult(const CDateData& date);
    /// The assistant button: the Date Entry Assistant opened on the page for the date typed;
    /// on OK its date is shown and stored.
    void OnDateAssistant();
    void SetSingleDateMode(bool on) { m_singleDate = on; }

    // IDateInput, for the date value editor.
    CWnd& GetInputWnd() override { return *this; }
    void SetDateValue(const CDateValue* value) override { SetDate(value); }
    bool IsInputEmpty() override { return IsEmpty() != FALSE; }
    bool ReformatDate(CDateValue* single) override;

protected:
    void OnEditKillFocus(CWnd* next) override;
    void OnButton(int /*index*/) override { OnDateAssistant(); }

private:
    /// The edit's text read into the scratch date; false (the scratch empty) when single-date
    /// mode refuses it.
    bool ParseText();
    void ShowScratch();
    /// The text read as a date (text that is no date becomes a date phrase) and shown again in
    /// display form; the edit losing the focus does it.
    void NormalizeText();

    DWORD m_dateFlags = 0;
    CDateData m_scratch;
    bool m_singleDate = false;
};

/// An age (window text "AV_DataCtlAge"; button id+1, edit id+2). Once the edit loses the focus
/// its text is read as an age and shown again in the age's own form.
class CDataCtlAge final : public CDataCtlBox {
public:
    CDataCtlAge() = default;
    ~CDataCtlAge() override { EndWindow(); }

    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags) override;
    void Clear() override { SetValueText(""); }
    void SetReadOnly(BOOL readOnly) override { SetEditAndButtonReadOnly(readOnly); }

    /// Shows the age in its own text form.
    void SetAge(const CAgeValue& age);
    /// The button: the Age Entry Assistant on the age typed; on OK its age is shown and stored.
    void OnAgeAssistant();

protected:
    void OnEditKillFocus(CWnd* next) override;
    void OnButton(int /*index*/) override { OnAgeAssistant(); }

private:
    CAgeNode m_scratch;
};

/// Makes a date control in single-date mode for a date value editor.
std::unique_ptr<IDateInput> MakeDateInput(CWnd& parent, const RECT& rect, UINT id);

// controls/value_editor.h: small child windows that each edit one typed value behind a label,
// one per query parameter, made by one factory for the kind of value.
#pragma once

#include "controls/dialog_template_builder.h"
#include "controls/value_inputs.h"
#include "database/paths/data_path.h"
#include "platform/base/log_font.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/windows/wnd.h"
#include "queries/typed_value.h"

#include <memory>
#include <string>
#include <vector>

class CFieldDef;

/// The extended style that lets Tab move into a window's own controls.
inline constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;

/// The child id every editor gets; the owner tells its editors apart by their order.
inline constexpr UINT VALUE_EDITOR_ID = 291;
// The controls of the editors' templates.
inline constexpr int VALUE_EDITOR_LABEL_ID = 1176;
inline constexpr int VALUE_EDITOR_EDIT_ID = 1178;
inline constexpr int VALUE_EDITOR_COMBO_ID = 1179;
inline constexpr int VALUE_EDITOR_PLACEHOLDER_ID = 1021;
/// The input control a date or record editor places over its placeholder.
inline constexpr int VALUE_EDITOR_INPUT_ID = 4001;
// The templates, one per kind of value.
inline constexpr UINT VALUE_EDITOR_TEXT_TEMPLATE = 218;
inline constexpr UINT VALUE_EDITOR_RECORD_TEMPLATE = 219;
inline constexpr UINT VALUE_EDITOR_NUMBER_TEMPLATE = 220;
inline constexpr UINT VALUE_EDITOR_CHOICE_TEMPLATE = 221;
inline constexpr UINT VALUE_EDITOR_DATE_TEMPLATE = 222;

/// One line of a parameter dialog: a right-aligned label and an input control, laid out by the
/// editor's template with its parent's font. The window's top-left stays at 0,0 and its size is
/// the template's; the owner moves it into place. The owner asks Validate before it accepts
/// the dialog, then GetValue, and deletes the editor.
class CValueEditor : public CWnd {
public:
    ~CValueEditor() override;

    /// Shows label and ":" and fills the input from value and the field definition (the
    /// choices of an enumeration, the record type of a record).
    virtual void Init(int kind, const CFieldDef* def, const CTypedValue& value,
                      const std::string& label) = 0;
    /// True when the input can be taken; otherwise says why in a message box, puts the focus
    /// on the input and answers false.
    virtual bool Validate() = 0;
    /// Stores the input into value.
    virtual void GetValue(CTypedValue& value) = 0;

    /// The control that takes the input (and the focus given to the editor).
    virtual CWnd* GetInputControl() = 0;
    /// The font the template was measured and laid out with: the parent dialog's.
    const LOGFONT& GetEditorFont() const { return m_font; }

protected:
    explicit CValueEditor(UINT templateId) : m_templateId(templateId) {}

    /// Builds the template's controls; -1 when the template is missing or a control fails.
    int OnCreate(CREATESTRUCT* createStruct) override;
    /// The editor stands on a dialog: its face, not the window colour, shows round its controls.
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSetFocus(CWnd* oldWnd) override;
    /// Called once the template's controls exist; false fails the window's creation.
    virtual bool OnControlsCreated(const CDlgTemplateBuilder& /*builder*/) { return true; }

    void SetLabel(const std::string& label);
    /// The pixel rectangle of the template's placeholder, where an input control is placed.
    CRect PlaceholderRect(const CDlgTemplateBuilder& builder) const;
    /// Makes the installed input of its kind over the placeholder; input stays null when no
    /// factory is installed. False when the installed factory fails.
    template <class Input>
    bool MakeInstalledInput(const CDlgTemplateBuilder& builder, std::unique_ptr<Input>& input)
    {
        const InputFactory<Input> factory = InstalledInputFactory<Input>();
        if (!factory)
            return true;
        input = factory(*this, PlaceholderRect(builder), VALUE_EDITOR_INPUT_ID);
        return input != nullptr;
    }
    /// Shows message, gives control the focus and answers false.
    static bool Refuse(const std::string& message, CWnd& control);

private:
    UINT m_templateId;
    LOGFONT m_font{};
    std::vector<std::unique_ptr<CWnd>> m_controls;
};

/// A TEXT value in an automatically scrolling edit.
class CTextValueEditor final : public CValueEditor {
public:
    CTextValueEditor() : CValueEditor(VALUE_EDITOR_TEXT_TEMPLATE) {}
    void Init(int kind, const CFieldDef* def, const CTypedValue& value,
              const std::string& label) override;
    bool Validate() override;
    void GetValue(CTypedValue& value) override;
    CWnd* GetInputControl() override;
};

/// A MMDD or SPAN value, typed in the form it is shown: a month and day "12/25", a length of
/// time "2 years 6 months 0 days". Text in neither form is refused, never read as something
/// else.
class CFormValueEditor final : public CValueEditor {
public:
    CFormValueEditor() : CValueEditor(VALUE_EDITOR_TEXT_TEMPLATE) {}
    void Init(int kind, const CFieldDef* def, const CTypedValue& value,
              const std::string& label) override;
    bool Validate() override;
    /// The value read from the input; NONE when it does not read.
    void GetValue(CTypedValue& value) override;
    CWnd* GetInputControl() override;

private:
    bool Read(CTypedValue& value);

    int m_kind = TV_MMDD;
};

/// A NUMBER value in an edit that takes digits only.
class CNumberValueEditor final : public CValueEditor {
public:
    CNumberValueEditor() : CValueEditor(VALUE_EDITOR_NUMBER_TEMPLATE) {}
    void Init(int kind, const CFieldDef* def, const CTypedValue& value,
              const std::string& label) override;
    bool Validate() override;
    /// The leading digits as a number, held to the range of a 32-bit number; 0 without digits.
    void GetValue(CTypedValue& value) override;
    CWnd* GetInputControl() override;
};

/// An ENUM value: the index of one of the definition's enumerated values in a drop-down list.
class CChoiceValueEditor final : public CValueEditor {
public:
    CChoiceValueEditor() : CValueEditor(VALUE_EDITOR_CHOICE_TEMPLATE) {}
    void Init(int kind, const CFieldDef* def, const CTypedValue& value,
              const std::string& label) override;
    bool Validate() override;
    void GetValue(CTypedValue& value) override;
    CWnd* GetInputControl() override;
};

/// A DATE value: one date, typed in any form the date grammar reads and shown in its standard
/// form once the input loses the focus. Ranges, periods and phrases are not dates here. The
/// input is the installed date input (the date control with its assistant button), else a
/// plain edit.
class CDateValueEditor final : public CValueEditor {
public:
    CDateValueEditor() : CValueEditor(VALUE_EDITOR_DATE_TEMPLATE) {}
    void Init(int kind, const CFieldDef* def, const CTypedValue& value,
              const std::string& label) override;
    bool Validate() override;
    /// The date when the input holds a simple, approximate or interpreted date, else NONE.
    void GetValue(CTypedValue& value) override;
    CWnd* GetInputControl() override;

    /// Reads the input; when it is a date, shows it again in standard form. True, with the
    /// first date value in single (when given), when it is one date.
    bool Reformat(CDateValue* single);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnControlsCreated(const CDlgTemplateBuilder& builder) override;

private:
    std::unique_ptr<IDateInput> m_dateInput;
    CEdit m_input;
};

/// A RECORD value: one record of the definition's record type, chosen from a drop-down list of
/// every record of that type: the installed record input (the drop-down record chooser), else a
/// drop-down combo box.
class CRecordValueEditor final : public CValueEditor {
public:
    CRecordValueEditor() : CValueEditor(VALUE_EDITOR_RECORD_TEMPLATE) {}
    /// def is the top definition of the record type offered; the input's data path names it.
    void Init(int kind, const CFieldDef* def, const CTypedValue& value,
              const std::string& label) override;
    bool Validate() override;
    /// The chosen record; NONE when none is chosen.
    void GetValue(CTypedValue& value) override;
    CWnd* GetInputControl() override;

    /// The one-step path to the record type the input offers.
    const CDataPath& GetDataPath() const { return m_path; }

protected:
    bool OnControlsCreated(const CDlgTemplateBuilder& builder) override;

private:
    std::unique_ptr<IRecordInput> m_recordInput;
    CComboBox m_input;
    CDataPath m_path;
};

/// Makes the editor for a kind of value (a CTypedValue type code: 1 text, 2 date, 3 number,
/// 5 record, 6 enumeration, 8 month and day, 9 length of time) as a hidden child of parent, with
/// the window name "Editor" and child id 291, and runs Init with the other arguments. Null for any
/// other kind and when the window cannot be made.
std::unique_ptr<CValueEditor> CreateValueEditor(CWnd* parent, int kind, const CFieldDef* def,
                                                const CTypedValue& value, const std::string& label);

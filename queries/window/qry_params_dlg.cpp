// queries/window/qry_params_dlg.cpp: collecting a query's parameters into shared editors, laying
// the editors out, and storing the values typed.
#include "queries/window/qry_params_dlg.h"

#include "controls/dlg_layout.h"
#include "controls/value_editor.h"
#include "platform/base/abandon.h"
#include "platform/base/prompt.h"
#include "platform/ui/windows/app.h"
#include "queries/expression.h"
#include "queries/query_def.h"
#include "queries/query_filter.h"

namespace {

constexpr int kGapAtBottom = 1175, kGapBetween = 1176, kFirstEditor = 1177;

CExpression* ExpressionOf(const CDataRef* ref)
{
    return ref && ref->GetKind() == DATAREF_EXPRESSION
               ? dynamic_cast<CExpression*>(ref->GetExpression())
               : nullptr;
}

CRect ItemRect(CDialog& dialog, int id)
{
    CWnd* item = dialog.GetDlgItem(id);
    return item ? PlaceInParent(*item) : CRect();
}

class CParameterDialog final : public IQueryParameterDialog {
public:
    bool AskParameters(CQueryDef& query) override
    {
        CQryParamsDlg dialog(AfxGetMainWnd(), query);
        return dialog.DoModal() == IDOK;
    }
};

} // namespace

CQryParamsDlg::~CQryParamsDlg() = default;

bool CQryParamsDlg::AddTarget(int type, const CFieldDef* subType, const CTypedValue& value,
                              const std::string& label, Target target)
{
    for (std::size_t i = 0; i < m_editors.size(); ++i) {
        const Editor& editor = m_editors[i];
        if (editor.type == type && editor.subType == subType && editor.label == label) {
            target.editor = i;
            m_targets.push_back(target);
            return true;
        }
    }
    std::unique_ptr<CValueEditor> made = CreateValueEditor(this, type, subType, value, label);
    if (!made)
        return false;
    target.editor = m_editors.size();
    m_editors.push_back({std::move(made), type, subType, label});
    m_targets.push_back(target);
    return true;
}

void CQryParamsDlg::CollectExpression(CExpression* expression, bool& failed)
{
    if (!expression)
        return;
    int n = 0;
    for (int i = 0; i < expression->GetArgCount(); ++i) {
        const CExprArg& arg = expression->GetArg(i);
        if (!arg.m_isParameter)
            continue;
        CParameterPrompt prompt;
        try {
            GetExprParameterPrompt(arg, prompt);
        } catch (...) {
            CauseOfAbandon();
            failed = true;
            ++n;
            continue;
        }
        if (!AddTarget(prompt.m_type, prompt.m_context, prompt.m_value, prompt.m_label,
                       {0, nullptr, expression, n}))
            failed = true;
        ++n;
    }
}

BOOL CQryParamsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    bool failed = false;
    for (CQueryHeading* heading : {&m_query.Title(), &m_query.Subtitle()})
        if (IHeadingTemplate* compiled = heading->GetCompiled())
            for (CDataRef* ref : compiled->GetFunctions())
                CollectExpression(ExpressionOf(ref), failed);
    for (const auto& column : m_query.GetColumns())
        CollectExpression(ExpressionOf(&column->m_ref), failed);
    for (int i = 0; i < m_query.GetFilterCount(); ++i) {
        CAvFilter* filter = m_query.GetFilter(i);
        CParameterPrompt prompt;
        if (filter->IsParameter() && filter->GetParameterPrompt(prompt) &&
            !AddTarget(prompt.m_type, prompt.m_context, prompt.m_value, prompt.m_label,
                       {0, filter, nullptr, 0}))
            failed = true;
        CollectExpression(ExpressionOf(filter->GetDataRef()), failed);
    }
    LayOut();
    if (failed)
        MessageBox("An error has occurred.  Some filters may not work correctly.");
    if (!m_editors.empty()) {
        GotoDlgCtrl(m_editors.front().editor->GetInputControl());
        return FALSE;
    }
    return TRUE;
}

void CQryParamsDlg::LayOut()
{
    const CRect first = ItemRect(*this, kFirstEditor);
    const int gap = ItemRect(*this, kGapBetween).Height();
    const int bottomGap = ItemRect(*this, kGapAtBottom).Height();
    int y = first.top;
    int right = 0;
    for (Editor& editor : m_editors) {
        CRect size;
        editor.editor->GetWindowRect(&size);
        editor.editor->MoveWindow(first.left, y, size.Width(), size.Height());
        editor.editor->ShowWindow(SW_SHOW);
        right = std::max(right, int(first.left + size.Width()));
        y += size.Height() + gap;
    }
    const int buttonsTop = (m_editors.empty() ? first.top : y - gap) + gap + bottomGap;
    int buttonsBottom = buttonsTop;
    for (int id : {IDOK, IDCANCEL})
        if (CWnd* button = GetDlgItem(id)) {
            const CRect place = PlaceInParent(*button);
            button->MoveWindow(place.left, buttonsTop, place.Width(), place.Height());
            buttonsBottom = buttonsTop + place.Height();
            right = std::max(right, int(place.right));
        }
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    const int width = std::max(int(client.Width()), right + int(first.left));
    MoveWindow(window.left, window.top, window.Width() - client.Width() + width,
               window.Height() - client.Height() + buttonsBottom + bottomGap);
}

void CQryParamsDlg::OnOK()
{
    for (Editor& editor : m_editors)
        if (!editor.editor->Validate())
            return;
    try {
        for (const Target& target : m_targets) {
            CTypedValue value;
            m_editors[target.editor].editor->GetValue(value);
            if (target.filter)
                target.filter->SetParameter(value);
            else if (target.expression)
                target.expression->SetParameterValue(target.parameter, value);
        }
    } catch (...) {
        CauseOfAbandon();
        MessageBox("An error has occurred, possibly due to insufficient memory.");
        return;
    }
    EndDialog(IDOK);
}

void InstallQueryParameterDialog()
{
    static CParameterDialog dialog;
    SetQueryParameterDialog(&dialog);
}

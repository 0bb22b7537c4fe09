// queries/window/qry_params_dlg.h: the dialog that asks for a query's run-time parameters: one
// value editor per distinct question, whose value reaches every parameter that asks it.
#pragma once

#include "controls/value_editor.h"
#include "platform/ui/dialogs/dialog.h"
#include "queries/query_eval.h"
#include "queries/typed_value.h"

#include <memory>
#include <string>
#include <vector>

class CAvFilter;
class CExpression;
class CFieldDef;
class CQueryDef;
class CValueEditor;

class CQryParamsDlg final : public CDialog {
public:
    CQryParamsDlg(CWnd* parent, CQueryDef& query) : CDialog(217, parent), m_query(query) {}
    ~CQryParamsDlg() override;

    /// The editors made, in order.
    int GetEditorCount() const { return int(m_editors.size()); }
    CValueEditor* GetEditor(int index) const { return m_editors[std::size_t(index)].editor.get(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    struct Editor {
        std::unique_ptr<CValueEditor> editor;
        int type = TV_NONE;
        const CFieldDef* subType = nullptr;
        std::string label;
    };
    struct Target {
        std::size_t editor = 0;
        CAvFilter* filter = nullptr;       // a parameter row
        CExpression* expression = nullptr; // or an expression's parameter
        int parameter = 0;
    };

    /// The editor asking this question, made when there is none; false when none can be made.
    bool AddTarget(int type, const CFieldDef* subType, const CTypedValue& value,
                   const std::string& label, Target target);
    void CollectExpression(CExpression* expression, bool& failed);
    void LayOut();

    CQueryDef& m_query;
    std::vector<Editor> m_editors;
    std::vector<Target> m_targets;
};

/// Installs the dialog as the query engine's parameter dialog.
void InstallQueryParameterDialog();

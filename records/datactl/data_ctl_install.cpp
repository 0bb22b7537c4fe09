// records/datactl/data_ctl_install.cpp: the control factories, the control host and the value
// access over the real data controls, and the value editors' date and record inputs.
#include "records/datactl/data_ctl_install.h"

#include "controls/value_inputs.h"
#include "database/dates/date_node.h"
#include "database/nodes/data_control_access.h"
#include "database/nodes/data_control_host.h"
#include "platform/base/prompt.h"
#include "records/datactl/data_ctl_assoc.h"
#include "records/datactl/data_ctl_assoc_combo.h"
#include "records/datactl/data_ctl_date.h"
#include "records/datactl/data_ctl_edit.h"
#include "records/datactl/data_ctl_enum.h"
#include "records/datactl/data_ctl_multi.h"

namespace {

template <class T> CDataCtl* Make()
{
    return new T;
}

struct ClassRow {
    const char* name;
    CControlClass::Factory factory;
};

constexpr ClassRow kClasses[] = {
    {"CDataCtlEdit", &Make<CDataCtlEdit>},         {"CDataCtlName", &Make<CDataCtlName>},
    {"CDataCtlNumber", &Make<CDataCtlNumber>},     {"CDataCtlEditMulti", &Make<CDataCtlEditMulti>},
    {"CDataCtlAddress", &Make<CDataCtlAddress>},   {"CDataCtlFile", &Make<CDataCtlFile>},
    {"CDataCtlEnum", &Make<CDataCtlEnum>},         {"CDataCtlSex", &Make<CDataCtlSex>},
    {"CDataCtlEnumEdit", &Make<CDataCtlEnumEdit>}, {"CDataCtlDate", &Make<CDataCtlDate>},
    {"CDataCtlAge", &Make<CDataCtlAge>},           {"CDataCtlAssoc", &Make<CDataCtlAssoc>},
};

class CControlHost final : public IDataControlHost {
public:
    CDataCtl* CreateControl(const CControlClass& controlClass, CDataNode& node, CWnd* parent,
                            const RECT& rect, IDataCtlOwner* owner, DWORD, UINT id,
                            DWORD flags) override
    {
        CDataCtl* control = controlClass.Create();
        if (!control)
            return nullptr;
        if (!control->CreateCtl(FALSE, rect, parent, &node, id, owner, nullptr, flags)) {
            delete control;
            return nullptr;
        }
        return control;
    }
};

class CControlAccess final : public IDataControlAccess {
public:
    bool GetText(CDataCtl& control, std::string& text) override
    {
        return control.GetValueText(text);
    }
    void SetText(CDataCtl& control, std::string_view text) override { control.SetValueText(text); }
    void SelectText(CDataCtl& control, int start, int end) override
    {
        control.SelectValueText(start, end);
    }
    void ClearModified(CDataCtl& control) override { control.ClearModified(); }
    void ShowAndFocus(CDataCtl& control) override
    {
        CWnd& wnd = control.GetWnd();
        wnd.ShowWindow(SW_SHOW);
        wnd.UpdateWindow();
        wnd.SetFocus();
    }
    void SetFocus(CDataCtl& control) override { control.GetWnd().SetFocus(); }
    bool GetCurSel(CDataCtl& control, int& position) override
    {
        return control.GetListSelection(position);
    }
    void SetCurSel(CDataCtl& control, int position) override { control.SetListSelection(position); }
    int GetCount(CDataCtl& control) override { return control.GetListCount(); }
    void RefuseValue(CDataCtl&, const std::string& message) override { MessageBox(message, MB_OK); }
};

CControlHost g_host;
CControlAccess g_access;

bool UsesCompactDates(CDataCtl& control)
{
    return control.UsesCompactDates();
}

} // namespace

void InstallDataControls()
{
    for (const ClassRow& row : kClasses) {
        if (CControlClass* record = FindControlClass(row.name))
            record->SetFactory(row.factory);
    }
    SetDataControlHost(&g_host);
    SetDataControlAccess(&g_access);
    SetDateControlCompactModeQuery(&UsesCompactDates);
    InstalledInputFactory<IDateInput>() = &MakeDateInput;
    InstalledInputFactory<IRecordInput>() = &MakeRecordInput;
}

void UninstallDataControls()
{
    for (const ClassRow& row : kClasses) {
        if (CControlClass* record = FindControlClass(row.name))
            record->SetFactory(nullptr);
    }
    SetDataControlHost(nullptr);
    SetDataControlAccess(nullptr);
    SetDateControlCompactModeQuery(nullptr);
    InstalledInputFactory<IDateInput>() = nullptr;
    InstalledInputFactory<IRecordInput>() = nullptr;
}

// diagrams/window/rel_tree_properties.cpp: opening the record properties box from the Diagram
// window through the opener the program installs.
#include "diagrams/window/rel_tree_properties.h"

#include "diagrams/diag_elem.h"
#include "diagrams/diagram_document.h"
#include "platform/ui/drawing/client_dc.h"
#include "platform/ui/windows/wnd.h"

namespace {

CRelTreeProperties::Opener& InstalledOpener()
{
    static CRelTreeProperties::Opener opener;
    return opener;
}

} // namespace

CRelTreeProperties::CRelTreeProperties(IRelTreePropertiesView& view, const CDiagramDocument& doc)
    : m_view(view), m_doc(doc)
{
}

void CRelTreeProperties::SetOpener(Opener opener)
{
    InstalledOpener() = std::move(opener);
}

bool CRelTreeProperties::HasOpener()
{
    return bool(InstalledOpener());
}

void CRelTreeProperties::Open(const CRect* screen, Use use) const
{
    if (InstalledOpener())
        InstalledOpener()(screen, use);
}

void CRelTreeProperties::OpenBesideSelection() const
{
    CWnd& window = m_view.Window();
    if (!window.GetSafeHwnd() || m_doc.Selection().Empty()) {
        Open(nullptr);
        return;
    }
    CRect screen = m_doc.Selection().Boxes().front()->Rect();
    CClientDC dc(&window);
    m_view.PrepareScreenDC(dc);
    dc.LPtoDP(&screen);
    screen.NormalizeRect();
    window.ClientToScreen(&screen);
    Open(&screen);
}

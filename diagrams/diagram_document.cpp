// diagrams/diagram_document.cpp: the diagram document's following of the data, building, updating,
// layout, text scheme and the answers it gives its elements.
#include "diagrams/diagram_document.h"

#include "database/kin/ind_rec.h"
#include "database/nodes/change_hint.h"
#include "database/records/fam_rec.h"
#include "diagrams/box_painter.h"
#include "diagrams/diag_builder.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/diag_update.h"
#include "platform/base/text.h"

#include <algorithm>

namespace {

/// Box types of a scheme: default, ancestor, descendant, spouse, duplicate, proxy.
enum SchemeBoxType : int {
    kDefaultType = 0,
    kAncestorType,
    kDescendantType,
    kSpouseType,
    kDuplicateType,
    kProxyType
};

/// The scheme box type that each box kind takes, by diagram type.
int SchemeTypeFor(int diagramType, int boxKind)
{
    if (diagramType == kAncestorsDiagram)
        return kAncestorType;
    static constexpr int kTypes[kDiagramBoxKindCount] = {kAncestorType, kDescendantType,
                                                         kSpouseType, kDuplicateType, kProxyType};
    const int type = kTypes[boxKind];
    return diagramType == kDescendantsDiagram && type == kAncestorType ? kDescendantType : type;
}

} // namespace

CDiagramDocument::CDiagramDocument(CDiagramDefaults& defaults, CDiagramChangeFeed* changes)
    : m_defaults(defaults), m_changes(changes)
{
    m_settings.CopySettings(m_defaults.Settings(), kSectionAll);
    if (m_changes)
        m_changes->Subscribe(this);
}

CDiagramDocument::~CDiagramDocument()
{
    if (m_changes)
        m_changes->Unsubscribe(this);
    // The trees go while the document still answers their elements.
    m_rowSets.clear();
}

void CDiagramDocument::AddObserver(IDiagramObserver* observer)
{
    if (observer &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CDiagramDocument::RemoveObserver(IDiagramObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

void CDiagramDocument::Notify(const std::function<void(IDiagramObserver&)>& fn)
{
    // An observer may leave the list while it is told.
    const std::vector<IDiagramObserver*> observers = m_observers;
    for (IDiagramObserver* observer : observers)
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end())
            fn(*observer);
}

CRecordNode* CDiagramDocument::RootRecord() const
{
    if (m_rootKind == 1)
        return m_rootFamily;
    return m_rootPerson;
}

bool CDiagramDocument::RootStillThere() const
{
    const CRecordNode* root = RootRecord();
    if (!root || root->IsPendingDeletion())
        return false;
    if (m_rootKind == 1) {
        const auto alive = [](const CIndRec* p) { return p && !p->IsPendingDeletion(); };
        return alive(m_rootFamily->GetHusband()) || alive(m_rootFamily->GetWife());
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Following the data.

void CDiagramDocument::OnDataChanged(CObject*, LPARAM hint, CObject*, bool)
{
    if (m_followingChange)
        return;
    m_followingChange = true;
    switch (hint) {
    case kHintDataSetClearing:
    case kHintFileLoaded:
        Clear();
        break;
    case kHintPrinterChanged:
    case kHintDiagramTextApplied:
        break;
    case kHintTextSchemesReplaced:
        ReloadTextScheme();
        break;
    default: {
        const DiagramResync outcome = Resync();
        Notify([outcome](IDiagramObserver& o) { o.DiagramResynced(outcome); });
        break;
    }
    }
    m_followingChange = false;
}

// ---------------------------------------------------------------------------------------------
// Building, updating and laying out.

bool CDiagramDocument::Build(CIndRec* person, CFamRec* family, int type,
                             const std::string& customName, bool needMeasurer)
{
    Clear();
    m_buildFailure.clear();
    bool reset = false;
    if (customName.empty() && !m_customName.empty()) {
        m_customName.clear();
        reset = true;
    } else if (!customName.empty()) {
        m_customName = customName;
    }
    m_rootKind = family ? 1 : 0;
    m_rootPerson = person;
    m_rootFamily = family;
    if (reset)
        m_settings.CopySettings(m_defaults.Settings(), kSectionAll);
    m_settings.SetDiagramType(type);
    if (type == kAllRelativesDiagram && m_settings.m_spouseOption == 0)
        m_settings.m_spouseOption = 1;
    LoadTextScheme(person, true);

    auto rowSet = std::make_unique<CDiagRowSet>(*this);
    rowSet->m_ancestorGenerations = m_settings.m_ancestorGenerations;
    rowSet->m_descendantGenerations = m_settings.m_descendantGenerations;
    // The row set must be the document's while it builds: its boxes ask for the root.
    m_rowSets.push_back(std::move(rowSet));
    ++m_boxesVersion;
    int built = 0;
    {
        auto measurer = CreateMeasurer();
        if (!measurer && needMeasurer) {
            m_rowSets.clear();
            return false;
        }
        built = family ? DiagBuildFromRootParents(*m_rowSets.back(), family, measurer.get())
                       : DiagBuildFromRoot(*m_rowSets.back(), person, measurer.get());
    }
    if (!built) {
        m_buildFailure = DiagBuildFailureText(*m_rowSets.back());
        Clear();
        return false;
    }
    AvoidPageBoundariesIfOn();
    Notify([](IDiagramObserver& o) { o.DiagramBuilt(); });
    return true;
}

void CDiagramDocument::Clear()
{
    m_rowSets.clear();
    ++m_boxesVersion;
    m_rootKind = 0;
    m_rootPerson = nullptr;
    m_rootFamily = nullptr;
    Notify([](IDiagramObserver& o) { o.DiagramCleared(); });
}

DiagramResync CDiagramDocument::Resync()
{
    if (!HasTree())
        return DiagramResync::kNoTree;
    if (!RootStillThere()) {
        Clear();
        return DiagramResync::kRootGone;
    }
    bool relayout = false;
    CDiagRepaint repaint;
    for (auto& rowSet : m_rowSets) {
        CDiagRefreshList refresh;
        auto measurer = CreateMeasurer();
        if (!DiagRebuildRows(*rowSet, refresh, repaint, measurer.get())) {
            Clear();
            return DiagramResync::kAbandoned;
        }
        // Past six changed boxes the diagram is laid out again without measuring.
        if (refresh.count > CDiagRefreshList::kEntries)
            relayout = true;
    }
    if (relayout || BoxSizesChanged()) {
        Remeasure();
    } else {
        AvoidPageBoundariesIfOn();
        Notify([&repaint](IDiagramObserver& o) { o.DiagramBoxesChanged(repaint); });
    }
    return DiagramResync::kUpdated;
}

bool CDiagramDocument::BoxSizesChanged()
{
    auto measurer = CreateMeasurer();
    if (!measurer)
        return false;
    bool changed = false;
    for (auto& rowSet : m_rowSets)
        for (CDiagTree* tree : rowSet->Trees())
            ForEachBox(*tree, false, [&](CDiagElem& box) {
                if (changed || !box.IsVisible())
                    return;
                // A box changes size with its widest line or its number of lines.
                const int contentBefore = box.Rect().top - box.GetContentBottom();
                CRect size;
                box.Measure(measurer.get(), false, &size);
                changed = size.Width() != box.Rect().Width() ||
                          box.Rect().top - box.GetContentBottom() != contentBefore;
            });
    return changed;
}

void CDiagramDocument::Remeasure()
{
    auto measurer = CreateMeasurer();
    for (auto& rowSet : m_rowSets) {
        CDiagRepaint repaint;
        DiagRemeasureTexts(*rowSet, measurer.get(), repaint);
    }
    AvoidPageBoundariesIfOn();
    Notify([](IDiagramObserver& o) { o.DiagramLayoutChanged(); });
}

bool CDiagramDocument::ExpandBox(CDiagElem& box)
{
    CDiagRowSet* rowSet = RowSet();
    if (!rowSet)
        return true;
    auto measurer = CreateMeasurer();
    const bool expanded = DiagExpandElement(*rowSet, box, measurer.get());
    AvoidPageBoundariesIfOn();
    Notify([](IDiagramObserver& o) { o.DiagramLayoutChanged(); });
    return expanded;
}

bool CDiagramDocument::ConvertSpouseOption(int oldOption)
{
    auto measurer = CreateMeasurer();
    return ChangeEachRowSet(
        [&](CDiagRowSet& rowSet) {
            CDiagRepaint repaint;
            return DiagRebuildAndInvalidate(rowSet, measurer.get(), oldOption,
                                            m_settings.m_spouseOption, repaint);
        },
        true);
}

bool CDiagramDocument::MarkRepeatedAncestors()
{
    return ChangeEachRowSet(
        [](CDiagRowSet& rowSet) {
            CDiagRepaint repaint;
            return DiagRebuildMarked(rowSet, true, repaint) != 0;
        },
        false);
}

bool CDiagramDocument::RelayoutAll()
{
    return ChangeEachRowSet(
        [](CDiagRowSet& rowSet) {
            CDiagRepaint repaint;
            return DiagRelayoutAll(rowSet, true, repaint) != 0;
        },
        true);
}

bool CDiagramDocument::ChangeEachRowSet(const std::function<bool(CDiagRowSet&)>& change,
                                        bool clearOnFailure)
{
    for (auto& rowSet : m_rowSets)
        if (!change(*rowSet)) {
            if (clearOnFailure)
                Clear();
            return false;
        }
    AvoidPageBoundariesIfOn();
    Notify([](IDiagramObserver& o) { o.DiagramLayoutChanged(); });
    return true;
}

// ---------------------------------------------------------------------------------------------
// The text scheme.

void CDiagramDocument::LoadTextScheme(CRecordNode* root, bool resetName)
{
    for (auto& compiled : m_compiled)
        compiled.FreeTemplate();
    m_hasCompiled.fill(false);
    const CTextSchemeList& list = m_defaults.TextSchemes();
    const CTextScheme* scheme = list.FindScheme(m_settings.m_textScheme);
    if (!scheme) {
        if (resetName)
            m_settings.m_textScheme.clear();
        scheme = list.GetDefaultScheme();
        if (scheme)
            m_settings.m_textScheme = scheme->Name();
    }
    m_scheme = scheme ? *scheme : CTextScheme();
    for (int type = 0; type < 6; ++type) {
        const std::string* text = m_scheme.GetSchemeTemplate(type, false);
        if (!text)
            continue;
        std::string message;
        if (m_compiled[std::size_t(type)].CompileTemplate(*text, message)) {
            m_hasCompiled[std::size_t(type)] = true;
            if (root)
                m_compiled[std::size_t(type)].BindRootRecord(root);
        }
    }
    SelectTextTemplates();
}

void CDiagramDocument::ReloadTextScheme()
{
    LoadTextScheme(RootRecord(), false);
    if (HasTree())
        Remeasure();
}

void CDiagramDocument::SelectTextTemplates()
{
    const auto pick = [this](int type) -> const CTextTemplate* {
        if (m_hasCompiled[std::size_t(type)])
            return &m_compiled[std::size_t(type)];
        return m_hasCompiled[kDefaultType] ? &m_compiled[kDefaultType] : nullptr;
    };
    for (int kind = 0; kind < kDiagramBoxKindCount; ++kind)
        m_boxTemplates[std::size_t(kind)] = pick(SchemeTypeFor(m_settings.m_diagramType, kind));
    // The flag reads the template the diagram's duplicate boxes take (in an Ancestors diagram
    // the ancestor template), falling back to the default one as they do.
    const int type = SchemeTypeFor(m_settings.m_diagramType, kDuplicateBox);
    const std::string* duplicate = nullptr;
    if (m_boxTemplates[kDuplicateBox])
        duplicate = m_scheme.GetSchemeTemplate(
            m_hasCompiled[std::size_t(type)] ? type : kDefaultType, false);
    m_instance = duplicate && text::EqualsNoCase(*duplicate, "instance");
}

// ---------------------------------------------------------------------------------------------
// What the elements ask of the document.

const CTextTemplate* CDiagramDocument::BoxTemplate(int boxKind) const
{
    if (boxKind < 0 || boxKind >= kDiagramBoxKindCount)
        return nullptr;
    return m_boxTemplates[std::size_t(boxKind)];
}

COLORREF CDiagramDocument::ProxyTextColour() const
{
    return BuiltInDiagramColour(kBoxMarkedRow).colour;
}

int CDiagramDocument::BoxHeight() const
{
    const CDiagRowSet* rowSet = RowSet();
    return rowSet && rowSet->m_boxHeight > 0 ? rowSet->m_boxHeight : m_settings.m_defaultBoxHeight;
}

std::unique_ptr<IBoxPainter> CDiagramDocument::CreateMeasurer()
{
    return m_view ? m_view->CreateMeasurer() : nullptr;
}

void CDiagramDocument::ElementDestroyed(CDiagElem&)
{
    ++m_boxesVersion;
}

void CDiagramDocument::FamilyBoxDestroyed(CDiagElem&, CDiagElem*)
{
    ++m_boxesVersion;
}

const CDiagElem* CDiagramDocument::RootElement() const
{
    const CDiagRowSet* rowSet = RowSet();
    const CDiagTree* tree = rowSet ? rowSet->MainTree() : nullptr;
    return tree ? tree->m_rootElement : nullptr;
}

const CDiagFamilyLink* CDiagramDocument::RootFamilyLink() const
{
    const CDiagRowSet* rowSet = RowSet();
    const CDiagTree* tree = rowSet ? rowSet->MainTree() : nullptr;
    if (!tree)
        return nullptr;
    for (const auto& link : tree->m_rootLinks)
        if (link->Child() == tree->m_rootIndividual)
            return &link->m_person;
    return nullptr;
}

bool CDiagramDocument::IsLastAncestorGeneration(int generation) const
{
    const CDiagRowSet* rowSet = RowSet();
    return rowSet && generation == rowSet->m_ancestorGenerations;
}

bool CDiagramDocument::IsAtDescendantLimit(int generation) const
{
    const CDiagRowSet* rowSet = RowSet();
    return rowSet && generation <= 1 - rowSet->m_descendantGenerations;
}

bool CDiagramDocument::ZoomKeyWaiting() const
{
    return m_view && m_view->ZoomKeyWaiting();
}

int CDiagramDocument::SpouseLinesGap() const
{
    return m_view ? m_view->SpouseLinesGap() : IDiagramOwner::SpouseLinesGap();
}

// diagrams/window/tree_opts_colours.cpp: diagram colour entries in and out of the colour chooser.
#include "diagrams/window/tree_opts_colours.h"

#include "controls/colour_chooser.h"
#include "diagrams/diagram_options_target.h"
#include "diagrams/diagram_settings.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kBuiltInRows = kDiagramColourCount + 2;

void TakeItems(const ColourItem* items, DiagramColourEntry* entries, int count)
{
    for (int i = 0; i < count; ++i) {
        entries[i].colour = items[i].colour;
        entries[i].transparent = items[i].transparent;
    }
}

/// The chooser's sink: hands each change to the target as entries.
class CEntriesSink final : public IColourSink {
public:
    CEntriesSink(const DiagramColourEntry* entries, int count, IDiagramColoursTarget* target)
        : m_entries(entries, entries + count), m_target(target)
    {
    }

    void Apply(const ColourItem* items, int count) override
    {
        TakeItems(items, m_entries.data(), count);
        if (m_target)
            m_target->ApplyColours(m_entries.data(), count);
    }
    void ResetToInstallationSettings(ColourItem* items, int count) override
    {
        ResetDiagramColours(m_entries.data(), count);
        if (m_target)
            m_target->ResetColoursToInstallation(m_entries.data(), count);
        for (int i = 0; i < count; ++i) {
            items[i].colour = m_entries[std::size_t(i)].colour;
            items[i].transparent = m_entries[std::size_t(i)].transparent;
        }
    }

private:
    std::vector<DiagramColourEntry> m_entries;
    IDiagramColoursTarget* m_target;
};

} // namespace

BOOL ChooseDiagramColours(CWnd* owner, DiagramColourEntry* entries, int count,
                          IDiagramColoursTarget* target, bool showSaveAsDefault,
                          bool* saveAsDefault)
{
    std::vector<ColourItem> items(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const DiagramColourEntry& entry = entries[i];
        items[std::size_t(i)] = {entry.lineOrText, entry.colour, entry.keyName,
                                 entry.transparencyAllowed, entry.transparent};
    }
    CEntriesSink sink(entries, count, target);
    bool save = saveAsDefault ? *saveAsDefault : false;
    if (!ChooseColours(owner, items.data(), count, &sink, showSaveAsDefault, &save))
        return FALSE;
    TakeItems(items.data(), entries, count);
    if (saveAsDefault)
        *saveAsDefault = save;
    return TRUE;
}

void ResetDiagramColours(DiagramColourEntry* entries, int count)
{
    for (int i = 0; i < count; ++i) {
        for (int row = 0; row < kBuiltInRows; ++row) {
            const DiagramColourEntry& builtIn = BuiltInDiagramColour(row);
            if (entries[i].keyName && builtIn.keyName &&
                std::strcmp(entries[i].keyName, builtIn.keyName) == 0) {
                entries[i].colour = builtIn.colour;
                entries[i].transparent = builtIn.transparent;
                break;
            }
        }
    }
}

// diagrams/window/rel_tree_custom.h: the Diagram window's settings as a whole: going back to the
// installation settings, and opening and saving a custom diagram file.
//
// CRelTreeCustom asks the questions and shows what went wrong; the document takes the settings,
// the window's CRelTreeOptions applies the settings restored, and the window that shows the
// diagram builds a custom one through IRelTreeCustomView.
//
// Traps: a custom diagram file that is damaged, or whose diagram cannot be built, opens on the
// defaults of new windows after a message that says so. Going back to the installation settings
// keeps the kind of diagram the window shows.
#pragma once

#include <string>

class CDiagramDocument;
class CFamRec;
class CIndRec;
class CRelTreeOptions;
class CWnd;

/// What the custom-diagram commands ask of the window that shows the diagram.
class IRelTreeCustomView {
public:
    virtual ~IRelTreeCustomView() = default;
    /// The window itself: the parent of the dialogs, its frame retitled after a save.
    virtual CWnd& Window() = 0;
    /// Builds the diagram of the type rooted at person (or the couple of family) under the
    /// custom name; false, after a message when tellFailure, when nothing was built.
    virtual bool Build(CIndRec* person, CFamRec* family, bool selectRoot, int type,
                       bool showProperties, const std::string& customName, bool tellFailure) = 0;
};

class CRelTreeCustom {
public:
    CRelTreeCustom(IRelTreeCustomView& view, CDiagramDocument& doc, CRelTreeOptions& options);

    /// Asks whether the installation settings become the defaults too, then takes them.
    void RestoreInstallationSettings();
    /// Loads the settings of a custom diagram file and builds it for person. A file that holds
    /// no diagram, or settings whose diagram cannot be built, open on the defaults of new
    /// windows after a message that says so.
    bool OpenCustomDiagram(const std::string& path, CIndRec* person, const std::string& name);
    /// Save As Custom Diagram: the settings to the file chosen, under the name given.
    void SaveAsCustomDiagram();

private:
    IRelTreeCustomView& m_view;
    CDiagramDocument& m_doc;
    /// Builds the diagram again from the settings restored.
    CRelTreeOptions& m_options;
};

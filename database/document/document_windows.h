// database/document/document_windows.h: the window-side steps of opening and creating files, which
// the application shell performs for the document's data side.
#pragma once

#include <string>

class IProgress;

/// The shell installs its implementation when it makes the document; tests install one that
/// records the calls. Without one the document works on the data set alone.
class IDocumentWindows {
public:
    virtual ~IDocumentWindows() = default;
    /// Repaints the main frame at once, before a long load begins.
    virtual void RepaintMainFrame() = 0;
    /// The document now names path: it joins the recent-file list.
    virtual void AddToRecentFileList(const std::string& path) = 0;
    /// The document's title changed: the main frame shows it.
    virtual void RefreshMainFrameTitle() = 0;
    /// Shows the records window: on its first tab for 0, on the tab it last showed for -1.
    virtual void ShowRecordsWindow(int tab) = 0;
    /// The main frame's progress bar; null when there is none.
    virtual IProgress* GetProgress() = 0;
};

// platform/ui/printing/print_dialog.h: the printer dialogs: the setup dialog (printer, paper,
// orientation) and the dialog that starts a print job (printer, pages, copies, the PDF file).
#pragma once

#include "platform/base/types.h"
#include "platform/ui/printing/printer_settings.h"

class CWnd;

// Flags. PD_NOPAGENUMS keeps the page range from the user; PD_NOSELECTION and
// PD_HIDEPRINTTOFILE are accepted: the dialogs here offer neither choice. PD_USEDEVMODECOPIES
// keeps the copies in the printer settings.
inline constexpr DWORD PD_ALLPAGES = 0x00000000, PD_SELECTION = 0x00000001,
                       PD_PAGENUMS = 0x00000002, PD_NOSELECTION = 0x00000004,
                       PD_NOPAGENUMS = 0x00000008, PD_PRINTSETUP = 0x00000040,
                       PD_USEDEVMODECOPIES = 0x00040000, PD_HIDEPRINTTOFILE = 0x00100000;

/// The dialog works on its own printer settings: set them before DoModal (CWinApp::DoPrintDialog
/// hands it the application's) and read them after IDOK. Under the test hooks the setup dialog
/// is answered by TestHooks::AnswerPrintSetup and the job dialog by TestHooks::AnswerPrintDialog.
class CPrintDialog {
public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                        PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* parent = nullptr);
    virtual ~CPrintDialog() = default;

    /// IDOK or IDCANCEL. Without a printer it shows nothing and answers IDCANCEL. On the
    /// virtual printer the job dialog asks for the PDF file, and OK without one is Cancel.
    virtual int DoModal();

    CPrinterSettings& GetSettings() { return m_settings; }
    const CPrinterSettings& GetSettings() const { return m_settings; }
    void SetSettings(const CPrinterSettings& settings) { m_settings = settings; }
    BOOL IsSetupOnly() const { return m_setupOnly; }

    /// The page range the job dialog offers and, after IDOK, what was chosen: PD_PAGENUMS in
    /// m_flags when the user chose pages m_nFromPage..m_nToPage, else all pages.
    DWORD m_flags;
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
    UINT m_nFromPage = 0;
    UINT m_nToPage = 0;

private:
    int RunSetup();
    int RunJob();
    int RunSetupOnDesktop();
    int RunJobOnDesktop();

    BOOL m_setupOnly;
    CWnd* m_parent;
    CPrinterSettings m_settings;
};

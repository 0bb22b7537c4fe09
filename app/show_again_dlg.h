// app/show_again_dlg.h: a short message with a "Show this again next time" box, and the
// show-once messages that use it.
#pragma once

#include "platform/ui/dialogs/dialog.h"

#include <cstdint>
#include <string>

class CShowAgainDlg final : public CDialog {
public:
    explicit CShowAgainDlg(CWnd* parent = nullptr);

    BOOL m_showAgain = TRUE;
    std::string m_message;
    /// Empty keeps the template's caption.
    std::string m_caption;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
};

/// Shows the message (a string resource) unless the user asked not to see it again. Only a
/// message whose key has a show-once flag in the preferences is shown, and only while that
/// flag is set; clearing the box and pressing OK clears the flag and writes the preferences.
/// The caption is the string captionId when not 0, else caption when given.
void ShowOnceDialog(std::uint32_t key, unsigned messageId, unsigned captionId = 0,
                    const char* caption = nullptr);

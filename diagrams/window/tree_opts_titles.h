// diagrams/window/tree_opts_titles.h: the Titles page of the Diagram Options sheet: which of the
// four titles show, and each one's options.
#pragma once

#include "diagrams/window/tree_opts_page.h"

/// Template 247, the titles section. A title's "Options" button works while its title shows.
class CTreePageTitles final : public CTreeOptsPage {
public:
    static constexpr UINT kTemplate = 247;
    static constexpr int kShowIds[4] = {1257, 1168, 1169, 1170};
    static constexpr int kOptionsIds[4] = {1252, 1253, 1254, 1255};

    explicit CTreePageTitles(CTreeOptsDlg& sheet);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnControlChanged(int id, UINT code) override;

private:
    void EnableOptions();
    void OnOptions(int title);
    void OnInstallation();
};

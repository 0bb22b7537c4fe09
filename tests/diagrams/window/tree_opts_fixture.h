// tests/diagrams/window/tree_opts_fixture.h: what the options sheet's tests share: a target and a
// window that record what the sheet asks of them, and running the sheet with a driver.
#pragma once

#include "diagrams/diagram_options_target.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/text_scheme.h"
#include "diagrams/window/tree_opts_dlg.h"
#include "platform/base/prompt_script.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/property_page.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/expression.h"
#include "tests/database/records/record_test_support.h"
#include "tests/support/window_test.h"

#include <functional>
#include <string>
#include <vector>

/// Records each call, taking what the sheet hands back into edited; the scheme list starts as
/// the built-in schemes.
class CRecordingTarget final : public IDiagramOptionsTarget {
public:
    explicit CRecordingTarget(CDiagramSettings& edited) : m_edited(edited)
    {
        for (const BuiltInScheme& row : BuiltInSchemes()) {
            auto scheme = std::make_unique<CTextScheme>();
            scheme->SetName(row.name);
            scheme->SetSystem(true);
            for (int type = 0; type < kBoxTypeCount; ++type)
                scheme->SetTemplate(row.templates[std::size_t(type)], type);
            m_schemes.Add(std::move(scheme));
        }
    }

    void TakeSettings(const CDiagramSettings& from, int section) override
    {
        m_edited.CopySettings(from, section);
    }
    void RefreshDiagram() override { ++m_refreshes; }
    void ApplyGeneralOptions(bool typeChanged) override { m_generalApplied.push_back(typeChanged); }
    bool RelayoutDiagram(bool) override
    {
        ++m_relayouts;
        return m_relayoutSucceeds;
    }
    CDiagramSettings& GetDefaultSettings() override { return m_defaults; }
    void ReplaceTextSchemes(const CTextSchemeList& schemes) override
    {
        ++m_replacements;
        m_schemes.CopySchemeList(schemes);
    }
    const CTextSchemeList& GetTextSchemes() override { return m_schemes; }
    int GetAutoRowsPerGeneration(const CDiagramSettings& settings) override
    {
        return settings.GetRelativesGenerations();
    }

    CDiagramSettings& m_edited;
    int m_refreshes = 0;
    std::vector<bool> m_generalApplied;
    int m_relayouts = 0;
    bool m_relayoutSucceeds = true;
    int m_replacements = 0;
    CDiagramSettings m_defaults;
    CTextSchemeList m_schemes;
};

/// A diagram window's zoom.
class CScaleWindow final : public IDiagramOptionsWindow {
public:
    int GetScaleDivisor() const override { return m_divisor; }
    void SetScale(int divisor) override { m_divisor = divisor; }

    int m_divisor = 20;
};

/// The records' dictionary, the expression engine, the compiled-in dialogs and an application.
class TreeOptsTest : public record_test::CRecordTest {
protected:
    using Texts = std::vector<std::string>;

    void SetUp() override
    {
        CRecordTest::SetUp();
        InstallExpressionEngine();
        test_support::UseCompiledResources();
        TestHooks::TakeMessages();
    }
    void TearDown() override
    {
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }

    /// Runs a sheet over m_settings with the window (or, with withWindow clear, as the defaults
    /// editor would) starting on page start; a sheet drive leaves open is cancelled.
    int RunSheet(UINT start, const std::function<void(CPropertySheet&)>& drive,
                 bool withWindow = true, bool saveAsDefault = false, bool printOnly = false)
    {
        CTreeOptsDlg sheet("Diagram Options", m_settings, m_target, nullptr, start, printOnly,
                           withWindow ? &m_window : nullptr, saveAsDefault);
        TestHooks::OnNextSheet([&](CPropertySheet& shown) {
            drive(shown);
            if (shown.IsWindowVisible())
                TestHooks::PressSheetButton(shown, TestHooks::SheetButton::Cancel);
        });
        return sheet.DoModal();
    }

    static CWnd& Page(CPropertySheet& sheet) { return *sheet.GetActivePage(); }
    static std::string Text(const CWnd& dialog, int id)
    {
        std::string text;
        if (const CWnd* control = dialog.GetDlgItem(id))
            control->GetWindowText(text);
        return text;
    }
    static bool Enabled(const CWnd& dialog, int id)
    {
        const CWnd* control = dialog.GetDlgItem(id);
        return control && control->IsWindowEnabled();
    }
    static Texts MessageTexts()
    {
        Texts texts;
        for (const CPromptScript::Shown& shown : TestHooks::TakeMessages())
            texts.push_back(shown.text);
        return texts;
    }
    /// Leaving an edit, as the focus moving on tells its page.
    static void Leave(CWnd& page, int id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), EN_KILLFOCUS),
                         LPARAM(page.GetDlgItem(id)));
    }

    /// The program's profile and printer.
    CWinApp m_app{"Ardenvel"};
    CDiagramSettings m_settings;
    CRecordingTarget m_target{m_settings};
    CScaleWindow m_window;
};

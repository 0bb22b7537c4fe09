// tests/database/nodes/field_node_fakes.h: for the tests of the value field classes: fields made on
// the program's table, a recording data-control access and host, and the lines a node writes.
#pragma once

#include "database/gedcom/buffered_file.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"
#include "database/nodes/data_control_host.h"
#include "database/nodes/data_node.h"
#include "platform/base/geometry.h"
#include "platform/base/text.h"
#include "tests/database/database_test_support.h"
#include "tests/database/dictionary/field_defs_for_tests.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace field_node_test {

using database_test::WrittenLines;

/// Records what nodes do to their controls ("SetText 5 yrs", "SelectText 0 -1",
/// "ShowAndFocus") and answers reads with the text a user typed, or with what m_onRead throws.
class CRecordingControlAccess final : public IDataControlAccess {
public:
    bool GetText(CDataCtl&, std::string& text) override
    {
        if (m_onRead)
            m_onRead();
        text = m_typed;
        return m_readable;
    }
    void SetText(CDataCtl&, std::string_view text) override
    {
        m_calls.push_back("SetText " + std::string(text));
    }
    void SelectText(CDataCtl&, int start, int end) override
    {
        m_calls.push_back(text::Format("SelectText %d %d", start, end));
    }
    void ClearModified(CDataCtl&) override { m_calls.push_back("ClearModified"); }
    void ShowAndFocus(CDataCtl&) override { m_calls.push_back("ShowAndFocus"); }
    void SetFocus(CDataCtl&) override { m_calls.push_back("SetFocus"); }
    bool GetCurSel(CDataCtl&, int&) override { return false; }
    void SetCurSel(CDataCtl&, int) override {}
    int GetCount(CDataCtl&) override { return 0; }
    void RefuseValue(CDataCtl&, const std::string& message) override
    {
        m_calls.push_back("RefuseValue " + message);
    }

    std::string m_typed;
    bool m_readable = true;
    std::function<void()> m_onRead;
    std::vector<std::string> m_calls;
};

/// Makes every control as one stand-in that only the recording access receives, and records
/// the control classes asked for.
class CRecordingControlHost final : public IDataControlHost {
public:
    CDataCtl* CreateControl(const CControlClass& controlClass, CDataNode&, CWnd*, const RECT&,
                            IDataCtlOwner*, DWORD, UINT, DWORD) override
    {
        static char token;
        m_classes.emplace_back(controlClass.GetName());
        return reinterpret_cast<CDataCtl*>(&token);
    }

    std::vector<std::string> m_classes;
};

/// Installs the recording access and host, and turns change tracking on, for its lifetime.
class CScopedControls {
public:
    CScopedControls()
    {
        SetDataControlAccess(&m_access);
        SetDataControlHost(&m_host);
        SetChangeTracking(true);
    }
    ~CScopedControls()
    {
        SetChangeTracking(false);
        ResetChangeTracking();
        SetDataControlAccess(nullptr);
        SetDataControlHost(nullptr);
    }
    CScopedControls(const CScopedControls&) = delete;
    CScopedControls& operator=(const CScopedControls&) = delete;

    CRecordingControlAccess m_access;
    CRecordingControlHost m_host;
};

/// Detached fields of the program's table, set from GEDCOM text and freed after the test.
class CFieldNodeTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test_support::LoadTestFieldDefs()) << GetFieldDefsError(); }

    template <class T> T* Make(const char* path, std::string_view gedcom)
    {
        m_nodes.push_back(std::make_unique<T>());
        T* node = static_cast<T*>(m_nodes.back().get());
        node->SetFieldDef(test_support::DefByPath(path));
        EXPECT_NE(node->GetFieldDef(), nullptr) << path;
        EXPECT_TRUE(node->SetText(gedcom));
        return node;
    }

    std::vector<std::unique_ptr<CDataNode>> m_nodes;
};

} // namespace field_node_test

// tests/media/window/media_window_fixture.h: a Multimedia window over a small data set in a host
// window, with every change notice passed to it, and multimedia records of pictures written for
// the test.
#pragma once

#include "media/window/sub_view_media.h"

#include "database/dictionary/field_ids.h"
#include "database/fields/file_node.h"
#include "database/multimedia/format_node.h"
#include "database/multimedia/obj_rec.h"
#include "database/nodes/change_hint.h"
#include "media/media_content_loader.h"
#include "platform/ui/windows/test_hooks.h"
#include "records/datactl/data_ctl_install.h"
#include "tests/controls/tree_box_fixture.h"
#include "tests/database/records/record_test_support.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

namespace media_window_test {

/// Passes every change notice to the window, as the application does.
class CWindowObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM hint, CObject* object, bool) override
    {
        if (m_window)
            m_window->OnUpdate(nullptr, hint, object);
    }
    CSubViewMedia* m_window = nullptr;
};

/// A 24-bit BMP file of width x height whose pixel (x, y) is colour(x, y).
template <class Colour>
std::string WriteBmp(const std::string& path, int width, int height, Colour colour)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    std::string bytes(std::size_t(54 + rowBytes * height), '\0');
    const auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + std::size_t(i)] = char((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, std::uint32_t(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            const std::size_t at = std::size_t(54 + (height - 1 - y) * rowBytes + x * 3);
            bytes[at] = char(GetBValue(c));
            bytes[at + 1] = char(GetGValue(c));
            bytes[at + 2] = char(GetRValue(c));
        }
    return test_support::WriteFile(path, bytes);
}

class MediaWindowTest : public record_test::CRecordTest {
protected:
    /// The text of a dialog's control; empty when there is none.
    static std::string Text(const CWnd& dialog, int id)
    {
        std::string text;
        if (const CWnd* control = dialog.GetDlgItem(id))
            control->GetWindowText(text);
        return text;
    }

protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        test_support::UseCompiledResources();
        InstallMediaContentLoader();
        InstallDataControls();
        m_folder = test_support::NewFolder("media_window");
        ASSERT_TRUE(m_host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 800, 500), nullptr, 0));
    }
    void TearDown() override
    {
        m_observer.m_window = nullptr;
        m_window.reset();
        m_host.DestroyWindow();
        TestHooks::TakeMessages();
        CRecordTest::TearDown();
    }

    /// Makes the window over the host, width by 500.
    void MakeWindow(int width = 800)
    {
        m_window = std::make_unique<CSubViewMedia>();
        CWnd& wnd = *m_window;
        ASSERT_TRUE(wnd.Create("AvSubView", "AV Subview", WS_CHILD | WS_VISIBLE,
                               CRect(0, 0, width, 500), &m_host, 99));
        m_observer.m_window = m_window.get();
        SetDataObserver(&m_observer);
    }

    /// A multimedia record linked to path, of the format word given.
    CObjRec* NewMedia(const std::string& path, const char* format, const char* title = nullptr)
    {
        auto* record = dynamic_cast<CObjRec*>(NewRecord(RECORD_LIST_OBJE));
        EXPECT_NE(record, nullptr);
        CDataNode* file = record->FindChild(nullptr, FIELD_OBJE_LINKED_FILE);
        if (!file)
            file = record->CreateChildById(FIELD_OBJE_LINKED_FILE, {.withChildren = false});
        dynamic_cast<CFileNode&>(*file).SetFileName(path);
        CDataNode* form = record->FindChild(nullptr, FIELD_FORM);
        if (!form)
            form = record->CreateChildById(FIELD_FORM, {.withChildren = false});
        dynamic_cast<CFormatNode&>(*form).SetFormat(format);
        if (title)
            SetField(record, "TITL", title);
        return record;
    }
    /// A picture record of a width x height BMP in four coloured quarters.
    CObjRec* NewPicture(int width, int height, const char* name = "picture.bmp")
    {
        const std::string path = WriteBmp(m_folder + "/" + name, width, height, [&](int x, int y) {
            return x < width / 2 ? (y < height / 2 ? RGB(250, 230, 180) : RGB(180, 220, 250))
                                 : (y < height / 2 ? RGB(200, 250, 200) : RGB(240, 200, 240));
        });
        return NewMedia(path, "bmp", name);
    }

    CMeListPane& List() { return m_window->GetListPane(); }
    CMePictureWnd& Picture() { return m_window->GetPictureWnd(); }
    std::string Title() const
    {
        std::string title;
        m_window->GetTitle(title);
        return title;
    }
    /// Drags with the left button from one client point to another over the picture window.
    void Drag(CPoint from, CPoint to)
    {
        using TestHooks::MouseEvent;
        TestHooks::PostMouse(Picture(), MouseEvent::LeftDown, from, MK_LBUTTON);
        TestHooks::PostMouse(Picture(), MouseEvent::Move,
                             CPoint((from.x + to.x) / 2, (from.y + to.y) / 2), MK_LBUTTON);
        TestHooks::PostMouse(Picture(), MouseEvent::Move, to, MK_LBUTTON);
        TestHooks::PostMouse(Picture(), MouseEvent::LeftUp, to, 0);
        TestHooks::DeliverPosted();
    }

    CWnd m_host;
    std::unique_ptr<CSubViewMedia> m_window;
    CWindowObserver m_observer;
    std::string m_folder;
};

} // namespace media_window_test

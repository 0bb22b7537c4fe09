// app/sub_view_counts.h: the content of the records window until the record lists exist: how
// many records of each type the open file holds.
#pragma once

#include "app/sub_view.h"

#include <string>
#include <vector>

/// Stands where the records window goes (its kind and title), so that the window, menu and
/// toolbar rules of the records window already hold. Every change notice counts again.
class CSubViewCounts final : public CSubView {
public:
    CSubViewCounts();
    ~CSubViewCounts() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    int GetSubViewType() const override;
    void GetTitle(std::string& title) const override;
    void OnUpdate(CView* sender, LPARAM hint, CObject* object) override;

    /// The lines shown, one per record type in list order: "Individuals: 3".
    const std::vector<std::string>& GetLines() const { return m_lines; }

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    std::vector<std::string> m_lines;
};

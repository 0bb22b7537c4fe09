// media/window/pane_sizes.cpp: the Multimedia window's pane sizes kept in the profile.
#include "media/window/pane_sizes.h"

#include "controls/u_splitter_wnd.h"
#include "platform/ui/windows/app.h"

namespace {

constexpr const char* kSection = "Multimedia Window";
constexpr const char* kShareKeys[] = {"Objects Share", "Links Share", "Note Share"};
constexpr const char* kWidthKey = "List Width";
/// The objects list is what the window is for: half the height, then the links, then the note.
constexpr std::array<int, 3> kDefaultShares = {50, 30, 20};
/// A share below this, or a stored value that is no share at all, is not taken.
constexpr int kLeastShare = 5;
constexpr int kMostShare = 300;

} // namespace

std::array<int, 3> LoadMediaListShares()
{
    const CWinApp* app = AfxGetApp();
    if (!app)
        return kDefaultShares;
    std::array<int, 3> shares{};
    for (std::size_t i = 0; i < shares.size(); ++i) {
        shares[i] = int(app->GetProfileInt(kSection, kShareKeys[i], 0));
        if (shares[i] < kLeastShare || shares[i] > kMostShare)
            return kDefaultShares;
    }
    return shares;
}

void SaveMediaListShares(const CUSplitterWnd& splitter)
{
    CWinApp* app = AfxGetApp();
    if (!app || splitter.GetPaneCount() != int(std::size(kShareKeys)))
        return;
    for (int i = 0; i < splitter.GetPaneCount(); ++i)
        app->WriteProfileInt(kSection, kShareKeys[i], splitter.GetShare(i));
}

int LoadMediaListWidth()
{
    const CWinApp* app = AfxGetApp();
    const int width = app ? int(app->GetProfileInt(kSection, kWidthKey, 0)) : 0;
    return width > 0 ? width : 0;
}

void SaveMediaListWidth(int width)
{
    if (CWinApp* app = AfxGetApp(); app && width > 0)
        app->WriteProfileInt(kSection, kWidthKey, width);
}

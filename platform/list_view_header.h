#pragma once
// The column header of a list view: a child window of its own. It reports clicks and
// divider drags to the list window as WM_NOTIFY through the list's procedure chain, and
// answers HDM_HITTEST with the column under a point.

#include "platform/window.h"

class ListView;
class ListHeaderWidget;

class ListViewHeader : public Window {
public:
    ListViewHeader(User32& user32, ListView& list) : Window(user32), list_(list) {}

    // Sends a header notification for a column (0-based, -1 none) to the list window and
    // returns the answer of its procedure chain.
    LRESULT Notify(intptr_t code, int column, int button);

    RECT ScreenRectPixels() const override;
    POINT ClientOriginPixels() const override;
    LRESULT DefaultProcedure(uint32_t message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class ListView;
    void Attach(ListHeaderWidget* widget);
    void Detach();

    ListView& list_;
    ListHeaderWidget* widget_ = nullptr;
};

#pragma once
// A desktop for tests: the screen is whatever the test says, message boxes take queued
// answers, and every box, URL and popup is recorded.

#include <deque>
#include <string>
#include <vector>

#include "platform/desktop.h"

class ScriptedDesktop final : public Desktop {
public:
    struct Box {
        std::string text;
        int style = 0;
        std::string title;
    };
    // A menu as it stood when it popped up, one line per item: caption, then "[x]" when
    // checked and "(disabled)" when disabled, sub-items indented by two spaces.
    struct Popup {
        std::string menu;
        std::vector<std::string> items;
    };

    int dpi = 96;
    PixelRect workArea{0, 0, 1024, 738};
    PixelPoint cursor{0, 0};
    int cursorReads = 0;  // each read is a round trip to a real window system
    std::deque<int> answers;                // message-box answers; vbOK (or vbCancel) when empty
    std::deque<std::string> menuChoices;    // control names of items to click at the next popups
    std::vector<Box> boxes;
    std::vector<std::string> urls;
    std::vector<Popup> popups;
    bool ended = false;

    int LogicalDpi() override { return dpi; }
    PixelRect WorkArea() override { return workArea; }
    PixelPoint CursorPos() override {
        ++cursorReads;
        return cursor;
    }
    int ShowMessageBox(const std::string& text, int style, const std::string& title) override;
    void EndMessageBoxes() override {}  // its boxes answer at once anyway
    void OpenUrl(const std::string& url) override { urls.push_back(url); }
    void PopupMenu(Menu& menu, PixelPoint at) override;
    void EndProgram() override { ended = true; }
};

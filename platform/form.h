#pragma once
// A window of the system. The object lives as long as the program; Load builds its
// controls from the design (InitializeComponent) and runs Form_Load, Unload runs
// Form_Unload and destroys the controls, Release runs Form_Terminate. Positions and sizes
// are twips.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/font.h"
#include "platform/picture.h"
#include "platform/window.h"

class CommandButton;
class Control;
class Menu;
class OptionButton;
class Runtime;
class FormWindow;
class QObject;

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog };
enum class StartUpPosition { Manual, CenterScreen };

class Form : public Window {
public:
    Form(Runtime& runtime, std::string name);
    ~Form() override;

    const std::string& Name() const { return name_; }
    Runtime& runtime() const { return runtime_; }

    bool Loaded() const { return loaded_; }
    void Load();
    void Show();
    // Returns false when Form_Unload cancelled.
    bool Unload();
    // The object is released: unloads when loaded, then runs Form_Terminate once.
    void Release();

    bool Visible() const { return visible_; }
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void setLeft(float left);
    void setTop(float top);
    void setWidth(float width);
    void setHeight(float height);
    void Move(float left, float top);
    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    // Fills the client area where no control covers it; the system's face when unset.
    std::optional<Color> BackColor() const { return backColor_; }
    void setBackColor(Color color);
    void ZOrder();

    // Pops the menu up at the mouse position; returns when it has closed.
    void PopupMenu(Menu& menu);

    const std::vector<Control*>& Controls() const { return controls_; }
    const std::vector<Menu*>& Menus() const { return menus_; }

    MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;

    // Window's side.
    RECT ScreenRectPixels() const override;
    POINT ClientOriginPixels() const override;
    void SetTopmost(bool topmost) override;
    void SetPixelGeometry(int x, int y, int cx, int cy) override;
    bool Topmost() const { return topmost_; }

protected:
    // Sets the design: the window's own properties and every control's.
    virtual void InitializeComponent() = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload(int& /*cancel*/) {}
    virtual void Form_Terminate() {}

    BorderStyle borderStyle = BorderStyle::FixedSingle;
    StartUpPosition startUpPosition = StartUpPosition::Manual;
    bool showInTaskbar = true;
    Picture icon;

    void StyleChanged() override;

private:
    friend class Control;
    friend class Menu;
    friend class FormWindow;
    void Adopt(Control& control) { controls_.push_back(&control); }
    void Adopt(Menu& menu) { menus_.push_back(&menu); }
    // Buttons are also kept apart: Enter and Escape look for the default and cancel
    // buttons, and option buttons exclude their siblings.
    friend class CommandButton;
    friend class OptionButton;
    std::vector<CommandButton*> buttons_;
    std::vector<OptionButton*> options_;
    void ResetToDefaults();
    void ApplyGeometry();
    void Closing(bool& accept);

    Runtime& runtime_;
    std::string name_;
    std::vector<Control*> controls_;
    std::vector<Menu*> menus_;
    void RetireWindow();
    std::unique_ptr<FormWindow> window_;  // the loaded window
    // Unloaded windows, kept until the event loop is back where they unloaded: the unload
    // may run inside one of the window's own events.
    std::vector<std::unique_ptr<FormWindow>> retired_;
    std::unique_ptr<QObject> events_;  // context of the deferred calls, gone with the form
    bool loaded_ = false, visible_ = false, topmost_ = false, terminated_ = false;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string caption_;
    int mousePointer_ = 0;
    std::optional<Color> backColor_;
    void ApplyBackColor();
};

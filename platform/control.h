#pragma once
// What every control of a window has: a name, a place in twips relative to its container,
// visibility, a tag, a tooltip, a mouse pointer and the mouse and key events. A control's
// properties live here; its Qt widget exists only while the window is loaded, and an
// unload puts every property back to its default, so the next load starts from the design.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/events.h"

class Form;
class QWidget;

class Control {
public:
    Control(Form& form, std::string name, int16_t index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    int16_t Index() const { return index_; }  // -1 outside a control array
    Form& Parent() const { return form_; }

    // Timers, menus and other service controls have no place on the window.
    virtual bool HasGeometry() const { return true; }
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    virtual void setLeft(float left);
    virtual void setTop(float top);
    virtual void setWidth(float width);
    virtual void setHeight(float height);
    void Move(float left, float top, float width, float height);

    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const std::string& Tag() const { return tag_; }
    void setTag(std::string tag) { tag_ = std::move(tag); }
    const std::string& ToolTipText() const { return toolTip_; }
    void setToolTipText(std::string text);
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    // The container whose client area Left and Top are measured in; the window by default.
    Control* Container() const { return container_; }
    void setContainer(Control& container) { container_ = &container; }

    void SetFocus();
    bool HasFocus() const;

    MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;
    std::function<void()> OnClick, OnDblClick;
    KeyHandler OnKeyDown, OnKeyUp;

    // The runtime's side: build the widget at load, drop it at unload.
    void Realize(QWidget* parent);
    virtual void Unrealize();
    void ResetToDefaults();
    QWidget* Widget() const { return widget_; }

protected:
    virtual QWidget* CreateWidget(QWidget* parent) = 0;
    // Pushes every property into the widget; called after each change while realized.
    virtual void Apply();
    virtual void ResetOwnProperties() {}
    float TwipsPerPixelX() const;
    float TwipsPerPixelY() const;

private:
    Form& form_;
    std::string name_;
    int16_t index_;
    QWidget* widget_ = nullptr;
    Control* container_ = nullptr;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true;
    std::string tag_, toolTip_;
    int mousePointer_ = MousePointers::vbDefault;
};

#include "platform/form.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPixmap>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "platform/command_button.h"
#include "platform/control.h"
#include "platform/qt/font_map.h"
#include "platform/qt/form_window.h"
#include "platform/menu.h"
#include "platform/qt/menu_builder.h"
#include "platform/qt/picture_data.h"
#include "platform/runtime.h"

namespace {

intptr_t StyleOf(BorderStyle border) {
    switch (border) {
        case BorderStyle::None: return 0;
        case BorderStyle::FixedSingle:
        case BorderStyle::FixedDialog: return WS_BORDER | WS_DLGFRAME | WS_SYSMENU;
        case BorderStyle::Sizable:
            return WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                   WS_MAXIMIZEBOX;
    }
    return 0;
}

int Pixels(float twips, float twipsPerPixel) { return int(std::lround(twips / twipsPerPixel)); }

}  // namespace

// ---- FormWindow ------------------------------------------------------------------------

FormWindow::FormWindow(Form& form)
    : form_(form),
      client_(new widget_events::EventWidget<QWidget>(widget_events::MouseSink{}, this)) {
    widget_events::MouseSink sink;
    sink.down = &form.OnMouseDown;
    sink.move = &form.OnMouseMove;
    sink.up = &form.OnMouseUp;
    sink.twipsX = form.runtime().TwipsPerPixelX();
    sink.twipsY = form.runtime().TwipsPerPixelY();
    static_cast<widget_events::EventWidget<QWidget>*>(client_)->setSink(sink);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWindow::Retire() {
    retired_ = true;
    hide();
    // A disabled widget gets no mouse or key events, so none reaches the form's controls.
    setEnabled(false);
    static_cast<widget_events::EventWidget<QWidget>*>(client_)->setSink({});
}

void FormWindow::BuildMenuBar() {
    bool any = false;
    for (Menu* menu : form_.Menus()) any = any || menu->Visible();
    if (!any) return;
    menuBar_ = new QMenuBar(this);
    for (Menu* menu : form_.Menus()) {
        if (!menu->Visible()) continue;
        QMenu* top = menuBar_->addMenu(QString::fromStdString(menu->Caption()));
        QObject::connect(top, &QMenu::aboutToShow, top, [top, menu] {
            menu->Click();
            FillQMenu(*top, *menu);
        });
        FillQMenu(*top, *menu);
    }
}

int FormWindow::MenuBarHeight() const { return menuBar_ ? menuBar_->sizeHint().height() : 0; }

void FormWindow::SetClientSize(int width, int height) {
    int bar = MenuBarHeight();
    if (menuBar_) menuBar_->setGeometry(0, 0, width, bar);
    client_->setGeometry(0, bar, width, height);
    resize(width, height + bar);
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    int bar = MenuBarHeight();
    if (menuBar_) menuBar_->setGeometry(0, 0, width(), bar);
    client_->setGeometry(0, bar, width(), height() - bar);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    if (retired_) return event->accept();
    bool accept = true;
    form_.Closing(accept);
    if (accept) {
        event->accept();
    } else {
        event->ignore();
    }
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    bool escape = event->key() == Qt::Key_Escape;
    // Enter presses the command button that has the focus; only elsewhere the default one.
    if (enter) {
        for (CommandButton* button : form_.buttons_) {
            if (button->Widget() && button->Widget() == focusWidget()) {
                button->Press();
                return;
            }
        }
    }
    for (CommandButton* button : form_.buttons_) {
        if ((enter && button->Default()) || (escape && button->Cancel())) {
            button->Press();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

// ---- Form ------------------------------------------------------------------------------

Form::Form(Runtime& runtime, std::string name)
    : Window(runtime.user32()),
      runtime_(runtime),
      name_(std::move(name)),
      events_(std::make_unique<QObject>()) {}

// The windows go with the form, retired first so that none calls the controls gone before.
Form::~Form() {
    if (window_) window_->Retire();
}

void Form::RetireWindow() {
    window_->Retire();
    FormWindow* window = window_.get();
    retired_.push_back(std::move(window_));
    // A marker's deferred delete comes when the loop is back where it was posted, as the
    // window's own would.
    auto* marker = new QObject;
    QObject::connect(marker, &QObject::destroyed, events_.get(), [this, window] {
        std::erase_if(retired_, [window](const auto& held) { return held.get() == window; });
    });
    marker->deleteLater();
}

void Form::ResetToDefaults() {
    left_ = top_ = width_ = height_ = 0;
    caption_.clear();
    mousePointer_ = 0;
    backColor_.reset();
    topmost_ = false;
    for (Control* control : controls_) control->ResetToDefaults();
    for (Menu* menu : menus_) menu->ResetToDesign();
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    terminated_ = false;
    runtime_.FormLoaded(*this);
    ResetToDefaults();
    InitializeComponent();
    setStyle(StyleOf(borderStyle));
    if (startUpPosition == StartUpPosition::CenterScreen) {
        PixelRect area = runtime_.desktop().WorkArea();
        float tx = runtime_.TwipsPerPixelX(), ty = runtime_.TwipsPerPixelY();
        left_ = ((area.left + area.right) * tx - width_) / 2;
        top_ = ((area.top + area.bottom) * ty - height_) / 2;
    }

    window_ = std::make_unique<FormWindow>(*this);
    window_->setWindowTitle(QString::fromStdString(caption_));
    if (!icon.IsEmpty()) window_->setWindowIcon(QIcon(QPixmap::fromImage(icon.Data()->Image())));
    StyleChanged();
    ApplyBackColor();
    for (Control* control : controls_) control->Realize(window_->Client());
    window_->BuildMenuBar();
    ApplyGeometry();
    CreateHandle();
    Form_Load();
}

void Form::Show() {
    Load();
    if (!loaded_) return;  // the load closed the window again
    visible_ = true;
    window_->show();
    // The offscreen platform of the tests has no stacking order to change.
    if (QGuiApplication::platformName() != "offscreen") window_->raise();
}

bool Form::Unload() {
    if (!loaded_) return true;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0 || !loaded_) return cancel == 0;
    loaded_ = false;
    visible_ = false;
    DestroyHandle();
    for (Control* control : controls_) control->Unrealize();
    if (window_) RetireWindow();
    runtime_.FormUnloaded(*this);
    return true;
}

void Form::Release() {
    if (terminated_) return;
    Unload();
    terminated_ = true;
    Form_Terminate();
}

void Form::Closing(bool& accept) { accept = Unload(); }

void Form::ApplyGeometry() {
    if (!window_) return;
    float tx = runtime_.TwipsPerPixelX(), ty = runtime_.TwipsPerPixelY();
    int width = Pixels(width_, tx), height = Pixels(height_, ty);
    window_->move(Pixels(left_, tx), Pixels(top_, ty));
    window_->SetClientSize(width, height);
    if (borderStyle != BorderStyle::Sizable) {
        window_->setFixedSize(width, height + window_->MenuBarHeight());
    }
}

void Form::setLeft(float left) {
    left_ = left;
    ApplyGeometry();
}
void Form::setTop(float top) {
    top_ = top;
    ApplyGeometry();
}
void Form::setWidth(float width) {
    width_ = width < 0 ? 0 : width;
    ApplyGeometry();
}
void Form::setHeight(float height) {
    height_ = height < 0 ? 0 : height;
    ApplyGeometry();
}
void Form::Move(float left, float top) {
    left_ = left;
    top_ = top;
    ApplyGeometry();
}

void Form::setCaption(std::string caption) {
    caption_ = std::move(caption);
    if (window_) window_->setWindowTitle(QString::fromStdString(caption_));
}

void Form::setMousePointer(int pointer) {
    mousePointer_ = pointer;
    if (window_) window_->setCursor(widget_events::CursorOf(pointer));
}

void Form::setBackColor(Color color) {
    backColor_ = color;
    ApplyBackColor();
}

void Form::ApplyBackColor() {
    if (!window_ || !backColor_) return;
    QWidget* client = window_->Client();
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, ToQColor(*backColor_));
    client->setPalette(palette);
    client->setAutoFillBackground(true);
}

void Form::ZOrder() {
    if (window_) {
        window_->raise();
        window_->activateWindow();
    }
}

void Form::PopupMenu(Menu& menu) {
    runtime_.desktop().PopupMenu(menu, runtime_.desktop().CursorPos());
}

RECT Form::ScreenRectPixels() const {
    float tx = runtime_.TwipsPerPixelX(), ty = runtime_.TwipsPerPixelY();
    RECT rect{Pixels(left_, tx), Pixels(top_, ty), 0, 0};
    rect.right = rect.left + Pixels(width_, tx);
    rect.bottom = rect.top + Pixels(height_, ty);
    return rect;
}

POINT Form::ClientOriginPixels() const {
    RECT rect = ScreenRectPixels();
    return POINT{rect.left, rect.top + (window_ ? window_->MenuBarHeight() : 0)};
}

void Form::SetPixelGeometry(int x, int y, int cx, int cy) {
    float tx = runtime_.TwipsPerPixelX(), ty = runtime_.TwipsPerPixelY();
    left_ = float(x) * tx;
    top_ = float(y) * ty;
    width_ = float(cx) * tx;
    height_ = float(cy) * ty;
    ApplyGeometry();
}

void Form::SetTopmost(bool topmost) {
    topmost_ = topmost;
    StyleChanged();
}

void Form::StyleChanged() {
    if (!window_) return;
    bool frameless = (Style() & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) == 0;
    Qt::WindowFlags flags = showInTaskbar ? Qt::Window : Qt::Tool;
    if (frameless) {
        flags |= Qt::FramelessWindowHint;
    } else if (borderStyle != BorderStyle::Sizable) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    }
    if (topmost_) flags |= Qt::WindowStaysOnTopHint;
    if (window_->windowFlags() == flags) return;
    bool shown = window_->isVisible();
    window_->setWindowFlags(flags);
    if (shown) window_->show();
}

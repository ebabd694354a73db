#pragma once
// Qt side of Form: the top-level widget, with an optional menu bar above the client area
// where the controls live. An unloaded form retires its window: hidden, deaf to input and
// cut off from the form until the form deletes it.

#include <QMenuBar>
#include <QWidget>

#include "platform/qt/widget_events.h"

class Form;

class FormWindow : public QWidget {
public:
    explicit FormWindow(Form& form);

    QWidget* Client() const { return client_; }
    void BuildMenuBar();
    int MenuBarHeight() const;
    void SetClientSize(int width, int height);
    void Retire();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Form& form_;
    bool retired_ = false;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
};

#pragma once
// Qt side of Form: the top-level widget, with an optional menu bar above the client area
// where the controls live.

#include <QMenuBar>
#include <QWidget>

#include "platform/widget_events.h"

class Form;

class FormWindow : public QWidget {
public:
    explicit FormWindow(Form& form);

    QWidget* Client() const { return client_; }
    void BuildMenuBar();
    int MenuBarHeight() const;
    void SetClientSize(int width, int height);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Form& form_;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
};

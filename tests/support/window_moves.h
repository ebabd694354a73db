#pragma once
// Counts the moves a top-level window makes: each is a round of requests to a real window
// system, and every one the user sees.

#include <QEvent>
#include <QObject>
#include <QWidget>

class WindowMoves : public QObject {
public:
    explicit WindowMoves(QWidget* window) { window->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Move) ++count;
        return false;
    }
};

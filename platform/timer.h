#pragma once
// A timer control: ticks every Interval milliseconds while enabled and its window is
// loaded. Enabling it starts a full interval.

#include "platform/control.h"

class Timer : public Control {
public:
    using Control::Control;

    bool HasGeometry() const override { return false; }
    int Interval() const { return interval_; }
    void setInterval(int milliseconds);

    std::function<void()> OnTimer;

protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void Apply() override;
    void Unrealize() override;
    void ResetOwnProperties() override { interval_ = 0; }

private:
    int interval_ = 0;
};

#pragma once
// The ticker window: a borderless, skinned strip that shows one quote at a time.

#include "platform/form.h"

class Program;

class Ticker : public Form {
public:
    explicit Ticker(Program& program);

protected:
    void InitializeComponent() override;
    void Form_Load() override;

private:
    Program& program_;
};

#pragma once
// Check For Updates: fetches the version file from the maker's host and compares it with
// the program's own version. While it is open, CL keeps the ticker from refreshing.

#include <string>

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/inet.h"
#include "platform/label.h"
#include "platform/picture_box.h"

class Program;

class UpdateChecker : public Form {
public:
    explicit UpdateChecker(Program& program);

    // The text of the last version file fetched.
    std::string NewestVersion;

    PictureBox Picture1{*this, "Picture1"};
    Label Label1{*this, "Label1"}, lblState{*this, "lblState"};
    CommandButton cmdCheck{*this, "cmdCheck"}, cmdClose{*this, "cmdClose"};
    Inet inetUpdate;

    void cmdCheck_Click();
    void cmdClose_Click();
    void inetUpdate_StateChanged(int16_t state);

protected:
    void InitializeComponent() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_Terminate() override;

private:
    void SetCL(bool value);
    Program& program_;
};

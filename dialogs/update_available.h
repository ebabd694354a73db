#pragma once
// Offers the maker's web site when the update check has found a newer version.

#include <functional>
#include <string>

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/label.h"
#include "platform/picture_box.h"

class Program;

class UpdateAvailable : public Form {
public:
    explicit UpdateAvailable(Program& program);

    // Raised before the site opens; a listener may change the address or cancel.
    std::function<void(std::string& url, bool& cancel)> GoToURL;

    PictureBox Picture1{*this, "Picture1"};
    Label Label1{*this, "Label1"}, Label2{*this, "Label2"};
    CommandButton Command1{*this, "Command1"}, Command2{*this, "Command2"};

    void Command1_Click();
    void Command2_Click();

protected:
    void InitializeComponent() override;
    void Form_Load() override;

private:
    Program& program_;
};

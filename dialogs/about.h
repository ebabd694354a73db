#pragma once
// The About box: the product, its version, a data disclaimer and three links (the maker's
// web site, a mail to the maker, the quote service's home page).

#include <functional>
#include <string>

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/frame.h"
#include "platform/label.h"
#include "platform/picture_box.h"

class Program;

class About : public Form {
public:
    explicit About(Program& program);

    // Raised before a link opens; a listener may change the address or cancel.
    std::function<void(std::string& url, bool& cancel)> GoToURL;

    // Frames first, as they contain the rest.
    Frame Frame1{*this, "Frame1"}, Frame3{*this, "Frame3"};
    PictureBox Picture1{*this, "Picture1"};
    Label Label1{*this, "Label1"}, Label3{*this, "Label3"}, Label2{*this, "Label2"};
    Label Label4{*this, "Label4"}, Label5{*this, "Label5"}, Label7{*this, "Label7"};
    Label Label6{*this, "Label6"};
    PictureBox Picture2{*this, "Picture2"};
    Label Label9{*this, "Label9"};
    CommandButton Command1{*this, "Command1"};

    // The links' addresses.
    std::string QuoteServiceAddress() const;
    std::string WebSiteAddress() const;
    std::string MailAddress() const;

    void Command1_Click();
    void Picture2_MouseDown(int button, int shift, float x, float y);
    void Label5_MouseDown(int button, int shift, float x, float y);
    void Label7_MouseDown(int button, int shift, float x, float y);

protected:
    void InitializeComponent() override;
    void Form_Load() override;

private:
    void FollowLink(int button, std::string address);
    Program& program_;
};

#include "dialogs/about.h"

#include "dialogs/maker.h"
#include "dialogs/open_address.h"
#include "platform/runtime.h"
#include "settings/always_on_top.h"
#include "ticker/program.h"

namespace {

constexpr int kLeftButton = 1;
constexpr Color kLinkBlue = RGB(0, 0, 192);

void MakeLink(Label& label) {
    Font font = label.GetFont();
    font.Underline = true;
    label.setFont(font);
    label.setForeColor(kLinkBlue);
}

}  // namespace

About::About(Program& program) : Form(program.runtime, "About"), program_(program) {
    Command1.OnClick = [this] { Command1_Click(); };
    Picture2.OnMouseDown = [this](int b, int s, float x, float y) { Picture2_MouseDown(b, s, x, y); };
    Label5.OnMouseDown = [this](int b, int s, float x, float y) { Label5_MouseDown(b, s, x, y); };
    Label7.OnMouseDown = [this](int b, int s, float x, float y) { Label7_MouseDown(b, s, x, y); };
}

std::string About::QuoteServiceAddress() const { return "http://" + program_.hosts.QuoteHost; }
std::string About::WebSiteAddress() const { return "http://" + program_.hosts.MakerWebHost; }
std::string About::MailAddress() const { return std::string("mailto:") + Maker::kEmailAddress; }

void About::InitializeComponent() {
    borderStyle = BorderStyle::FixedDialog;
    startUpPosition = StartUpPosition::CenterScreen;
    setCaption("About Vesk Ticker");
    setWidth(5700);
    setHeight(4095);

    Picture1.Move(150, 150, 960, 960);
    Picture1.setPicture(Picture::Load(":/skins/app/icon.png"));
    Frame1.Move(1290, 60, 4260, 1110);
    auto place = [](Control& control, Frame& frame, float left, float top, float width,
                    float height) {
        control.setContainer(frame);
        control.Move(left, top, width, height);
    };
    place(Label1, Frame1, 150, 210, 3960, 300);
    Font title;
    title.Size = 12;
    title.Bold = true;
    Label1.setFont(title);
    Label1.setCaption(Maker::kNameLine);
    place(Label3, Frame1, 150, 540, 3960, 210);
    Label3.setCaption("Version 4.00 - March 11, 2001");
    place(Label2, Frame1, 150, 780, 3960, 210);
    Label2.setCaption(Maker::kNotice);

    Frame3.Move(150, 1260, 5400, 1140);
    place(Label4, Frame3, 150, 240, 1680, 210);
    Label4.setCaption("Vesk Ticker Web Site:");
    place(Label5, Frame3, 1860, 240, 3390, 210);
    Label5.setCaption(WebSiteAddress());
    MakeLink(Label5);
    place(Label7, Frame3, 1860, 480, 3390, 210);
    Label7.setCaption(Maker::kContactName);
    Label7.setToolTipText(Maker::kEmailAddress);
    MakeLink(Label7);
    place(Label6, Frame3, 150, 780, 1680, 210);
    Label6.setCaption("Powered By");
    place(Picture2, Frame3, 1860, 720, 1560, 330);
    Picture2.setPicture(Picture::Load(":/skins/app/quoteService.png"));
    Picture2.setToolTipText(Maker::kQuoteServiceName);

    Label9.Move(150, 2550, 5400, 840);
    Label9.setWordWrap(true);
    Label9.setCaption(
        "Data is provided for informational puposes only and is not intended for trading "
        "purposes. Neither Vesk Software nor its data providers shall be liable for any delays "
        "or errors in the content, or for any actions taken in reliance on it.");
    Command1.Move(3855, 3540, 1695, 375);
    Command1.setCaption("OK");
    Command1.setDefault(true);
}

void About::Form_Load() { AlwaysOnTop::SetAlwaysOnTop(*this); }

void About::Command1_Click() { Unload(); }

void About::FollowLink(int button, std::string address) {
    if (button & kLeftButton) {
        bool cancel = false;
        if (GoToURL) GoToURL(address, cancel);
        if (cancel) return;
        OpenAddress(*this, address);
    }
    runtime().setScreenMousePointer(MousePointers::vbDefault);
}

void About::Picture2_MouseDown(int button, int, float, float) {
    FollowLink(button, QuoteServiceAddress());
}
void About::Label5_MouseDown(int button, int, float, float) { FollowLink(button, WebSiteAddress()); }
void About::Label7_MouseDown(int button, int, float, float) { FollowLink(button, MailAddress()); }

#include "dialogs/update_available.h"

#include "dialogs/open_address.h"
#include "settings/always_on_top.h"
#include "ticker/program.h"

UpdateAvailable::UpdateAvailable(Program& program)
    : Form(program.runtime, "UpdateAvailable"), program_(program) {
    Command1.OnClick = [this] { Command1_Click(); };
    Command2.OnClick = [this] { Command2_Click(); };
}

void UpdateAvailable::InitializeComponent() {
    borderStyle = BorderStyle::FixedDialog;
    startUpPosition = StartUpPosition::CenterScreen;
    setCaption("Vesk Ticker - Update Available");
    setWidth(5820);
    setHeight(1920);
    Picture1.Move(150, 150, 960, 960);
    Picture1.setPicture(Picture::Load(":/skins/app/icon.png"));
    Label1.Move(1320, 150, 4350, 255);
    Font bold;
    bold.Bold = true;
    Label1.setFont(bold);
    Label1.setCaption("A new version of Vesk Ticker is available.");
    Label2.Move(1320, 480, 4350, 600);
    Label2.setWordWrap(true);
    Label2.setCaption("You can go to the Vesk Ticker Web Site to download the latest version by "
                      "clicking the button below.");
    Command1.Move(1320, 1320, 2775, 375);
    Command1.setCaption("Go to the Vesk Ticker Web Site");
    Command1.setDefault(true);
    Command2.Move(4290, 1320, 1380, 375);
    Command2.setCaption("Cancel");
}

void UpdateAvailable::Form_Load() { AlwaysOnTop::SetAlwaysOnTop(*this); }

void UpdateAvailable::Command1_Click() {
    std::string address = "http://" + program_.hosts.MakerWebHost;
    bool cancel = false;
    if (GoToURL) GoToURL(address, cancel);
    if (cancel) return;
    OpenAddress(*this, address);
    Unload();
}

void UpdateAvailable::Command2_Click() { Unload(); }

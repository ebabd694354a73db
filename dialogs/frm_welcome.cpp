#include "dialogs/frm_welcome.h"

#include "ticker/program.h"

frmWelcome::frmWelcome(Program& program) : Form(program.runtime, "frmWelcome") {
    cmdOK.OnClick = [this] { cmdOK_Click(); };
    txtInfo.OnClick = [this] { txtInfo_Click(); };
    txtInfo.OnMouseDown = [this](int b, int s, float x, float y) { txtInfo_MouseDown(b, s, x, y); };
}

void frmWelcome::InitializeComponent() {
    borderStyle = BorderStyle::FixedDialog;
    startUpPosition = StartUpPosition::CenterScreen;
    setCaption("Welcome to Vesk Ticker");
    setWidth(5400);
    setHeight(3150);
    txtInfo.Move(120, 120, 5160, 2400);
    cmdOK.Move(3585, 2655, 1695, 375);
    cmdOK.setCaption("OK");
    cmdOK.setDefault(true);
}

void frmWelcome::Form_Load() {
    txtInfo.setText(
        "Welcome to Vesk Ticker!\r\n"
        "\r\n"
        "To begin using Vesk Ticker, you must first build a list of symbols to receive quotes "
        "for. To do this:\r\n"
        "\r\n"
        "1.  Either click on the button that resembles a list (the second button down on the "
        "right hand side of the ticker) OR click on the Options button (the button on the top "
        "left-hand side of the ticker) and click on Symbol Manager in the Options menu.\r\n"
        "\r\n"
        "2.  While in the Symbol Manager, use the Symbol menu at the top to add, modify, or "
        "delete symbols.");
}

void frmWelcome::cmdOK_Click() { Unload(); }

void frmWelcome::txtInfo_Click() { cmdOK.SetFocus(); }

void frmWelcome::txtInfo_MouseDown(int, int, float, float) { cmdOK.SetFocus(); }

#include "dialogs/update_checker.h"

#include "dialogs/update_available.h"
#include "dialogs/version_number.h"
#include "platform/runtime.h"
#include "settings/always_on_top.h"
#include "ticker/config.h"
#include "ticker/program.h"

UpdateChecker::UpdateChecker(Program& program)
    : Form(program.runtime, "UpdateChecker"), program_(program) {
    cmdCheck.OnClick = [this] { cmdCheck_Click(); };
    cmdClose.OnClick = [this] { cmdClose_Click(); };
    inetUpdate.OnStateChanged = [this](int16_t state) { inetUpdate_StateChanged(state); };
}

void UpdateChecker::InitializeComponent() {
    borderStyle = BorderStyle::FixedDialog;
    startUpPosition = StartUpPosition::CenterScreen;
    setCaption("Vesk Ticker - Check For Updates");
    setWidth(5100);
    setHeight(1380);
    Picture1.Move(150, 150, 960, 960);
    Picture1.setPicture(Picture::Load(":/skins/app/icon.png"));
    Label1.Move(1320, 240, 600, 195);
    Label1.setCaption("Status:");
    lblState.Move(1920, 240, 3000, 195);
    lblState.setCaption("Ready");
    cmdCheck.Move(1320, 780, 1695, 375);
    cmdCheck.setCaption("Check for Updates");
    cmdCheck.setDefault(true);
    cmdClose.Move(3225, 780, 1695, 375);
    cmdClose.setCaption("Close");
}

void UpdateChecker::SetCL(bool value) { program_.config().CL = value; }

void UpdateChecker::Form_Load() {
    SetCL(true);
    AlwaysOnTop::SetAlwaysOnTop(*this);
}

void UpdateChecker::cmdCheck_Click() {
    if (inetUpdate.StillExecuting()) return;
    lblState.setCaption("Looking for a Newer Version...");
    Show();
    NewestVersion = inetUpdate.OpenURL("http://" + program_.hosts.MakerHost + "/currentversion.txt");
    if (inetUpdate.LastFetchFailed()) {
        lblState.setCaption("Failed to Connect");
        return;
    }
    if (DecimalNumber::Leading(NewestVersion) > ProgramVersion(runtime().App())) {
        program_.updateAvailable().Show();
        Unload();
    } else {
        lblState.setCaption("No update is needed.");
    }
}

void UpdateChecker::inetUpdate_StateChanged(int16_t state) {
    if (state == InetState::icError) lblState.setCaption("Failed to Connect");
}

void UpdateChecker::cmdClose_Click() {
    SetCL(false);
    Unload();
}

// Closing the dialog while the fetch waits abandons it, so no result lands afterwards.
void UpdateChecker::Form_Unload(int&) {
    inetUpdate.Cancel();
    SetCL(false);
}

void UpdateChecker::Form_Terminate() { SetCL(false); }

#include "ticker/start_up.h"

#include "dialogs/frm_welcome.h"
#include "platform/runtime.h"
#include "settings/dpi.h"
#include "settings/registry2.h"
#include "settings/symbol_file.h"
#include "ticker/program.h"
#include "ticker/ticker.h"

namespace StartUp {

void Main(Program& program) {
    Runtime& runtime = program.runtime;
    Registry2::CreateNewKey(runtime, HKEY_CURRENT_USER, Registry2::kMainKey);
    Registry2::CreateNewKey(runtime, HKEY_CURRENT_USER, Registry2::kChartKey);

    int dpi = DPI::GetDPI(runtime);
    if (dpi != 96 && dpi != 120) {
        runtime.MsgBox(
            "Vesk Ticker must be run in either Small or Large Font mode. You are not using either "
            "of these. If you would like to use Vesk Ticker, please adjust your Font Size.",
            MsgBox::vbExclamation);
        runtime.End();
        return;
    }

    program.ticker().Show();

    std::string symbolFile = runtime.App().Path + "/" + SymbolFile::kName;
    if (runtime.files().FileLen(symbolFile) <= 0) {
        frmWelcome& welcome = program.frmWelcome();
        welcome.Show();
        welcome.ZOrder();
    }
}

}  // namespace StartUp

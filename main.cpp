#include "platform/program_main.h"
#include "platform/runtime.h"
#include "ticker/program.h"
#include "ticker/start_up.h"

int main(int argc, char** argv) {
    return RunProgram(argc, argv, [](Runtime& runtime) {
        Program program(runtime);
        return runtime.RunMessageLoop([&program] { StartUp::Main(program); });
    });
}

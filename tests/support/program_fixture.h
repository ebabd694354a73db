#pragma once
// A fresh program over temporary folders and a scripted desktop, for each test. A failing
// test keeps its folders for inspection.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "platform/runtime.h"
#include "support/scripted_desktop.h"
#include "ticker/program.h"

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest();
    ~ProgramTest() override;

    // Builds the runtime and program now (tests first script the desktop or the folders).
    Program& Start();
    Runtime& runtime() { return *runtime_; }
    Program& program() { return *program_; }

    std::string ProgramFile(const std::string& name) const;
    void WriteProgramFile(const std::string& name, const std::string& bytes) const;
    std::string ReadProgramFile(const std::string& name) const;
    // Writes stockdata.std from (symbol, name) pairs.
    void WriteSymbols(std::initializer_list<std::pair<std::string, std::string>> rows) const;

    ScriptedDesktop desktop;
    QTemporaryDir programFolder;
    QTemporaryDir settingsFolder;

private:
    std::unique_ptr<Runtime> runtime_;
    std::unique_ptr<Program> program_;
};

// A value as the store holds it, read with the raw registry calls.
struct StoredValue {
    bool found = false;
    uint32_t type = 0;
    std::string bytes;  // including any terminating zero
};
StoredValue ReadStored(Registry& registry, std::string_view keyPath, std::string_view name);

#include "support/program_fixture.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "settings/stock_record.h"

ProgramTest::ProgramTest() = default;

ProgramTest::~ProgramTest() {
    program_.reset();
    runtime_.reset();
    bool keep = ::testing::Test::HasFailure();
    programFolder.setAutoRemove(!keep);
    settingsFolder.setAutoRemove(!keep);
    if (keep)
        std::cerr << "kept " << programFolder.path().toStdString() << " and "
                  << settingsFolder.path().toStdString() << "\n";
}

Program& ProgramTest::Start() {
    program_.reset();
    runtime_.reset();
    runtime_ = std::make_unique<Runtime>(
        desktop, RuntimeFolders{programFolder.path().toStdString(),
                                settingsFolder.path().toStdString() + "/vesk-ticker"});
    program_ = std::make_unique<Program>(*runtime_);
    return *program_;
}

std::string ProgramTest::ProgramFile(const std::string& name) const {
    return programFolder.path().toStdString() + "/" + name;
}

void ProgramTest::WriteProgramFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(ProgramFile(name), std::ios::binary) << bytes;
}

std::string ProgramTest::ReadProgramFile(const std::string& name) const {
    std::ifstream in(ProgramFile(name), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void ProgramTest::WriteSymbols(
    std::initializer_list<std::pair<std::string, std::string>> rows) const {
    std::string bytes;
    for (const auto& [symbol, name] : rows) {
        StockRecord record = StockRecord::From(symbol, name);
        bytes.append(record.bytes.data(), record.bytes.size());
    }
    WriteProgramFile("stockdata.std", bytes);
}

StoredValue ReadStored(Registry& registry, std::string_view keyPath, std::string_view name) {
    StoredValue value;
    HKEY key = 0;
    if (registry.RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, KEY_ALL_ACCESS_LEGACY, key) !=
        ERROR_SUCCESS)
        return value;
    uint8_t buffer[1024];
    uint32_t length = sizeof buffer;
    value.found =
        registry.RegQueryValueExA(key, name, &value.type, buffer, length) == ERROR_SUCCESS;
    if (value.found) value.bytes.assign(reinterpret_cast<char*>(buffer), length);
    registry.RegCloseKey(key);
    return value;
}

#pragma once
// A program whose quote host is a test server on 127.0.0.1, answering every quote request
// with quoteReply.

#include <string>

#include "support/program_fixture.h"
#include "support/test_http_server.h"

class Ticker;

class TickerTest : public ProgramTest {
protected:
    TickerTest();

    // Sets the reply every later quote request gets.
    void SetQuoteReply(const std::string& body, int delayMs = 0);
    // Stores a setting under the main key before the program starts reading it.
    void StoreSetting(const std::string& name, const std::string& value);
    // Starts the program and shows the ticker, as start-up does.
    Ticker& ShowTicker();
    // Requests the server received for quotes, as "s=..." query texts.
    std::vector<std::string> RequestedSymbols() const;

    TestHttpServer server;

private:
    std::vector<std::pair<std::string, std::string>> settings_;
};

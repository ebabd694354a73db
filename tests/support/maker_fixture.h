#pragma once
// A ticker program whose quote host, maker host and maker web host are all the test
// server on 127.0.0.1 (or the maker host one where nothing listens), with symbols stored
// so that no welcome window comes up.

#include "support/ticker_fixture.h"

class MakerTest : public TickerTest {
protected:
    MakerTest();
    // "127.0.0.1:<port>" of the test server.
    std::string ServerHost() const;
    // The version file the maker host answers with.
    void SetVersionFile(const std::string& body);
    // Points the maker host at a port nobody listens on.
    void RefuseMakerHost();
    // Requests the server received for the path, whatever their query.
    size_t RequestsFor(const std::string& path) const;

private:
    void WriteHosts(const std::string& makerHost);
};

#include "support/maker_fixture.h"

MakerTest::MakerTest() {
    WriteHosts(ServerHost());
    WriteSymbols({{"IBM", "IBM"}, {"MSFT", "Microsoft"}});
}

std::string MakerTest::ServerHost() const { return server.url("").substr(7); }

void MakerTest::WriteHosts(const std::string& makerHost) {
    WriteProgramFile("vesk-ticker.conf", "[Hosts]\nQuoteHost=" + ServerHost() +
                                             "\nMakerHost=" + makerHost +
                                             "\nMakerWebHost=" + ServerHost() + "\n");
}

void MakerTest::SetVersionFile(const std::string& body) {
    TestHttpServer::Route route;
    route.body = QByteArray::fromStdString(body);
    server.setRoute("/currentversion.txt", route);
}

void MakerTest::RefuseMakerHost() {
    WriteHosts("127.0.0.1:" + std::to_string(TestHttpServer::unusedPort()));
}

size_t MakerTest::RequestsFor(const std::string& path) const {
    QByteArray wanted = QByteArray::fromStdString("GET " + path);
    size_t count = 0;
    for (const QByteArray& line : server.requestLines()) {
        char next = line.size() > wanted.size() ? line[wanted.size()] : '\0';
        if (line.startsWith(wanted) && (next == ' ' || next == '?')) ++count;
    }
    return count;
}

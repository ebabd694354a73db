#include "support/ticker_fixture.h"

#include <QUrl>
#include <QUrlQuery>

#include "settings/registry2.h"
#include "ticker/ticker.h"

TickerTest::TickerTest() {
    std::string base = server.url("");
    WriteProgramFile("vesk-ticker.conf", "[Hosts]\nQuoteHost=" + base.substr(7) + "\n");
    SetQuoteReply("\"IBM\",84.50,\"12/10/2026\",\"4:01pm\",+0.88,84.40,85.00,83.60,4573100\r\n");
}

void TickerTest::SetQuoteReply(const std::string& body, int delayMs) {
    TestHttpServer::Route route;
    route.body = QByteArray::fromStdString(body);
    route.delayMs = delayMs;
    server.setRoute("/d/quotes.csv", route);
}

void TickerTest::StoreSetting(const std::string& name, const std::string& value) {
    settings_.emplace_back(name, value);
}

Ticker& TickerTest::ShowTicker() {
    Start();
    Registry2::CreateNewKey(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey);
    Registry2::CreateNewKey(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey);
    for (const auto& [name, value] : settings_)
        Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kMainKey, name, value);
    Ticker& ticker = program().ticker();
    ticker.Show();
    return ticker;
}

std::vector<std::string> TickerTest::RequestedSymbols() const {
    std::vector<std::string> symbols;
    for (const QByteArray& line : server.requestLines()) {
        QUrl url(QString::fromLatin1(line.split(' ').value(1)));
        symbols.push_back(QUrlQuery(url).queryItemValue("s", QUrl::FullyDecoded).toStdString());
    }
    return symbols;
}

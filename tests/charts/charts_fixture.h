#pragma once
// A ticker whose quote and chart hosts are one test server on 127.0.0.1, with the chart
// window opened over stored chart settings.

#include <string>
#include <utility>
#include <vector>

#include "charts/charts.h"
#include "gif_writer.h"
#include "settings/registry2.h"
#include "support/ticker_fixture.h"
#include "ticker/ticker.h"

class ChartsTest : public TickerTest {
protected:
    ChartsTest() {
        const std::string host = server.url("").substr(7);
        WriteProgramFile("vesk-ticker.conf", "[Hosts]\nQuoteHost=" + host + "\nChartHostA=" +
                                                 host + "\nChartHostB=" + host + "\n");
        WriteSymbols({{"IBM", "International Business Machines"}, {"MSFT", "Microsoft"}});
    }

    // Stored under the chart key when the ticker starts, before the chart window loads.
    void StoreChartSetting(const std::string& name, const std::string& value) {
        chartSettings_.emplace_back(name, value);
    }
    std::string StoredChartSetting(const std::string& name) {
        StoredValue value = ReadStored(runtime().registry(), Registry2::kChartKey, name);
        if (!value.found) return "<missing>";
        return value.bytes.substr(0, value.bytes.find('\0'));
    }
    // A first run stores the chart settings; the ticker then starts over them.
    Ticker& StartTicker() {
        Start();
        Registry2::CreateNewKey(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey);
        for (const auto& [name, value] : chartSettings_)
            Registry2::SetKeyValue(runtime(), HKEY_CURRENT_USER, Registry2::kChartKey, name,
                                   value);
        return ShowTicker();
    }
    Charts& ShowCharts() {
        StartTicker();
        Charts& charts = program().charts();
        charts.Show();
        return charts;
    }
    void SetChartReply(const std::string& path, const std::string& body, int status = 200) {
        TestHttpServer::Route route;
        route.body = QByteArray::fromStdString(body);
        route.status = status;
        server.setRoute(path, route);
    }
    size_t ChartRequests() const {
        size_t count = 0;
        for (const QByteArray& line : server.requestLines())
            if (!line.contains("/d/quotes.csv")) ++count;
        return count;
    }
    // A GIF of the given size in pixels, a diagonal line on black.
    static std::string Gif(int width, int height) {
        IndexedImage image;
        image.width = width;
        image.height = height;
        image.palette = {Rgb{0, 0, 0}, Rgb{0, 200, 0}};
        image.pixels.assign(size_t(width) * size_t(height), 0);
        for (int x = 0; x < width; ++x) image.pixels[size_t((x % height) * width + x)] = 1;
        return EncodeGif(image);
    }

private:
    std::vector<std::pair<std::string, std::string>> chartSettings_;
};

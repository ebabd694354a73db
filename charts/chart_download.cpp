// Downloading a chart into chart.gif and showing it.

#include "charts/chart_address.h"
#include "charts/charts.h"
#include "platform/runtime.h"
#include "ticker/program.h"

namespace {

// The service's "no chart" page: 75 two-byte characters, so 150 or 151 bytes.
bool IsNoChartReply(const std::vector<uint8_t>& bytes) { return bytes.size() / 2 == 75; }

}  // namespace

void Charts::picUpdate_Click() {
    const std::string address = ChartAddress(program_.hosts, lblChartType.Caption(), lblSymbol.Caption());
    gifCharts.setVisible(false);
    lblLoading.setVisible(true);
    picCharts.setPicture(Picture());

    std::vector<uint8_t> reply = inetCharts.OpenURLBytes(address);
    const bool fetched = !inetCharts.LastFetchFailed();
    if (fetched) ChartBytes = std::move(reply);
    runtime().DoEvents();
    if (fetched && !IsNoChartReply(ChartBytes)) StoreChart();

    runtime().DoEvents();
    lblLoading.setVisible(false);
    runtime().DoEvents();
    gifCharts.setFileName(ChartFile());
    runtime().DoEvents();
    gifCharts.setVisible(true);
}

// The new chart is written beside the old one and then takes its place in one step, so a
// failed write leaves the previous chart whole.
void Charts::StoreChart() {
    FileTable& files = runtime().files();
    const std::string target = ChartFile();
    const std::string part = target + ".part";
    files.Kill(part);
    if (files.Exists(part)) return;  // a leftover we may not replace would tear the chart
    int16_t number = files.FreeFile();
    if (number == 0 || files.Open(part, OpenMode::Binary, number, 0) != kNoError) return;
    FileError written = files.PutBytes(number, 0, ChartBytes);
    files.Close(number);
    if (written != kNoError || files.ReplaceFile(part, target) != kNoError) files.Kill(part);
}

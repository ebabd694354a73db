// scripts/run.sh as a user meets it: the ticker starts only when the local quote service
// it starts does, so that it never talks to whatever else holds the port. The build steps
// are stubbed; the quote service is the real one.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace {

class RunScriptTest : public testing::Test {
protected:
    RunScriptTest() {
        Copy(VESK_SOURCE_DIR "/scripts/run.sh", "scripts/run.sh");
        Write("scripts/install-deps.sh", "#!/bin/sh\n");
        Write("bin/cmake", "#!/bin/sh\n");
        Write("build/release/vesk-ticker", "#!/bin/sh\necho started > ticker-ran\n");
    }

    // The service the script starts, on the given port.
    void ServiceOnPort(quint16 port) {
        Write("build/release/tools/quote-service/vesk-quote-service",
              "#!/bin/sh\nexec " VESK_QUOTE_SERVICE_BINARY " --port " + std::to_string(port) + "\n");
    }

    void Write(const std::string& name, const std::string& text) {
        const QString path = tree.filePath(QString::fromStdString(name));
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), qint64(text.size()));
        file.setPermissions(file.permissions() | QFile::ExeOwner);
    }
    void Copy(const char* from, const std::string& to) {
        QFile source(from);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        Write(to, source.readAll().toStdString());
    }

    // Runs the script to its end; returns its exit code.
    int Run() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", tree.filePath("bin") + ":" + env.value("PATH"));
        env.insert("VESK_TICKER_HOME", tree.filePath("home"));
        script.setProcessEnvironment(env);
        script.start("bash", {tree.filePath("scripts/run.sh")});
        EXPECT_TRUE(script.waitForFinished(30000));
        return script.exitCode();
    }
    bool TickerRan() const { return QFile::exists(tree.filePath("ticker-ran")); }

    QTemporaryDir tree;
    QProcess script;
};

TEST_F(RunScriptTest, APortTakenStopsTheScriptWithTheServicesReason) {
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost));
    ServiceOnPort(holder.serverPort());
    EXPECT_NE(Run(), 0);
    EXPECT_FALSE(TickerRan());
    const std::string errors = script.readAllStandardError().toStdString();
    EXPECT_NE(errors.find("cannot listen on 127.0.0.1:" + std::to_string(holder.serverPort())),
              std::string::npos)
        << errors;
}

TEST_F(RunScriptTest, AFreePortStartsTheTicker) {
    ServiceOnPort(0);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(TickerRan());
}

}  // namespace

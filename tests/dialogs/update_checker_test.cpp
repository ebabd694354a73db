#include "dialogs/update_available.h"
#include "dialogs/update_checker.h"
#include "dialogs/version_number.h"
#include "support/maker_fixture.h"
#include "ticker/config.h"
#include "ticker/ticker.h"

namespace {

class UpdateCheckerTest : public MakerTest {
protected:
    // Opens the dialog from the ticker's options menu.
    UpdateChecker& Open() {
        ShowTicker();
        desktop.menuChoices = {"CheckforUpdatesMenuItem"};
        program().ticker().picOptions_MouseDown(1, 0, 0, 0);
        return program().updateChecker();
    }
    bool CL() { return program().config().CL; }
    // Runs during the fetch, from the dialog's state-change event for that state.
    void DuringTheFetch(int16_t when, std::function<void()> action) {
        UpdateChecker& checker = program().updateChecker();
        checker.inetUpdate.OnStateChanged = [&checker, when, action](int16_t state) {
            checker.inetUpdate_StateChanged(state);
            if (state == when) action();
        };
    }
};

TEST_F(UpdateCheckerTest, TheMenuItemOpensItReadyAndHoldingTheRefresh) {
    StoreSetting("Interval", "0");  // without CL every tick would fetch a quote
    UpdateChecker& checker = Open();
    EXPECT_TRUE(checker.Visible());
    EXPECT_EQ(checker.Caption(), "Vesk Ticker - Check For Updates");
    EXPECT_EQ(checker.lblState.Caption(), "Ready");
    EXPECT_TRUE(checker.cmdCheck.Default());
    EXPECT_TRUE(CL());
    size_t quotes = RequestsFor("/d/quotes.csv");
    program().ticker().Timer2_Timer();
    EXPECT_EQ(RequestsFor("/d/quotes.csv"), quotes);
    checker.cmdClose.Press();
    program().ticker().Timer2_Timer();
    EXPECT_EQ(RequestsFor("/d/quotes.csv"), quotes + 1);
}

struct VersionCase {
    std::string file;
    bool newer;
};

TEST_F(UpdateCheckerTest, OnlyANewerVersionFileOffersTheWebSite) {
    const VersionCase cases[] = {
        {"4.01\r\n", true},
        {"5.0 is out, with charts", true},  // only the leading number counts
        {" 4 . 1\n", true},                 // blanks and line feeds are skipped
        {"4", false},
        {"4.0", false},
        {"4.00\r\n", false},
        {"3.99", false},
        {"version 5", false},               // no leading number: version 0
        {"", false},
        {"-7", false},
        {std::string(400, '9'), true},   // beyond any floating-point number
        {"4." + std::string(30, '0') + "1", true},  // beyond a double's digits
        {"0004.0000", false},
    };
    UpdateChecker& checker = Open();
    UpdateAvailable& offer = program().updateAvailable();
    for (const VersionCase& row : cases) {
        SetVersionFile(row.file);
        checker.Show();
        checker.cmdCheck.Press();
        EXPECT_EQ(checker.NewestVersion, row.file);
        EXPECT_EQ(offer.Visible(), row.newer) << row.file;
        EXPECT_EQ(checker.Loaded(), !row.newer) << row.file;
        EXPECT_EQ(CL(), !row.newer) << row.file;
        if (!row.newer) {
            EXPECT_EQ(checker.lblState.Caption(), "No update is needed.") << row.file;
        }
        offer.Unload();
    }
    EXPECT_EQ(RequestsFor("/currentversion.txt"), std::size(cases));
}

TEST_F(UpdateCheckerTest, NoConnectionSaysSoAndAllowsAnotherTry) {
    RefuseMakerHost();
    UpdateChecker& checker = Open();
    checker.cmdCheck.Press();
    EXPECT_EQ(checker.lblState.Caption(), "Failed to Connect");
    EXPECT_TRUE(checker.Visible());
    EXPECT_TRUE(CL());
    checker.lblState.setCaption("Ready");
    checker.cmdCheck.Press();
    EXPECT_EQ(checker.lblState.Caption(), "Failed to Connect");
    EXPECT_FALSE(program().updateAvailable().Loaded());
}

TEST_F(UpdateCheckerTest, AMissingVersionFileIsAFailureNotANumber) {
    UpdateChecker& checker = Open();  // the server answers 404 for it
    checker.cmdCheck.Press();
    EXPECT_EQ(checker.lblState.Caption(), "Failed to Connect");
}

TEST_F(UpdateCheckerTest, WhileTheFetchRunsItSaysSoAndIgnoresAnotherClick) {
    SetVersionFile("4.00\r\n");
    UpdateChecker& checker = Open();
    std::string status;
    bool visible = false, heldRefresh = false;
    DuringTheFetch(InetState::icConnecting, [&] {
        status = checker.lblState.Caption();
        visible = checker.Visible();
        heldRefresh = CL();
        checker.cmdCheck.Press();
        EXPECT_EQ(checker.lblState.Caption(), status);
    });
    checker.cmdCheck.Press();
    EXPECT_EQ(status, "Looking for a Newer Version...");
    EXPECT_TRUE(visible);
    EXPECT_TRUE(heldRefresh);
    EXPECT_EQ(RequestsFor("/currentversion.txt"), 1u);
    EXPECT_EQ(checker.lblState.Caption(), "No update is needed.");
}

TEST_F(UpdateCheckerTest, ClosingItDuringTheFetchOffersNothing) {
    SetVersionFile("9.0");
    UpdateChecker& checker = Open();
    for (int16_t when : {InetState::icConnecting, InetState::icResponseCompleted}) {
        checker.Show();
        DuringTheFetch(when, [&] { checker.cmdClose.Press(); });
        checker.cmdCheck.Press();
        EXPECT_FALSE(checker.Loaded()) << when;
        EXPECT_FALSE(program().updateAvailable().Loaded()) << when;
        EXPECT_FALSE(CL()) << when;
    }
}

TEST_F(UpdateCheckerTest, EveryWayOfClosingItLetsTheTickerRefresh) {
    const std::pair<const char*, std::function<void(UpdateChecker&)>> ways[] = {
        {"Close button", [](UpdateChecker& c) { c.cmdClose.Press(); }},
        {"close box", [](UpdateChecker& c) { c.Unload(); }},
        {"release", [](UpdateChecker& c) { c.Release(); }},
    };
    UpdateChecker& checker = Open();
    for (const auto& [way, close] : ways) {
        checker.Show();
        ASSERT_TRUE(CL()) << way;
        close(checker);
        EXPECT_FALSE(CL()) << way;
    }
}

TEST_F(UpdateCheckerTest, TheOfferOpensTheMakersSiteAndCloses) {
    SetVersionFile("4.01");
    Open().cmdCheck.Press();
    UpdateAvailable& offer = program().updateAvailable();
    ASSERT_TRUE(offer.Visible());
    EXPECT_EQ(offer.Caption(), "Vesk Ticker - Update Available");
    EXPECT_EQ(offer.Label1.Caption(), "A new version of Vesk Ticker is available.");
    EXPECT_TRUE(offer.Command1.Default());
    offer.Command1.Press();
    EXPECT_EQ(desktop.urls, std::vector<std::string>{"http://" + ServerHost()});
    EXPECT_FALSE(offer.Loaded());
    EXPECT_EQ(runtime().ScreenMousePointer(), MousePointers::vbDefault);

    offer.Show();
    offer.Command2.Press();
    EXPECT_FALSE(offer.Loaded());
    EXPECT_EQ(desktop.urls.size(), 1u);
}

TEST_F(UpdateCheckerTest, AListenerMayCancelOrRedirectTheOffer) {
    Start();
    UpdateAvailable& offer = program().updateAvailable();
    offer.GoToURL = [](std::string&, bool& cancel) { cancel = true; };
    offer.Show();
    offer.Command1.Press();
    EXPECT_TRUE(offer.Loaded());
    EXPECT_TRUE(desktop.urls.empty());

    offer.GoToURL = [](std::string& url, bool&) { url = "file:///etc/passwd"; };
    offer.Command1.Press();
    EXPECT_TRUE(desktop.urls.empty());
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Unable to load 'file:///etc/passwd' : Not a web or e-mail address (Error 5)");
}

TEST(VersionNumber, TheProgramIsFourPointZeroZero) {
    AppInfo app;
    EXPECT_EQ(ProgramVersion(app), DecimalNumber::Leading("4"));
    app.Minor = 1;
    app.Revision = 10;
    EXPECT_EQ(ProgramVersion(app), DecimalNumber::Leading("4.11"));  // fields are joined as text
}

TEST(VersionNumber, NumbersOfAnyLengthCompareByValue) {
    const auto number = [](const std::string& text) { return DecimalNumber::Leading(text); };
    const std::string huge(400, '9');
    const struct {
        std::string a, b;
        std::strong_ordering order;
    } cases[] = {
        {"4.01\r\n5", "4.01", std::strong_ordering::equal},  // the number ends at the CR
        {"\t1\n2.3.4", "12.3", std::strong_ordering::equal},
        {".x", "0", std::strong_ordering::equal},            // no number: zero
        {"-0.0", "0", std::strong_ordering::equal},
        {"010.50", "10.5", std::strong_ordering::equal},
        {"10", "9.999", std::strong_ordering::greater},
        {"0.6", "0.51", std::strong_ordering::greater},
        {"-2", "-10", std::strong_ordering::greater},
        {"-0.5", "0.1", std::strong_ordering::less},
        {huge, huge + ".1", std::strong_ordering::less},
        {"1" + huge, huge, std::strong_ordering::greater},
    };
    for (const auto& c : cases)
        EXPECT_TRUE((number(c.a) <=> number(c.b)) == c.order)
            << c.a << " against " << c.b;
}

}  // namespace

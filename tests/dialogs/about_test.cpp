#include "dialogs/about.h"
#include "support/maker_fixture.h"
#include "ticker/ticker.h"

namespace {

class AboutTest : public MakerTest {
protected:
    About& Open() {
        ShowTicker();
        desktop.menuChoices = {"AboutMenuItem"};
        program().ticker().picOptions_MouseDown(1, 0, 0, 0);
        return program().about();
    }
};

TEST_F(AboutTest, TheMenuItemShowsTheProductAndItsVersion) {
    About& about = Open();
    EXPECT_TRUE(about.Visible());
    EXPECT_EQ(about.Caption(), "About Vesk Ticker");
    EXPECT_EQ(about.Label3.Caption(), "Version 4.00 - March 11, 2001");
    EXPECT_EQ(about.Label4.Caption(), "Vesk Ticker Web Site:");
    EXPECT_EQ(about.Label5.Caption(), "http://" + ServerHost());
    EXPECT_EQ(about.Label7.ToolTipText(), "support@vesk-ticker.example");
    EXPECT_EQ(about.Label6.Caption(), "Powered By");
    EXPECT_FALSE(about.Picture2.GetPicture().IsEmpty());
    EXPECT_EQ(about.Label9.Caption().rfind("Data is provided for informational puposes only and is "
                                           "not intended for trading purposes. ", 0),
              0u);
    EXPECT_TRUE(about.Command1.Default());
    about.Command1.Press();
    EXPECT_FALSE(about.Loaded());
}

TEST_F(AboutTest, LinksOpenOnTheLeftButtonOnly) {
    struct Case {
        const char* link;
        void (About::*handler)(int, int, float, float);
        int button;
        std::string opens;  // empty: nothing opens
    };
    const std::string web = "http://" + ServerHost();
    const Case cases[] = {
        {"web site", &About::Label5_MouseDown, 1, web},
        {"mail", &About::Label7_MouseDown, 1, "mailto:support@vesk-ticker.example"},
        {"quote service", &About::Picture2_MouseDown, 1, web},  // QuoteHost is the server too
        {"web site, right", &About::Label5_MouseDown, 2, ""},
        {"mail, middle", &About::Label7_MouseDown, 4, ""},
        {"web site, left and right", &About::Label5_MouseDown, 3, web},
    };
    About& about = Open();
    for (const Case& row : cases) {
        desktop.urls.clear();
        runtime().setScreenMousePointer(MousePointers::vbHourglass);
        (about.*row.handler)(row.button, 0, 0, 0);
        EXPECT_EQ(desktop.urls, row.opens.empty() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{row.opens})
            << row.link;
        EXPECT_EQ(runtime().ScreenMousePointer(), MousePointers::vbDefault) << row.link;
    }
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(AboutTest, TheQuoteServiceLinkGoesToTheQuoteHost) {
    WriteProgramFile("vesk-ticker.conf", "[Hosts]\nQuoteHost=" + ServerHost() +
                                             "\nMakerWebHost=127.0.0.1:9\n");
    About& about = Open();
    about.Picture2_MouseDown(1, 0, 0, 0);
    about.Label5_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(desktop.urls, (std::vector<std::string>{"http://" + ServerHost(), "http://127.0.0.1:9"}));
}

TEST_F(AboutTest, AListenerMayCancelALinkOrSpoilItsAddress) {
    About& about = Open();
    about.GoToURL = [](std::string&, bool& cancel) { cancel = true; };
    about.Label5_MouseDown(1, 0, 0, 0);
    EXPECT_TRUE(desktop.urls.empty());

    about.GoToURL = [](std::string& url, bool&) { url = "/usr/bin/xterm"; };
    about.Label7_MouseDown(1, 0, 0, 0);
    EXPECT_TRUE(desktop.urls.empty());
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text,
              "Unable to load '/usr/bin/xterm' : Not a web or e-mail address (Error 5)");
    EXPECT_EQ(desktop.boxes[0].style, 0);
    EXPECT_EQ(desktop.boxes[0].title, "Vesk Ticker");
    EXPECT_EQ(runtime().ScreenMousePointer(), MousePointers::vbDefault);
}

}  // namespace

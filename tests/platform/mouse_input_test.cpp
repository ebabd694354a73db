// Real mouse and key input reaching the controls: the Qt widgets underneath do their own
// part (a button presses, an option is chosen, a caret moves) and the classic events come
// in their order.
#include <QLineEdit>
#include <QRadioButton>

#include "platform/command_button.h"
#include "platform/form.h"
#include "platform/frame.h"
#include "platform/option_button.h"
#include "platform/text_box.h"
#include "support/mouse_events.h"
#include "support/program_fixture.h"

namespace {

class InputForm : public Form {
public:
    explicit InputForm(Runtime& runtime) : Form(runtime, "InputForm") {}
    CommandButton cmdOK{*this, "cmdOK"}, cmdCancel{*this, "cmdCancel"};
    TextBox txtText{*this, "txtText"};
    OptionButton optA{*this, "optA"}, optB{*this, "optB"};
    Frame fraOther{*this, "fraOther"};
    OptionButton optOther{*this, "optOther"};

protected:
    void InitializeComponent() override {
        setWidth(4500);
        setHeight(3000);
        cmdOK.Move(120, 2400, 1200, 375);
        cmdOK.setCaption("OK");
        cmdOK.setDefault(true);
        cmdCancel.Move(1440, 2400, 1200, 375);
        cmdCancel.setCaption("Cancel");
        txtText.Move(120, 120, 3000, 285);
        optA.Move(120, 600, 1500, 255);
        optA.setCaption("A");
        optB.Move(1800, 600, 1500, 255);
        optB.setCaption("B");
        fraOther.Move(120, 1000, 4000, 900);
        optOther.setContainer(fraOther);
        optOther.Move(120, 300, 1500, 255);
        optOther.setCaption("Other");
    }
};

class MouseInputTest : public ProgramTest {
protected:
    InputForm& Show() {
        Start();
        form = std::make_unique<InputForm>(runtime());
        form->Show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form->cmdOK.Widget()->window()));
        InputForm& f = *form;
        for (Control* control : std::initializer_list<Control*>{&f.cmdOK, &f.cmdCancel, &f.optA,
                                                                &f.optB, &f.optOther}) {
            std::string name = control->Name();
            control->OnMouseDown = [this, name](int, int, float, float) { Log(name + " down"); };
            control->OnMouseUp = [this, name](int, int, float, float) { Log(name + " up"); };
            control->OnClick = [this, name] { Log(name + " click"); };
        }
        return *form;
    }
    void TearDown() override {
        if (form) form->Release();
    }
    void Log(std::string line) { events.push_back(std::move(line)); }

    std::unique_ptr<InputForm> form;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST_F(MouseInputTest, AClickOnACommandButtonRunsItsClickOnceAfterMouseUp) {
    InputForm& f = Show();
    Click(f.cmdCancel.Widget());
    EXPECT_EQ(events, (Events{"cmdCancel down", "cmdCancel up", "cmdCancel click"}));

    events.clear();
    QWidget* button = f.cmdCancel.Widget();
    DragAcross(button, button->rect().center(), QPoint(button->width() + 20, -30));
    EXPECT_EQ(events, (Events{"cmdCancel down", "cmdCancel up"}));  // released outside

    events.clear();
    f.cmdCancel.setEnabled(false);
    Click(f.cmdCancel.Widget());
    EXPECT_EQ(events, Events{});
}

TEST_F(MouseInputTest, AClickOnAnOptionSelectsItAndClearsOnlyItsOwnContainer) {
    InputForm& f = Show();
    f.optA.setValue(true);
    f.optOther.setValue(true);
    Click(f.optB.Widget());
    EXPECT_EQ(events, (Events{"optB down", "optB up", "optB click"}));
    EXPECT_TRUE(f.optB.Value());
    EXPECT_FALSE(f.optA.Value());
    EXPECT_TRUE(f.optOther.Value());
    auto shown = [](OptionButton& option) {
        return static_cast<QRadioButton*>(option.Widget())->isChecked();
    };
    EXPECT_TRUE(shown(f.optB));
    EXPECT_FALSE(shown(f.optA));

    // A second click on the chosen option keeps it chosen, on screen too.
    Click(f.optB.Widget());
    EXPECT_TRUE(f.optB.Value());
    EXPECT_TRUE(shown(f.optB));
}

TEST_F(MouseInputTest, AClickInATextBoxPlacesTheCaretAndADragSelects) {
    InputForm& f = Show();
    f.txtText.setText("quotes by the minute");
    auto* edit = static_cast<QLineEdit*>(f.txtText.Widget());
    edit->setCursorPosition(0);
    int clicks = 0;
    f.txtText.OnClick = [&clicks] { ++clicks; };
    QPoint end(edit->width() - 4, edit->height() / 2);
    ClickAt(edit, end);
    EXPECT_EQ(edit->cursorPosition(), int(f.txtText.Text().size()));
    EXPECT_EQ(clicks, 1);

    DragAcross(edit, QPoint(4, edit->height() / 2), end);
    EXPECT_EQ(edit->selectedText().toStdString(), f.txtText.Text());
}

TEST_F(MouseInputTest, AHandlerMayUnloadTheWindowThatHoldsTheControl) {
    InputForm& f = Show();
    // The worst case a nested wait in a handler can bring: the window is deleted at once.
    auto unloadNow = [this] {
        form->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    f.cmdOK.OnClick = [this, unloadNow] {
        Log("cmdOK click");
        unloadNow();
    };
    Click(f.cmdOK.Widget());
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(events, (Events{"cmdOK down", "cmdOK up", "cmdOK click"}));

    // Unloaded by MouseUp, the button is gone before its Click.
    f.Show();
    events.clear();
    f.cmdOK.OnMouseUp = [unloadNow](int, int, float, float) { unloadNow(); };
    f.cmdOK.OnClick = [this] { Log("cmdOK click"); };
    Click(f.cmdOK.Widget());
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(events, Events{"cmdOK down"});

    f.Show();
    f.txtText.OnMouseDown = [unloadNow](int, int, float, float) { unloadNow(); };
    Click(f.txtText.Widget());
    EXPECT_FALSE(f.Loaded());
}

TEST_F(MouseInputTest, EnterPressesTheFocusedButtonElseTheDefault) {
    InputForm& f = Show();
    f.cmdCancel.SetFocus();
    TypeKey(f.cmdCancel.Widget(), Qt::Key_Return);
    EXPECT_EQ(events, Events{"cmdCancel click"});

    events.clear();
    f.txtText.SetFocus();
    TypeKey(f.txtText.Widget(), Qt::Key_Enter);
    EXPECT_EQ(events, Events{"cmdOK click"});

    events.clear();
    f.cmdOK.SetFocus();
    TypeKey(f.cmdOK.Widget(), Qt::Key_Return);
    EXPECT_EQ(events, Events{"cmdOK click"});
}

}  // namespace

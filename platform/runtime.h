#pragma once
// The forms runtime: one object that owns the services every window and module reaches
// (desktop, settings store, files, screen, the loaded windows) and runs the message loop.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/core/files.h"
#include "platform/core/registry.h"

class Form;
class QObject;
class User32;

struct RuntimeFolders {
    std::string program;   // App.Path: the executable's folder or $VESK_TICKER_HOME
    std::string settings;  // where the settings store lives
};

// App: what the program knows of itself.
struct AppInfo {
    std::string Path;
    std::string Title = "Vesk Ticker";
    int Major = 4, Minor = 0, Revision = 0;
};

class Runtime {
public:
    Runtime(Desktop& desktop, RuntimeFolders folders);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    Desktop& desktop() { return desktop_; }
    Registry& registry() { return registry_; }
    FileTable& files() { return files_; }
    User32& user32() { return *user32_; }
    const AppInfo& App() const { return app_; }

    // Screen: twips per pixel follow the desktop's logical DPI (15 at 96, 12 at 120).
    float TwipsPerPixelX();
    float TwipsPerPixelY();

    // Screen.MousePointer: a pointer over every window of the program; 0 gives each back its own.
    int ScreenMousePointer() const { return screenMousePointer_; }
    void setScreenMousePointer(int pointer);

    // The loaded windows, in load order.
    const std::vector<Form*>& Forms() const { return loaded_; }
    bool IsLoaded(const Form& form) const;

    // Lets pending window messages, timers and input run, then returns.
    void DoEvents();
    // A message box titled with the application's title unless a title is given.
    int MsgBox(const std::string& text, int style = MsgBox::vbOKOnly, const std::string& title = {});
    // An error nobody handles: its message is shown, then the program ends.
    void RaiseUnhandled(const std::string& description);
    // Ends the program at once, after every pending setting is stored. No unload or
    // termination handler runs.
    void End();

    // Runs start from inside the message loop, then the loop until the last window closes,
    // Quit or End is called.
    int RunMessageLoop(const std::function<void()>& start);
    // Unloads the loaded windows in load order and leaves the message loop, abandoning any
    // fetch that waits; also when the loop has not started yet.
    void Quit();

private:
    friend class Form;
    void FormLoaded(Form& form);
    void FormUnloaded(Form& form);
    void TellSettingsProblems();

    Desktop& desktop_;
    AppInfo app_;
    Registry registry_;
    FileTable files_;
    std::unique_ptr<User32> user32_;
    std::unique_ptr<QObject> events_;  // context of the runtime's own deferred calls
    std::vector<Form*> loaded_;
    std::deque<std::string> untoldProblems_;  // of the settings store, shown once the loop runs
    bool ended_ = false;
    bool quitRequested_ = false;
    bool looping_ = false;  // the message loop runs
    bool flushArmed_ = false;  // a flush of the settings store is on its way
    static constexpr int kSettingsFlushDelayMs = 250;
    int screenMousePointer_ = 0;
};

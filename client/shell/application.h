#pragma once
// The application object: the folders, endpoints, config.ini and account
// session every page shares, and the main window over them. The folders
// come from the command line when given (--run-dir, --config-dir), else
// from the executable's folder and $XDG_CONFIG_HOME.

#include "client/shell/app_state.h"

#include <QStringList>

#include <memory>

namespace shell {

class MainWindow;

struct Folders {
    QString run_dir;
    QString config_dir;
};

// Folders from the arguments; missing options take the defaults.
Folders folders_from_arguments(const QStringList& arguments);

class Application final {
public:
    explicit Application(const Folders& folders);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    ui::AppContext& context() { return m_state.context(); }
    MainWindow& window() { return *m_window; }

    // Runs start-up from the event loop, shows the window when it is over
    // and returns the process exit code.
    int exec();

private:
    AppState m_state;
    std::unique_ptr<MainWindow> m_window;
};

// Font, colours and the common look of controls.
void apply_theme();

}  // namespace shell

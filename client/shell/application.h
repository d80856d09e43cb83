#pragma once
// The application object: the folders, endpoints, config.ini and account
// session every page shares, and the main window over them. The folders
// come from the command line when given (--run-dir, --config-dir), else
// from the executable's folder and $XDG_CONFIG_HOME.

#include "client/ui/app_context.h"

#include <QStringList>

#include <memory>

namespace settings { class ConfigFile; }
namespace account { class AccountSession; }

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

    ui::AppContext& context() { return m_context; }
    MainWindow& window() { return *m_window; }

    // Runs start-up from the event loop, shows the window when it is over
    // and returns the process exit code.
    int exec();

private:
    std::unique_ptr<settings::ConfigFile> m_config;
    std::unique_ptr<account::AccountSession> m_session;
    std::unique_ptr<ui::SessionEvents> m_events;
    ui::AppContext m_context;
    std::unique_ptr<MainWindow> m_window;
};

// Font, colours and the common look of controls.
void apply_theme();

}  // namespace shell

#pragma once
// The objects the app context points at, made and owned together: config.ini,
// the account session and its events. The application builds one; so do tests
// that run a whole main window in a temporary folder.

#include "client/ui/app_context.h"

#include <memory>

namespace settings { class ConfigFile; }
namespace account { class AccountSession; }

namespace shell {

class AppState final {
public:
    AppState(const QString& run_dir, const QString& config_dir, web::Endpoints endpoints);
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    ui::AppContext& context() { return m_context; }
    settings::ConfigFile& config() { return *m_config; }
    account::AccountSession& session() { return *m_session; }
    ui::SessionEvents& events() { return *m_events; }

private:
    std::unique_ptr<settings::ConfigFile> m_config;
    std::unique_ptr<account::AccountSession> m_session;
    std::unique_ptr<ui::SessionEvents> m_events;
    ui::AppContext m_context;
};

}  // namespace shell

#include "client/shell/app_state.h"

#include "client/account/account_session.h"
#include "client/settings/config_file.h"

namespace shell {

AppState::AppState(const QString& run_dir, const QString& config_dir, web::Endpoints endpoints)
    : m_config(std::make_unique<settings::ConfigFile>(run_dir.toStdString())),
      m_session(std::make_unique<account::AccountSession>(endpoints)),
      m_events(std::make_unique<ui::SessionEvents>())
{
    m_context.run_dir = run_dir;
    m_context.config_dir = config_dir;
    m_context.endpoints = std::move(endpoints);
    m_context.config = m_config.get();
    m_context.session = m_session.get();
    m_context.events = m_events.get();
}

AppState::~AppState() = default;

}  // namespace shell

#include "client/ui/browser_agent.h"

#include <QWebEngineProfile>

namespace ui {

void set_browser_user_agent(const QString& agent)
{
    QWebEngineProfile::defaultProfile()->setHttpUserAgent(agent);
}

QString browser_user_agent()
{
    return QWebEngineProfile::defaultProfile()->httpUserAgent();
}

}  // namespace ui

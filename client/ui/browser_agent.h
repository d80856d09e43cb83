#pragma once
// The user agent that every embedded browser of the process sends.

#include <QString>

namespace ui {

void set_browser_user_agent(const QString& agent);
QString browser_user_agent();

}  // namespace ui

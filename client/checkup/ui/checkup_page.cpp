#include "client/checkup/ui/checkup_page.h"

#include "client/ui/app_context.h"

#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

namespace checkup {

CheckupPage::CheckupPage(ui::AppContext& context, QWidget* parent)
    : ui::FeaturePage(parent), m_context(context)
{
    // The account panel takes the right-hand 251 pixels of the page.
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("体验选择夹"));
    m_tabs->setGeometry(0, 0, 650, 465);
    m_tabs->tabBar()->hide();
    m_tabs->setDocumentMode(true);

    m_overview = new QWidget;
    m_overview->setObjectName(QStringLiteral("检测体验"));
    m_scan = new QWidget;
    m_scan->setObjectName(QStringLiteral("扫描界面"));
    m_tabs->addTab(m_overview, QStringLiteral("检测体验"));
    m_tabs->addTab(m_scan, QStringLiteral("扫描界面"));

    m_computer = new QLabel(m_overview);
    m_computer->setObjectName(QStringLiteral("电脑图"));
    m_computer->setGeometry(40, 60, 180, 150);
    m_computer->setAlignment(Qt::AlignCenter);

    m_computer_state = new QLabel(QStringLiteral("电脑橙警告"), m_overview);
    m_computer_state->setObjectName(QStringLiteral("电脑UI"));
    m_computer_state->hide();
}

}  // namespace checkup

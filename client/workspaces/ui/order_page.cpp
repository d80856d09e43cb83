#include "client/workspaces/ui/order_page.h"

#include "client/account/account_session.h"
#include "client/ui/app_context.h"
#include "client/workspaces/ui/hosted_browser.h"
#include "client/workspaces/workspace_addresses.h"

#include <QUrl>
#include <QWebEngineView>

namespace workspaces {

OrderPage::OrderPage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("OrderPage"));
    m_browser = make_hosted_browser(this, QStringLiteral("互联网浏览器_订单查询"));
    m_browser->setGeometry(-1, 0, 902, 466);
}

void OrderPage::run_page_work(std::function<void()> done)
{
    m_browser->load(QUrl(QString::fromStdString(order_query_url(m_context.session->record().site_url))));
    done();
}

}  // namespace workspaces

#include "client/workspaces/ui/regional_page.h"

#include "client/account/account_session.h"
#include "client/ui/app_context.h"
#include "client/workspaces/ui/hosted_browser.h"
#include "client/workspaces/workspace_addresses.h"

#include <QUrl>
#include <QWebEngineView>

namespace workspaces {

RegionalPage::RegionalPage(ui::AppContext& context, QWidget* parent)
    : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("RegionalPage"));
    m_browser = make_hosted_browser(this, QStringLiteral("互联网浏览器_分站营销"));
}

void RegionalPage::run_page_work(std::function<void()> done)
{
    const account::AccountRecord& record = m_context.session->record();
    m_browser->setGeometry(-1, 0, 902, 466);
    m_browser->load(QUrl(QString::fromStdString(regional_marketing_url(record.site_url, record.auth))));
    done();
}

}  // namespace workspaces

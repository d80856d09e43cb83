#include "client/workspaces/ui/statistics_page.h"

#include "client/account/account_session.h"
#include "client/ui/app_context.h"
#include "client/ui/browser_agent.h"
#include "client/workspaces/ui/browser_document_helper.h"
#include "client/workspaces/ui/hosted_browser.h"
#include "client/workspaces/ui/page_load_wait.h"
#include "client/workspaces/workspace_addresses.h"

#include <QLabel>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

namespace workspaces {

StatisticsPage::StatisticsPage(ui::AppContext& context, QWidget* parent)
    : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("StatisticsPage"));
    m_browser = make_hosted_browser(this, QStringLiteral("互联网浏览器1"));
    m_browser->setGeometry(-1, 0, 902, 466);
    m_loading_picture = make_loading_picture(this, QStringLiteral("图片框7"), 400, 160);
    m_loading_caption = make_caption(this, QStringLiteral("透明标签_载入中1"), QStringLiteral("载入中..."));
    m_loading_caption->setGeometry(415, 265, 80, 20);
    m_loading_caption->hide();
}

StatisticsPage::~StatisticsPage()
{
    // Script answers still on their way may be delivered while the browser
    // goes; they must find this page whole and see that their run is over.
    ++m_generation;
    m_done = nullptr;
    delete m_browser;
}

void StatisticsPage::run_page_work(std::function<void()> done)
{
    const int generation = ++m_generation;
    if (m_done)
        m_done();  // an opening still running gives way to this one
    m_done = std::move(done);

    m_browser->hide();
    show_loading_picture(m_loading_picture);
    m_loading_caption->show();
    m_loading_caption->raise();
    sign_in(generation);
}

void StatisticsPage::sign_in(int generation)
{
    delete m_helper;
    m_helper = new BrowserDocumentHelper(this);
    ui::set_browser_user_agent(QString::fromLatin1(kStatisticsUserAgent));
    m_browser->load(QUrl(QString::fromStdString(m_context.session->record().stat_cnzz)));
    QTimer::singleShot(kSettleMs, this, [this, generation] {
        if (current(generation))
            fill_form(generation);
    });
}

void StatisticsPage::fill_form(int generation)
{
    m_helper->attach(m_browser);
    const QString key = QString::fromStdString(m_context.session->record().stat_key);
    m_helper->set_text_input_value(QStringLiteral("password"), key, 0, [](bool) {});
    // Scripts run in the order they were sent, so the look-up sees the
    // password already filled.
    m_helper->find_text_input(QStringLiteral("number"), 0, [this, generation](const ElementInfo& number) {
        if (!current(generation))
            return;
        if (number.found) {
            // A verification number is for the customer to type.
            m_helper->release();
            wait_until_complete(generation);
            return;
        }
        QTimer::singleShot(kClickPauseMs, this, [this, generation] {
            if (current(generation))
                press_view_button(generation);
        });
    });
}

void StatisticsPage::press_view_button(int generation)
{
    m_helper->click_image(QStringLiteral("查看数据"), 0, [this, generation](bool) {
        if (!current(generation))
            return;
        QTimer::singleShot(kClickPauseMs, this, [this, generation] {
            if (!current(generation))
                return;
            m_helper->release();
            wait_until_complete(generation);
        });
    });
}

void StatisticsPage::wait_until_complete(int generation)
{
    wait_until_not_loading(m_browser->page(), kReadyPollMs, kPageLoadLimitMs, this,
                           [this, generation](bool) {
                               if (!current(generation))
                                   return;
                               m_loading_caption->hide();
                               hide_loading_picture(m_loading_picture);
                               m_browser->show();
                               if (auto done = std::move(m_done)) {
                                   m_done = nullptr;
                                   done();
                               }
                           });
}

}  // namespace workspaces

#include "client/workspaces/ui/content_page.h"

#include "client/account/account_session.h"
#include "client/ui/app_context.h"
#include "client/ui/seams.h"
#include "client/workspaces/ui/hosted_browser.h"
#include "client/workspaces/ui/page_load_wait.h"
#include "client/workspaces/workspace_addresses.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QUrl>
#include <QWebEngineView>

namespace workspaces {

namespace {

constexpr int kArticlesTab = 1;

}  // namespace

ContentPage::ContentPage(ui::AppContext& context, QWidget* parent)
    : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("ContentPage"));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("高级选择夹1"));
    m_tabs->setGeometry(7, 8, 898, 32);
    m_tabs->setDocumentMode(true);
    for (const char* title : kContentTabTitles)
        m_tabs->addTab(new QWidget, QString::fromUtf8(title));
    connect(m_tabs, &QTabWidget::currentChanged, this, &ContentPage::on_tab_changed);

    m_browser = make_hosted_browser(this, QStringLiteral("互联网浏览器_内容管理"));
    m_browser->setGeometry(0, 39, 900, 434);

    m_loading_picture = make_loading_picture(this, QStringLiteral("图片框9"), 400, 160);
    m_loading_caption = make_caption(this, QStringLiteral("透明标签_载入中"), QStringLiteral("载入中..."));
    m_loading_caption->setGeometry(415, 265, 80, 20);
    m_loading_caption->hide();
}

void ContentPage::run_page_work(std::function<void()> done)
{
    if (is_shown_page(this)) {
        done();
        return;
    }
    Q_EMIT select_requested();
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(kArticlesTab);
    }
    m_waiting.push_back(std::move(done));
    load_tab(kArticlesTab);
}

void ContentPage::on_tab_changed(int tab)
{
    if (m_page_load_flag) {
        ui::message_box(QStringLiteral("请等待当前页面载入完成"), {}, ui::Buttons::Ok,
                        ui::Icon::Information, this);
        return;
    }
    if (tab < 0 || tab >= kContentTabCount)
        return;
    load_tab(tab);
}

void ContentPage::load_tab(int tab)
{
    m_browser->hide();
    m_loading_caption->show();
    m_loading_caption->raise();
    m_tabs->setEnabled(false);
    show_loading_picture(m_loading_picture);

    const int generation = ++m_load_generation;
    const QUrl url(QString::fromStdString(
        content_tab_url(m_context.session->record().site_url, tab)));
    if (!url.isValid() || url.scheme().isEmpty()) {
        // No site to load from (an account without site_url): nothing will
        // ever complete, so the page returns to its idle look at once.
        finish_load(generation);
        return;
    }
    m_page_load_flag = true;
    wait_for_next_load(m_browser->page(), kPageLoadLimitMs, this,
                       {[this, generation] {
                            if (generation == m_load_generation)
                                m_page_load_flag = false;
                        },
                        [this, generation](bool) { finish_load(generation); }});
    m_browser->load(url);
}

void ContentPage::finish_load(int generation)
{
    if (generation != m_load_generation)
        return;
    m_page_load_flag = false;
    hide_loading_picture(m_loading_picture);
    m_loading_caption->hide();
    m_browser->show();
    m_tabs->setEnabled(true);
    auto waiting = std::move(m_waiting);
    m_waiting.clear();
    for (auto& done : waiting)
        done();
}

}  // namespace workspaces

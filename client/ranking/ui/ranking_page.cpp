#include "client/ranking/ui/ranking_page.h"

#include "client/account/account_session.h"
#include "client/ranking/account_keywords.h"
#include "client/ranking/ui/results_menu.h"
#include "client/ranking/ui/search_controller.h"
#include "client/ui/app_context.h"
#include "client/ui/find_control.h"
#include "client/ui/seams.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QTimer>
#include <QTreeWidget>

namespace ranking {

RankingPage::RankingPage(ui::AppContext& context, QWidget* parent)
    : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("RankingPage"));
    m_controls = build_ranking_controls(this);
    m_search = new SearchController(m_controls, m_context, this);
    m_menu = new ResultsMenu(m_controls, m_context, this);

    connect(m_controls.select_all_keywords, &QCheckBox::clicked, this,
            &RankingPage::select_all_keywords);
    connect(m_controls.select_all_engines, &QCheckBox::clicked, this,
            &RankingPage::select_all_engines);
    if (m_context.events)
        connect(m_context.events, &ui::SessionEvents::signed_out, this, &RankingPage::on_signed_out);
}

RankingPage::~RankingPage()
{
    // Stop the search (joining its worker) while the controls it writes to
    // still exist; the widgets go with the base class afterwards.
    delete m_menu;
    delete m_search;
}

bool RankingPage::searching() const
{
    return m_search->searching();
}

void RankingPage::set_keywords(const std::vector<std::string>& keywords)
{
    QTreeWidget* list = m_controls.keywords;
    for (const std::string& keyword : keywords) {
        auto* item = new QTreeWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setText(1, QString::fromStdString(keyword));
        list->addTopLevelItem(item);
    }
}

void RankingPage::select_all_keywords(bool ticked)
{
    QTreeWidget* list = m_controls.keywords;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        list->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void RankingPage::select_all_engines(bool ticked)
{
    // Google is not queried, so "all" leaves its box as it is.
    for (QCheckBox* box : {m_controls.baidu, m_controls.so360, m_controls.sogou, m_controls.bing})
        box->setChecked(ticked);
}

void RankingPage::on_signed_out()
{
    // Rows of the account that left must not come back from a search still running.
    m_search->cancel();
    m_controls.results->clear();
}

void RankingPage::run_page_work(std::function<void()> done)
{
    m_controls.keywords->clear();
    if (m_controls.select_all_keywords->isChecked())
        m_controls.select_all_keywords->setChecked(false);

    // The sign-in again, with the boxes' texts as they stand, refreshes the
    // account's keywords.
    if (m_context.sign_in_request && m_context.user_name_text && m_context.password_text) {
        QString error;
        m_context.sign_in_request(m_context.user_name_text(), m_context.password_text(), &error);
    }

    std::vector<std::string> keywords;
    if (m_context.session) {
        const account::AccountRecord& record = m_context.session->record();
        keywords = account_keywords(record.seo_keywords, record.seo_extarea);
    }
    if (keywords_missing(keywords)) {
        done();
        if (ui::message_box(QStringLiteral("获取关键词失败，是否重新获取"), QStringLiteral("信息："),
                            ui::Buttons::YesNo, ui::Icon::Question, this) == ui::Answer::Yes)
            ask_again();
        return;
    }
    set_keywords(keywords);
    Q_EMIT select_requested();
    done();
}

void RankingPage::ask_again()
{
    // "Again" is the whole click of the feature button, guard and all; it
    // starts once this one has unwound.
    QTimer::singleShot(0, this, [this] {
        if (auto* button = ui::find_control<QAbstractButton>(window(), QStringLiteral("按钮_全网营销"))) {
            button->click();
            return;
        }
        // A page shown on its own (no main window around it) runs its work directly.
        if (m_context.session && !m_context.session->signed_in()) {
            ui::message_box(QStringLiteral("请先登陆"), QStringLiteral("提示"));
            return;
        }
        Q_EMIT skin_refresh_requested();
        run_page_work([] {});
    });
}

}  // namespace ranking

#include "client/shell/page_switch.h"

#include "client/account/account_session.h"
#include "client/shell/feature_table.h"
#include "client/shell/main_window.h"
#include "client/ui/app_context.h"
#include "client/ui/browser_agent.h"
#include "client/ui/feature_page.h"
#include "client/ui/find_control.h"
#include "client/ui/seams.h"

#include <QPushButton>
#include <QTabWidget>

namespace shell {

PageSwitch::PageSwitch(MainWindow& window) : QObject(&window), m_window(window)
{
    for (const FeatureEntry& entry : feature_table()) {
        m_buttons[entry.page] = ui::find_control<QPushButton>(&window, QString::fromUtf8(entry.button));
        m_highlights[entry.page] = ui::find_control(&window, QString::fromUtf8(entry.highlight));
        const int page = entry.page;
        connect(m_buttons[page], &QPushButton::clicked, this, [this, page] { switch_to(page); });
        ui::FeaturePage* feature_page = window.page(page);
        connect(feature_page, &ui::FeaturePage::select_requested, this, [this, page] { select(page); });
    }
}

void PageSwitch::switch_to(int page)
{
    if (page == 0) {
        switch_to_checkup();
        return;
    }
    const FeatureEntry& entry = feature_table()[page];
    ui::AppContext& context = m_window.context();
    account::AccountSession* session = context.session;

    // Only a signed-in session has an agent to give; nobody signed in would
    // otherwise leave every browser of the process sending " Client:".
    if (entry.back_end && session && !session->browser_user_agent().empty())
        ui::set_browser_user_agent(QString::fromStdString(session->client_user_agent()));

    if (entry.guarded && !(session && session->signed_in())) {
        ui::message_box(QStringLiteral("请先登陆"), QStringLiteral("提示"), ui::Buttons::Ok,
                        ui::Icon::Information, &m_window);
        return;
    }

    m_window.skin_refresh();
    show_highlight(page);
    set_buttons_enabled(false);
    ui::FeaturePage* target = m_window.page(page);
    if (!target->selects_itself())
        select(page);

    const int generation = ++*m_generation;
    std::weak_ptr<int> current = m_generation;
    target->run_page_work([this, current, generation] {
        const auto alive = current.lock();
        if (alive && *alive == generation)
            set_buttons_enabled(true);
    });
}

void PageSwitch::switch_to_checkup()
{
    show_highlight(0);
    m_window.skin_refresh();
    select(0);
}

void PageSwitch::show_highlight(int page)
{
    for (int i = 0; i < static_cast<int>(m_highlights.size()); ++i)
        m_highlights[i]->setVisible(i == page);
}

void PageSwitch::set_buttons_enabled(bool enabled)
{
    for (QPushButton* button : m_buttons)
        button->setEnabled(enabled);
}

void PageSwitch::select(int page)
{
    QTabWidget* pages = m_window.page_area();
    if (pages->currentIndex() != page)
        pages->setCurrentIndex(page);
}

}  // namespace shell

#include "client/ranking/ui/ranking_page.h"

#include "client/ui/app_context.h"

namespace ranking {

RankingPage::RankingPage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("RankingPage"));
}

void RankingPage::run_page_work(std::function<void()> done)
{
    Q_EMIT select_requested();
    done();
}

}  // namespace ranking

#include "client/workspaces/ui/content_page.h"

#include "client/ui/app_context.h"

namespace workspaces {

ContentPage::ContentPage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("ContentPage"));
}

void ContentPage::run_page_work(std::function<void()> done)
{
    Q_EMIT select_requested();
    done();
}

}  // namespace workspaces

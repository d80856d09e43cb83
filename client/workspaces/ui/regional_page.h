#pragma once
// Page 7 of 主窗口选择夹: regional marketing in the service's back end.

#include "client/ui/feature_page.h"

class QWebEngineView;

namespace ui { struct AppContext; }

namespace workspaces {

class RegionalPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RegionalPage)
public:
    explicit RegionalPage(ui::AppContext& context, QWidget* parent = nullptr);

    // Navigates afresh on every opening and does not wait for the page.
    void run_page_work(std::function<void()> done) override;

private:
    ui::AppContext& m_context;
    QWebEngineView* m_browser = nullptr;
};

}  // namespace workspaces

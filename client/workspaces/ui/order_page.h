#pragma once
// Page 4 of 主窗口选择夹: order query in the service's back end.

#include "client/ui/feature_page.h"

class QWebEngineView;

namespace ui { struct AppContext; }

namespace workspaces {

class OrderPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OrderPage)
public:
    explicit OrderPage(ui::AppContext& context, QWidget* parent = nullptr);

    // Navigates afresh on every opening and does not wait for the page.
    void run_page_work(std::function<void()> done) override;

private:
    ui::AppContext& m_context;
    QWebEngineView* m_browser = nullptr;
};

}  // namespace workspaces

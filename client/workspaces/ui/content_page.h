#pragma once
// Page 1 of 主窗口选择夹: content management, the service's back end in an embedded browser.

#include "client/ui/feature_page.h"

namespace ui { struct AppContext; }

namespace workspaces {

class ContentPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContentPage)
public:
    explicit ContentPage(ui::AppContext& context, QWidget* parent = nullptr);

    // The page is selected from inside its own work, not by the switch.
    bool selects_itself() const override { return true; }
    void run_page_work(std::function<void()> done) override;

private:
    ui::AppContext& m_context;
};

}  // namespace workspaces

#pragma once
// Page 5 of 主窗口选择夹: whole-network marketing, the keyword ranking.

#include "client/ui/feature_page.h"

namespace ui { struct AppContext; }

namespace ranking {

class RankingPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RankingPage)
public:
    explicit RankingPage(ui::AppContext& context, QWidget* parent = nullptr);

    // The page is selected from inside its own work, not by the switch.
    bool selects_itself() const override { return true; }
    void run_page_work(std::function<void()> done) override;

private:
    ui::AppContext& m_context;
};

}  // namespace ranking

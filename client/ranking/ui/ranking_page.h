#pragma once
// Page 5 of 主窗口选择夹: whole-network marketing, the keyword ranking. Its
// own work refreshes the account, offers the account's keywords and then
// selects the page.

#include "client/ranking/ui/ranking_controls.h"
#include "client/ui/feature_page.h"

#include <string>
#include <vector>

namespace ui { struct AppContext; }

namespace ranking {

class ResultsMenu;
class SearchController;

class RankingPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RankingPage)
public:
    explicit RankingPage(ui::AppContext& context, QWidget* parent = nullptr);
    ~RankingPage() override;

    bool selects_itself() const override { return true; }
    void run_page_work(std::function<void()> done) override;

    // One row per keyword, none chosen.
    void set_keywords(const std::vector<std::string>& keywords);
    bool searching() const;

private:
    void select_all_keywords(bool ticked);
    void select_all_engines(bool ticked);
    void on_signed_out();
    void ask_again();

    ui::AppContext& m_context;
    RankingControls m_controls;
    SearchController* m_search = nullptr;
    ResultsMenu* m_menu = nullptr;
};

}  // namespace ranking

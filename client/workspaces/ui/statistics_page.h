#pragma once
// Page 3 of 主窗口选择夹: query statistics, the account's statistics page
// signed in by filling its viewing password and pressing its button.

#include "client/ui/feature_page.h"

class QLabel;
class QWebEngineView;

namespace ui { struct AppContext; }

namespace workspaces {

class BrowserDocumentHelper;

class StatisticsPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatisticsPage)
public:
    explicit StatisticsPage(ui::AppContext& context, QWidget* parent = nullptr);
    ~StatisticsPage() override;

    void run_page_work(std::function<void()> done) override;

    // Pauses of the sign-in: after navigating, and around the button press.
    static constexpr int kSettleMs = 2000;
    static constexpr int kClickPauseMs = 1000;
    static constexpr int kReadyPollMs = 500;

private:
    void sign_in(int generation);
    void fill_form(int generation);
    void press_view_button(int generation);
    void wait_until_complete(int generation);
    bool current(int generation) const { return generation == m_generation; }

    ui::AppContext& m_context;
    QWebEngineView* m_browser = nullptr;
    QLabel* m_loading_picture = nullptr;
    QLabel* m_loading_caption = nullptr;
    BrowserDocumentHelper* m_helper = nullptr;
    int m_generation = 0;
    std::function<void()> m_done;
};

}  // namespace workspaces

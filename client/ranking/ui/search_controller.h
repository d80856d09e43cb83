#pragma once
// Starting and cancelling the search job from the page's two search
// controls, and showing the job's writes. The caption of 按钮_检索 is the
// one indicator of a running search: "立即检索" idle, "取消检索" searching.

#include "client/ranking/search_selection.h"
#include "client/ranking/ui/ranking_controls.h"
#include "client/web/background_job.h"

#include <QObject>

#include <cstdint>

class QMovie;

namespace ui { struct AppContext; }

namespace ranking {

class SearchController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SearchController)
public:
    SearchController(const RankingControls& controls, ui::AppContext& context, QObject* parent);
    // Stops the job and waits for its worker.
    ~SearchController() override;

    bool searching() const;
    // Cancels a running search as 按钮_检索 would (nothing when idle).
    void cancel();

private:
    void activate(bool from_picture_button);
    void start(bool from_picture_button);
    void stop();
    void show_idle_look();
    void show_busy_look(bool picture_button_too);
    void keep_selection_in_step();
    void sync_keyword_rows();

    void clear_results();
    void add_row(int number, const QString& keyword);
    void set_cell(int row, int column, const QString& text);
    void finished();

    RankingControls m_controls;
    ui::AppContext& m_context;
    QMovie* m_busy_movie = nullptr;
    // Read by the worker: declared before the job so that it outlives it.
    SearchSelection m_selection;
    std::uint64_t m_generation = 0;
    web::BackgroundJob m_job;
};

}  // namespace ranking

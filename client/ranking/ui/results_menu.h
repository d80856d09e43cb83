#pragma once
// The row menu of the results list (检索结果): open a result on an engine's
// own page in the desktop's browser, or export the list to a workbook.

#include "client/ranking/ui/ranking_controls.h"

#include <QObject>
#include <QString>

class QMenu;
class QPoint;

namespace ui { struct AppContext; }

namespace ranking {

class ResultsMenu final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultsMenu)
public:
    ResultsMenu(const RankingControls& controls, ui::AppContext& context, QObject* parent);

    // The row the menu acts on, recorded each time it opens.
    const QString& menu_keyword() const { return m_menu_keyword; }
    int menu_page() const { return m_menu_page; }

private:
    void open_menu(const QPoint& at);
    void open_on_baidu();
    void open_on_360();
    void open_on_sogou();
    void open_result(const QString& url);
    void export_results();

    RankingControls m_controls;
    ui::AppContext& m_context;
    QMenu* m_menu = nullptr;
    QString m_menu_keyword;
    int m_menu_page = 0;
};

}  // namespace ranking

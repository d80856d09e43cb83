#include "client/ranking/ui/results_menu.h"

#include "client/ranking/rank_search.h"
#include "client/ranking/rank_text.h"
#include "client/ranking/rank_urls.h"
#include "client/ranking/results_export.h"
#include "client/ranking/shared_text.h"
#include "client/ui/app_context.h"
#include "client/ui/seams.h"

#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

namespace ranking {

namespace {

void inform(QWidget* parent, const QString& text)
{
    ui::message_box(text, QStringLiteral("信息："), ui::Buttons::Ok, ui::Icon::Information, parent);
}

QAction* add_item(QMenu* menu, const char* text)
{
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setObjectName(QString::fromUtf8(text));
    return action;
}

}  // namespace

ResultsMenu::ResultsMenu(const RankingControls& controls, ui::AppContext& context, QObject* parent)
    : QObject(parent), m_controls(controls), m_context(context)
{
    m_menu = new QMenu(m_controls.results);
    m_menu->setObjectName(QStringLiteral("检索结果"));
    connect(add_item(m_menu, "S_百度"), &QAction::triggered, this, &ResultsMenu::open_on_baidu);
    connect(add_item(m_menu, "S_360"), &QAction::triggered, this, &ResultsMenu::open_on_360);
    add_item(m_menu, "S_谷歌");  // offered, does nothing
    connect(add_item(m_menu, "S_搜狗"), &QAction::triggered, this, &ResultsMenu::open_on_sogou);
    connect(add_item(m_menu, "导出查询结果"), &QAction::triggered, this, &ResultsMenu::export_results);
    connect(m_controls.results, &QTreeWidget::customContextMenuRequested, this, &ResultsMenu::open_menu);
}

void ResultsMenu::open_menu(const QPoint& /*at*/)
{
    QWidget* page = m_controls.results->parentWidget();
    // The worker may still be filling rows: neither the menu row nor the
    // export may read them now.
    if (m_controls.search_button->text() == QStringLiteral("取消检索")) {
        inform(page, QStringLiteral("正在检索中,请稍后..."));
        return;
    }
    const QTreeWidgetItem* row = m_controls.results->currentItem();
    m_menu_keyword = row ? row->text(kColumnKeyword) : QString();
    m_menu_page = row ? page_of_rank(row->text(kColumn360).toStdString()) : 0;
    m_menu->popup(QCursor::pos());
}

void ResultsMenu::open_result(const QString& url)
{
    ui::open_url(url);
}

void ResultsMenu::open_on_baidu()
{
    if (m_menu_keyword.isEmpty())
        return inform(m_controls.results->parentWidget(), QStringLiteral("没有数据"));
    open_result(QString::fromStdString(
        baidu_open_url(m_context.endpoints.baidu, m_menu_keyword.toStdString())));
}

void ResultsMenu::open_on_360()
{
    if (m_menu_keyword.isEmpty())
        return inform(m_controls.results->parentWidget(), QStringLiteral("没有数据"));
    open_result(QString::fromStdString(so360_open_url(m_context.endpoints.so360_results,
                                                      m_menu_keyword.toStdString(), m_menu_page,
                                                      so360_psid().get())));
}

void ResultsMenu::open_on_sogou()
{
    if (m_menu_keyword.isEmpty())
        return inform(m_controls.results->parentWidget(), QStringLiteral("没有数据"));
    open_result(QString::fromStdString(
        sogou_open_url(m_context.endpoints.sogou, m_menu_keyword.toStdString())));
}

void ResultsMenu::export_results()
{
    QWidget* page = m_controls.results->parentWidget();
    const QString chosen = ui::save_file_name(page, QStringLiteral("导出查询结果"),
                                              QStringLiteral("关键词排名.xlsx"),
                                              QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (chosen.isEmpty())
        return;
    std::vector<ExportRow> rows;
    for (int i = 0; i < m_controls.results->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_controls.results->topLevelItem(i);
        ExportRow row;
        for (int column = kColumnKeyword; column <= kColumnBing; ++column)
            row[static_cast<std::size_t>(column - kColumnKeyword)] = item->text(column).toStdString();
        rows.push_back(std::move(row));
    }
    const std::string path = workbook_file_name(chosen.toStdString());
    const ExportResult result = ranking::export_results(path, rows);
    if (result.ok)
        inform(page, QStringLiteral("导出成功"));
    else
        inform(page, QStringLiteral("导出失败，文件未能保存：%1").arg(QString::fromStdString(path)));
}

}  // namespace ranking

#include "client/ranking/ui/ranking_controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace ranking {

namespace {

template <typename T>
T* place(T* control, const char* name, int x, int y, int w, int h)
{
    control->setObjectName(QString::fromUtf8(name));
    control->setGeometry(x, y, w, h);
    return control;
}

QCheckBox* check_box(QWidget* page, const char* name, const char* text, int x, int y, int w, int h)
{
    return place(new QCheckBox(QString::fromUtf8(text), page), name, x, y, w, h);
}

QTreeWidget* report_list(QWidget* page, const QStringList& titles, const QList<int>& widths)
{
    auto* list = new QTreeWidget(page);
    list->setColumnCount(static_cast<int>(titles.size()));
    list->setHeaderLabels(titles);
    for (int i = 0; i < widths.size(); ++i)
        list->setColumnWidth(i, widths[i]);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    return list;
}

}  // namespace

RankingControls build_ranking_controls(QWidget* page)
{
    RankingControls c;
    // The results first: the frame lies behind the list it outlines.
    c.results_frame = place(new QFrame(page), "外形框3", 20, 215, 852, 227);
    c.results_frame->setFrameShape(QFrame::Box);
    c.results = place(report_list(page,
                                  {QStringLiteral("序号"), QStringLiteral("关键词"), QStringLiteral("百度"),
                                   QStringLiteral("360"), QStringLiteral("谷歌"), QStringLiteral("搜狗"),
                                   QStringLiteral("必应")},
                                  {50, 200, 120, 120, 120, 120, 120}),
                      "超级列表框_检索结果", 21, 217, 850, 224);
    c.results->setContextMenuPolicy(Qt::CustomContextMenu);

    c.keywords_label = place(new QLabel(QStringLiteral("要检索的关键词："), page), "标签2", 197, 29, 121, 32);
    c.keywords = place(report_list(page, {QStringLiteral("选择"), QStringLiteral("关键词")}, {40, 240}),
                       "超级列表框_要检索的关键字", 190, 70, 304, 120);
    c.select_all_keywords = check_box(page, "选择框1", "全选", 192, 193, 80, 16);

    c.search_picture = place(new QLabel(page), "图片框1", 24, 49, 128, 128);
    c.search_picture->setAlignment(Qt::AlignCenter);

    c.engines_label = place(new QLabel(QStringLiteral("选择搜索引擎："), page), "透明标签1", 541, 57, 100, 32);
    c.engines_label->setAttribute(Qt::WA_TranslucentBackground);

    // The text button is the state every other part reads (its caption);
    // it lies where the engine boxes are, so the picture button is the one
    // shown and both answer a click alike.
    c.search_button = place(new QPushButton(QStringLiteral("立即检索"), page), "按钮_检索", 523, 105, 80, 32);
    c.search_button->setVisible(false);

    c.baidu = check_box(page, "选择框_百度", "百度", 539, 95, 48, 24);
    c.so360 = check_box(page, "选择框_360", "360", 621, 95, 48, 24);
    c.google = check_box(page, "选择框_谷歌", "谷歌", 687, 95, 48, 24);
    c.sogou = check_box(page, "选择框_搜狗", "搜狗", 539, 125, 48, 24);
    c.bing = check_box(page, "选择框_必应", "必应", 621, 125, 48, 24);
    c.select_all_engines = check_box(page, "选择框2", "全选", 688, 124, 48, 24);

    c.note = place(new QLabel(QStringLiteral("注 意：由于目前国内封锁谷歌的所有服务，暂时不支持谷\r\n\r\n"
                                             "歌查询，如有特殊需要请联系客服"),
                              page),
                   "标签1", 539, 156, 307, 45);
    c.note->setWordWrap(true);

    c.search_picture_button = place(new QPushButton(page), "图形按钮_检索", 766, 48, 89, 31);
    c.search_picture_button->setFocusPolicy(Qt::NoFocus);
    return c;
}

}  // namespace ranking

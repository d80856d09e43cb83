#pragma once
// The controls of the ranking page, by their names, at their fixed places.

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace ranking {

struct RankingControls {
    QLabel* keywords_label = nullptr;           // 标签2
    QTreeWidget* keywords = nullptr;            // 超级列表框_要检索的关键字
    QCheckBox* select_all_keywords = nullptr;   // 选择框1
    QLabel* engines_label = nullptr;            // 透明标签1
    QCheckBox* baidu = nullptr;                 // 选择框_百度
    QCheckBox* so360 = nullptr;                 // 选择框_360
    QCheckBox* google = nullptr;                // 选择框_谷歌
    QCheckBox* sogou = nullptr;                 // 选择框_搜狗
    QCheckBox* bing = nullptr;                  // 选择框_必应
    QCheckBox* select_all_engines = nullptr;    // 选择框2
    QLabel* note = nullptr;                     // 标签1
    QPushButton* search_button = nullptr;       // 按钮_检索
    QPushButton* search_picture_button = nullptr;  // 图形按钮_检索
    QLabel* search_picture = nullptr;           // 图片框1
    QFrame* results_frame = nullptr;            // 外形框3
    QTreeWidget* results = nullptr;             // 超级列表框_检索结果
};

// Creates every control as a child of `page`.
RankingControls build_ranking_controls(QWidget* page);

}  // namespace ranking

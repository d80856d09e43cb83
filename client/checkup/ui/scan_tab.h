#pragma once
// The scan page (扫描界面) of 体验选择夹: status line and picture, the
// progress picture moving inside its 400-pixel frame, the buttons, and the
// report that the scan reveals group by group.

#include "client/checkup/checkup_record.h"
#include "client/checkup/scan_progress.h"

#include <QColor>
#include <QWidget>

class QLabel;
class QPushButton;

namespace checkup {

class ScanTab final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScanTab)
public:
    enum class Look { Running, Idle, Finished };

    explicit ScanTab(QWidget* parent = nullptr);

    QPushButton* scan_button() const { return m_scan; }      // 按钮_体检
    QPushButton* cancel_button() const { return m_cancel; }  // 按钮_取消
    QPushButton* done_button() const { return m_done; }      // 按钮_完成
    QLabel* cancel_mark() const { return m_cancel_mark; }    // 取消标签

    // The offset of the progress picture in its frame; the percentage follows.
    int position() const;
    void set_position(int position);
    void set_look(Look look);
    void set_status(const QString& text);
    void set_status_colour(const QColor& colour);

    // Copies the record into the value labels; every one left empty reads "获取失败".
    void show_results(const CheckupRecord& record);
    void reveal(RevealGroup group);
    // What a repeated scan hides before it reveals the report again.
    void hide_for_rerun();

private:
    QLabel* add_label(const char* name, const QString& caption, QRect geometry, bool value);
    QPushButton* add_picture_button(const char* name, const char* picture, QPoint at);
    void show_named(std::initializer_list<const char*> names);
    QWidget* control(const char* name) const;

    QLabel* m_look = nullptr;          // 图片框3
    QLabel* m_status = nullptr;        // 体验主提示
    QLabel* m_bar = nullptr;           // 图片框_进度条
    QLabel* m_percent = nullptr;       // 进度百分比
    QPushButton* m_scan = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_done = nullptr;
    QLabel* m_cancel_mark = nullptr;
};

}  // namespace checkup

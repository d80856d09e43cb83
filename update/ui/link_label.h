#pragma once
// A label that shows a caption and opens its address when clicked.

#include <QLabel>
#include <QString>

namespace update_ui {

class LinkLabel final : public QLabel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkLabel)

public:
    explicit LinkLabel(QWidget* parent = nullptr);
    void set_address(const QString& address) { m_address = address; }
    const QString& address() const { return m_address; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_address;
};

} // namespace update_ui

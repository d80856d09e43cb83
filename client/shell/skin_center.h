#pragma once
// The skin center: a modal window with the six skins as tiles. Choosing a
// tile applies its skin to the main window at once and remembers it.

#include "client/shell/skin_files.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QTabWidget;

namespace ui { class PictureBox; class PngControl; }

namespace shell {

class MainWindow;

class SkinCenter final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SkinCenter)
public:
    static constexpr int kWidth = 680;
    static constexpr int kHeight = 418;

    // Owned by the main window, modal, deleted when closed.
    explicit SkinCenter(MainWindow& window);

    void choose(int number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Tile {
        ui::PictureBox* thumbnail = nullptr;
        QLabel* target = nullptr;
        QPushButton* mark = nullptr;
    };

    void build_tile(QWidget* page, int number);

    MainWindow& m_window;
    ui::PictureBox* m_surface = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::array<Tile, kSkinCount> m_tiles{};
};

}  // namespace shell

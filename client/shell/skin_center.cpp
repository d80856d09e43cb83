#include "client/shell/skin_center.h"

#include "client/settings/config_file.h"
#include "client/shell/main_window.h"
#include "client/shell/skin_table.h"
#include "client/shell/window_drag.h"
#include "client/ui/app_context.h"
#include "client/ui/picture_box.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace shell {
namespace {

struct TilePlace {
    const char* frame;
    QPoint frame_at;
    const char* thumbnail;
    const char* target;
    const char* mark;
    const char* caption_label;
    QPoint caption_at;
};

// Skins 1 … 6, left to right and top to bottom.
constexpr std::array<TilePlace, kSkinCount> kPlaces{{
    {"外形框2", {16, 32}, "图片框4", "透明标签3", "按钮4", "标签5", {64, 152}},
    {"外形框1", {232, 32}, "图片框3", "透明标签4", "按钮5", "标签6", {280, 152}},
    {"外形框3", {448, 32}, "图片框5", "透明标签5", "按钮6", "标签7", {504, 152}},
    {"外形框4", {16, 208}, "图片框6", "透明标签6", "按钮7", "标签8", {64, 328}},
    {"外形框5", {232, 208}, "图片框7", "透明标签7", "按钮8", "标签9", {280, 328}},
    {"外形框6", {448, 208}, "图片框8", "透明标签8", "按钮9", "标签10", {504, 328}},
}};

QString name(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace

SkinCenter::SkinCenter(MainWindow& window)
    : QWidget(&window, Qt::Dialog | Qt::FramelessWindowHint), m_window(window)
{
    setObjectName(QStringLiteral("皮肤中心"));
    setWindowTitle(QStringLiteral("皮肤中心"));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x15, 0x65, 0xC0));
    setPalette(palette);
    setAutoFillBackground(true);

    m_surface = new ui::PictureBox(this);
    m_surface->setObjectName(QStringLiteral("图片框1"));
    m_surface->setGeometry(0, 0, 680, 400);
    m_surface->set_mode(ui::PictureBox::Mode::Cover);
    m_surface->set_picture(window.background()->picture());

    auto* title = new QLabel(QStringLiteral("皮肤中心"), this);
    title->setObjectName(QStringLiteral("透明标签1"));
    title->setProperty("role", QStringLiteral("title"));
    title->setGeometry(15, 8, 120, 20);

    auto* close = new QPushButton(this);
    close->setObjectName(QStringLiteral("按钮_关闭"));
    close->setGeometry(640, 0, 27, 25);
    close->setToolTip(QStringLiteral("关闭"));
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("高级选择夹1"));
    m_tabs->setGeometry(0, 31, 684, 388);
    m_tabs->tabBar()->hide();
    // The window opens on its skin list, page 1.
    m_tabs->addTab(new QWidget, QStringLiteral("推荐皮肤"));
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("皮肤列表"));
    m_tabs->addTab(page, QStringLiteral("官方皮肤"));
    m_tabs->setCurrentIndex(1);

    auto* hint = new QLabel(QStringLiteral("共6款皮肤，快来试试吧！"), page);
    hint->setObjectName(QStringLiteral("标签3"));
    hint->setGeometry(16, 6, 300, 22);
    for (int number = 1; number <= kSkinCount; ++number)
        build_tile(page, number);

    new WindowDrag(this);

    // Every opening starts with no mark shown, whichever skin is in use.
    ui::PngControl& binder = m_window.binder();
    apply_pictures(this, binder, skin_center_pictures());
    for (Tile& tile : m_tiles)
        tile.mark->hide();
    for (int number = 1; number <= kSkinCount; ++number)
        m_tiles[number - 1].thumbnail->set_picture(QPixmap(skin_file(m_window.context().run_dir, number)));

    // Centred over the main window.
    move(window.geometry().center() - rect().center());
}

void SkinCenter::build_tile(QWidget* page, int number)
{
    const TilePlace& place = kPlaces[number - 1];
    auto* frame = new QFrame(page);
    frame->setObjectName(name(place.frame));
    frame->setProperty("role", QStringLiteral("tile"));
    frame->setGeometry(QRect(place.frame_at, QSize(194, 113)));

    Tile& tile = m_tiles[number - 1];
    tile.thumbnail = new ui::PictureBox(frame);
    tile.thumbnail->setObjectName(name(place.thumbnail));
    tile.thumbnail->setGeometry(7, 6, 180, 100);
    tile.thumbnail->set_mode(ui::PictureBox::Mode::Scaled);

    tile.target = new QLabel(frame);
    tile.target->setObjectName(name(place.target));
    tile.target->setGeometry(7, 6, 179, 98);
    tile.target->setCursor(Qt::PointingHandCursor);
    tile.target->setToolTip(QStringLiteral("使用") + skin_name(number));
    tile.target->installEventFilter(this);

    tile.mark = new QPushButton(frame);
    tile.mark->setObjectName(name(place.mark));
    tile.mark->setGeometry(158, 0, 22, 22);
    tile.mark->setFocusPolicy(Qt::NoFocus);
    tile.mark->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* caption = new QLabel(QStringLiteral("官方皮肤（%1）").arg(number), page);
    caption->setObjectName(name(place.caption_label));
    caption->setGeometry(QRect(place.caption_at, QSize(96, 24)));
    caption->setAlignment(Qt::AlignCenter);
}

bool SkinCenter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int number = 1; number <= kSkinCount; ++number) {
            if (watched == m_tiles[number - 1].target) {
                choose(number);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SkinCenter::choose(int number)
{
    if (number < 1 || number > kSkinCount)
        return;
    ui::AppContext& context = m_window.context();
    ui::PictureBox* background = m_window.background();
    background->set_mode(ui::PictureBox::Mode::Scaled);
    // A file gone since the window opened leaves the background empty; the
    // choice is still remembered.
    background->set_picture(QPixmap(skin_file(context.run_dir, number)));
    m_surface->set_picture(m_tiles[number - 1].thumbnail->picture());
    m_window.skin_label()->setText(skin_name(number));
    for (int n = 1; n <= kSkinCount; ++n)
        m_tiles[n - 1].mark->setVisible(n == number);
    if (context.config)
        context.config->write("选择皮肤", "内容", skin_name(number).toStdString());
    m_window.skin_refresh();
}

}  // namespace shell

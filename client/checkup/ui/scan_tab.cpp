#include "client/checkup/ui/scan_tab.h"

#include "client/ui/artwork.h"
#include "client/ui/png_control.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace checkup {

namespace {

constexpr int kBarHeight = 14;
const QColor kStatusGreen(128, 224, 0);
const QColor kCaptionColour(0x42, 0x42, 0x42);
const QColor kValueColour(0x15, 0x65, 0xC0);

QFont pixel_font(int pixels, bool bold = false)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void set_text_colour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

// The part of the track still to go: a grey rounded bar that the scan
// pushes out of the frame, uncovering the green bar beneath.
QPixmap track_cover()
{
    QPixmap cover(kProgressEnd, kBarHeight);
    cover.fill(Qt::transparent);
    QPainter painter(&cover);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 1, kProgressEnd, kBarHeight - 2), 6, 6);
    painter.fillPath(path, QColor(0xE0, 0xE0, 0xE0));
    return cover;
}

QPixmap look_picture(ScanTab::Look look)
{
    switch (look) {
    case ScanTab::Look::Running: return ui::art::pixmap(ui::art::checkup_running);
    case ScanTab::Look::Finished: return ui::art::pixmap(ui::art::checkup_done);
    case ScanTab::Look::Idle: break;
    }
    return ui::art::pixmap(ui::art::checkup_idle);
}

// The value labels in the order their "获取失败" is checked.
struct ValueField {
    const char* label;
    std::string CheckupRecord::*field;
};
constexpr ValueField kValueFields[] = {
    {"标签_站内链1", &CheckupRecord::home_internal_links},
    {"标签_反链1", &CheckupRecord::backlinks},
    {"标签_出站链接1", &CheckupRecord::outbound_links},
    {"标签_百度权重1", &CheckupRecord::baidu_weight},
    {"标签_收录情况1", &CheckupRecord::index_counts},
    {"标签_域名IP1", &CheckupRecord::ip_address},
    {"标签_备案信息1", &CheckupRecord::icp_record},
    {"标签_创建时间1", &CheckupRecord::created},
    {"标签_域名年龄1", &CheckupRecord::domain_age_text},
    {"标签_到期时间1", &CheckupRecord::expires},
};

}  // namespace

ScanTab::ScanTab(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("扫描界面"));

    m_look = new QLabel(this);
    m_look->setObjectName(QStringLiteral("图片框3"));
    m_look->setGeometry(28, 16, 48, 48);
    set_look(Look::Idle);

    m_status = new QLabel(QStringLiteral("正在检测，请耐心等候......"), this);
    m_status->setObjectName(QStringLiteral("体验主提示"));
    m_status->setGeometry(90, 16, 400, 24);
    m_status->setFont(pixel_font(14, true));
    set_status_colour(kStatusGreen);

    auto* frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("进度框"));
    frame->setGeometry(90, 48, kProgressEnd, kBarHeight);
    auto* fill = new QLabel(frame);
    fill->setGeometry(0, 0, kProgressEnd, kBarHeight);
    fill->setPixmap(ui::art::pixmap(ui::art::checkup_progress));
    m_bar = new QLabel(frame);
    m_bar->setObjectName(QStringLiteral("图片框_进度条"));
    m_bar->setPixmap(track_cover());
    m_bar->setGeometry(0, 0, kProgressEnd, kBarHeight);

    m_percent = new QLabel(QStringLiteral("0%"), this);
    m_percent->setObjectName(QStringLiteral("进度百分比"));
    m_percent->setGeometry(498, 44, 48, 22);
    m_percent->setFont(pixel_font(14, true));
    set_text_colour(m_percent, kValueColour);

    const auto make_button = [this](const char* name, const QString& caption, int y) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromUtf8(name));
        button->setGeometry(552, y, 80, 30);
        button->setCursor(Qt::PointingHandCursor);
        return button;
    };
    // 按钮_完成 takes the place of 按钮_取消; 按钮_体检 is shown together
    // with either of them, so it sits below where it cannot be covered.
    m_scan = make_button("按钮_体检", QStringLiteral("体检"), 66);
    m_cancel = make_button("按钮_取消", QStringLiteral("取消"), 30);
    m_cancel->hide();
    m_done = make_button("按钮_完成", QStringLiteral("完成"), 30);
    m_done->hide();

    m_cancel_mark = new QLabel(this);
    m_cancel_mark->setObjectName(QStringLiteral("取消标签"));
    m_cancel_mark->hide();

    // The report, hidden until the scan reveals it: ticks at x 28, a
    // separator in the left margin of each group, captions at 48 and 246.
    add_picture_button("对勾1", ui::art::tick, {28, 94});
    add_label("标签_百度权重", QStringLiteral("【SEO信息】"), {48, 88, 160, 24}, false)
        ->setFont(pixel_font(14, true));
    add_picture_button("分割1", ui::art::separator, {8, 119});
    add_picture_button("对勾2", ui::art::tick, {28, 126});
    add_label("故障1", QStringLiteral("百度权重："), {48, 121, 80, 22}, false);
    add_label("标签_百度权重1", {}, {128, 120, 110, 24}, true);
    add_label("标签_站内链", QStringLiteral("首页内链："), {246, 121, 80, 22}, false);
    add_label("标签_站内链1", {}, {326, 120, 150, 24}, true);
    add_label("标签_反链", QStringLiteral("反链数："), {48, 151, 80, 22}, false);
    add_label("标签_反链1", {}, {128, 150, 110, 24}, true);
    add_label("标签_出站链接", QStringLiteral("出站链接："), {246, 151, 80, 22}, false);
    add_label("标签_出站链接1", {}, {326, 150, 150, 24}, true);
    add_picture_button("分割2", ui::art::separator, {8, 181});
    add_picture_button("对勾3", ui::art::tick, {28, 188});
    add_label("标签_收录情况", QStringLiteral("收录情况："), {48, 183, 80, 22}, false);
    add_label("标签_收录情况1", {}, {128, 182, 500, 24}, true);

    add_label("标签_域名信息", QStringLiteral("【域名信息】"), {48, 224, 160, 24}, false)
        ->setFont(pixel_font(14, true));
    add_picture_button("分割3", ui::art::separator_alt, {8, 257});
    add_picture_button("对勾4", ui::art::tick, {28, 264});
    add_label("标签_域名IP", QStringLiteral("域名IP："), {48, 259, 80, 22}, false);
    add_label("标签_域名IP1", {}, {128, 258, 110, 24}, true);
    add_label("标签_域名年龄", QStringLiteral("域名年龄："), {246, 259, 80, 22}, false);
    add_label("标签_域名年龄1", {}, {326, 258, 200, 24}, true);
    add_label("标签_备案信息", QStringLiteral("备案信息："), {48, 289, 80, 22}, false);
    add_label("标签_备案信息1", {}, {128, 288, 400, 24}, true);
    add_picture_button("分割4", ui::art::separator, {8, 321});
    add_picture_button("对勾5", ui::art::tick, {28, 328});
    add_label("标签_创建时间", QStringLiteral("创建时间："), {48, 323, 80, 22}, false);
    add_label("标签_创建时间1", {}, {128, 322, 110, 24}, true);
    add_label("标签_到期时间", QStringLiteral("到期时间："), {246, 323, 80, 22}, false);
    add_label("标签_到期时间1", {}, {326, 322, 200, 24}, true);
}

QLabel* ScanTab::add_label(const char* name, const QString& caption, QRect geometry, bool value)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(geometry);
    // Numbers stand out a size larger than their captions.
    label->setFont(pixel_font(value ? 14 : 12, value));
    set_text_colour(label, value ? kValueColour : kCaptionColour);
    label->hide();
    return label;
}

QPushButton* ScanTab::add_picture_button(const char* name, const char* picture, QPoint at)
{
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromUtf8(name));
    const QImage image = ui::art::image(picture);
    button->setGeometry(QRect(at, image.isNull() ? QSize(14, 14) : image.size()));
    button->setFocusPolicy(Qt::NoFocus);
    ui::PngControl binder;
    binder.attach(button);
    binder.set_pictures(image, {}, {}, {});
    button->hide();
    return button;
}

QWidget* ScanTab::control(const char* name) const
{
    return findChild<QWidget*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

void ScanTab::show_named(std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (QWidget* widget = control(name))
            widget->show();
    }
}

int ScanTab::position() const
{
    return m_bar->x();
}

void ScanTab::set_position(int position)
{
    m_bar->move(position, 0);
    m_percent->setText(QString::fromStdString(percent_text(position)));
}

void ScanTab::set_look(Look look)
{
    m_look->setPixmap(look_picture(look));
}

void ScanTab::set_status(const QString& text)
{
    m_status->setText(text);
}

void ScanTab::set_status_colour(const QColor& colour)
{
    set_text_colour(m_status, colour);
}

void ScanTab::show_results(const CheckupRecord& record)
{
    for (const ValueField& value : kValueFields)
        static_cast<QLabel*>(control(value.label))->setText(QString::fromStdString(record.*value.field));
    for (const ValueField& value : kValueFields) {
        auto* label = static_cast<QLabel*>(control(value.label));
        if (label->text().isEmpty())
            label->setText(QStringLiteral("获取失败"));
    }
}

void ScanTab::reveal(RevealGroup group)
{
    switch (group) {
    case RevealGroup::SeoHeading:
        show_named({"标签_百度权重", "标签_百度权重1"});
        break;
    case RevealGroup::Links:
        show_named({"故障1", "分割1", "对勾2", "标签_站内链", "标签_站内链1", "标签_反链",
                    "标签_反链1", "标签_出站链接", "标签_出站链接1"});
        break;
    case RevealGroup::IndexCounts:
        show_named({"分割2", "对勾3", "标签_收录情况", "标签_收录情况1"});
        break;
    case RevealGroup::DomainInfo:
        show_named({"标签_域名信息", "标签_域名IP", "标签_域名IP1", "标签_域名年龄",
                    "标签_域名年龄1", "标签_备案信息", "标签_备案信息1", "对勾4", "分割3"});
        break;
    case RevealGroup::DomainDates:
        show_named({"分割4", "标签_创建时间", "标签_创建时间1", "标签_到期时间",
                    "标签_到期时间1", "对勾5"});
        break;
    case RevealGroup::Finished:
    case RevealGroup::None:
        break;
    }
}

void ScanTab::hide_for_rerun()
{
    for (const char* name : {"标签_百度权重", "标签_域名信息", "分割1", "分割3", "标签_域名IP",
                             "故障1", "对勾2", "对勾4", "对勾1"}) {
        if (QWidget* widget = control(name))
            widget->hide();
    }
}

}  // namespace checkup

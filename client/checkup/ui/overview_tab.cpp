#include "client/checkup/ui/overview_tab.h"

#include "client/settings/config_file.h"
#include "client/ui/artwork.h"
#include "client/ui/png_control.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace checkup {

namespace {

constexpr int kMinuteMs = 60000;
const char* const kSection = "体验时间";
const QString kGoodState = QStringLiteral("体检良好");
const QString kMinutesAgo = QStringLiteral("上次体检时间是   分钟前");
const QString kHoursAgo = QStringLiteral("上次体验时间是   小时前");

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
    widget->setPalette(palette);
}

// Counts are kept as label captions and read back as numbers.
int count_of(const QLabel* label)
{
    return label->text().toInt();
}

}  // namespace

OverviewTab::OverviewTab(settings::ConfigFile* config, QWidget* parent)
    : QWidget(parent), m_config(config)
{
    setObjectName(QStringLiteral("检测体验"));

    m_computer = new QLabel(this);
    m_computer->setObjectName(QStringLiteral("电脑图"));
    m_computer->setGeometry(40, 60, 180, 150);
    m_computer->setAlignment(Qt::AlignCenter);
    m_computer->setPixmap(ui::art::pixmap(ui::art::computer_warning));

    m_computer_state = new QLabel(QStringLiteral("电脑橙警告"), this);
    m_computer_state->setObjectName(QStringLiteral("电脑UI"));
    m_computer_state->hide();

    m_state = add_label("体验标签", QStringLiteral("没有体验"), {250, 60, 300, 32}, 22);
    m_headline = add_label("体验标语", QStringLiteral("您的网站已经    天没有体检 ,建议立即体检！"),
                           {250, 104, 390, 26}, 16);
    m_days = add_label("透明标签3", QStringLiteral("1"), {}, 16);
    place_in_gap(m_days, m_headline, QStringLiteral("您的网站已经"), QStringLiteral("    "));
    m_hint = add_label("体验提示", QStringLiteral("建议您每天坚持网站的体检 ,随时关注您的网站"),
                       {250, 140, 390, 22}, 13);
    m_count = add_label("体验时间差", QStringLiteral("1"), {}, 13);
    place_in_gap(m_count, m_hint, QStringLiteral("上次体检时间是"), QStringLiteral("   "));
    m_count->hide();
    m_minutes = add_label("分钟标签", QStringLiteral("1"), {}, 12);
    m_minutes->hide();

    set_text_colour(m_state, QColor(0x15, 0x65, 0xC0));
    m_state->setFont(pixel_font(22, true));
    set_text_colour(m_days, QColor(0xFB, 0x8C, 0x00));
    m_days->setFont(pixel_font(16, true));
    set_text_colour(m_count, QColor(0xFB, 0x8C, 0x00));
    m_count->setFont(pixel_font(13, true));
    set_text_colour(m_hint, QColor(0x61, 0x61, 0x61));

    m_check_now = new QPushButton(this);
    m_check_now->setObjectName(QStringLiteral("按钮_立即体检"));
    m_check_now->setGeometry(250, 190, 183, 73);
    m_check_now->setCursor(Qt::PointingHandCursor);
    m_check_now->setToolTip(QStringLiteral("立即体检"));
    ui::PngControl binder;
    binder.attach(m_check_now);
    binder.set_pictures(ui::art::image(ui::art::check_now), ui::art::image(ui::art::check_now_hover),
                        ui::art::image(ui::art::check_now_down), {});

    m_minute_clock = new QTimer(this);
    m_minute_clock->setObjectName(QStringLiteral("时钟8"));
    connect(m_minute_clock, &QTimer::timeout, this, &OverviewTab::minute_tick);
    m_hour_clock = new QTimer(this);
    m_hour_clock->setObjectName(QStringLiteral("时钟9"));
    connect(m_hour_clock, &QTimer::timeout, this, &OverviewTab::hour_tick);
}

QLabel* OverviewTab::add_label(const char* name, const QString& caption, QRect geometry, int pixels)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromUtf8(name));
    label->setFont(pixel_font(pixels));
    if (geometry.isValid())
        label->setGeometry(geometry);
    return label;
}

// A number sits over the blanks its line leaves for it.
void OverviewTab::place_in_gap(QLabel* number, const QLabel* line, const QString& before,
                               const QString& gap)
{
    const QFontMetrics line_metrics(line->font());
    const int x = line->x() + line_metrics.horizontalAdvance(before);
    const int width = std::max(line_metrics.horizontalAdvance(gap), 16);
    number->setGeometry(x, line->y(), width, line->height());
    number->setAlignment(Qt::AlignCenter);
}

void OverviewTab::show_checked_up()
{
    if (m_state->text() == kGoodState)
        return;
    show_safe_computer();
    m_days->hide();
    m_count->show();
    m_state->setText(kGoodState);
    m_headline->setText(QStringLiteral("请继续保持每天体检的习惯 ！"));
    m_hint->setText(kMinutesAgo);
}

void OverviewTab::start_count()
{
    m_count->setText(QStringLiteral("1"));
    // A new check-up restarts the count in minutes; the hour clock of an
    // earlier one would otherwise keep adding hours to it.
    m_hour_clock->stop();
    m_minutes->setText(QStringLiteral("1"));
    if (m_state->text() == kGoodState)
        m_hint->setText(kMinutesAgo);
    m_minute_clock->start(kMinuteMs);
}

void OverviewTab::minute_tick()
{
    if (m_count->text() != QStringLiteral("60")) {
        const int minutes = count_of(m_count) + 1;
        m_count->setText(QString::number(minutes));
        write_count("分钟差", minutes);
        show_safe_computer();
        return;
    }
    show_safe_computer();
    m_count->setText(QStringLiteral("1"));
    m_hint->setText(kHoursAgo);
    m_minute_clock->stop();
    m_hour_clock->start(kMinuteMs);
    write_count("小时差", 1);
}

void OverviewTab::hour_tick()
{
    if (m_minutes->text() != QStringLiteral("60")) {
        const int minutes = count_of(m_minutes) + 1;
        m_minutes->setText(QString::number(minutes));
        write_count("分钟差", minutes);
        return;
    }
    m_minutes->setText(QStringLiteral("1"));
    const int hours = count_of(m_count) + 1;
    m_count->setText(QString::number(hours));
    write_count("小时差", hours);
}

void OverviewTab::show_safe_computer()
{
    m_computer->setPixmap(ui::art::pixmap(ui::art::computer_safe));
}

void OverviewTab::write_count(const char* key, int value)
{
    // A failed write is not reported: the count on screen goes on.
    if (m_config)
        m_config->write(kSection, key, std::to_string(value));
}

}  // namespace checkup

#include "client/checkup/ui/checkup_page.h"

#include "client/account/account_session.h"
#include "client/checkup/scan_progress.h"
#include "client/checkup/ui/metrics_fetch.h"
#include "client/checkup/ui/overview_tab.h"
#include "client/checkup/ui/scan_tab.h"
#include "client/ui/app_context.h"
#include "client/ui/seams.h"

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace checkup {

namespace {

constexpr int kRunLoopMs = 200;
constexpr int kScanClockMs = 150;
const QColor kStatusGreen(128, 224, 0);
const QColor kStatusGrey(128, 128, 128);
const QString kAgain = QStringLiteral("重新体验");
const QString kCancel = QStringLiteral("取消");

}  // namespace

CheckupPage::CheckupPage(ui::AppContext& context, QWidget* parent)
    : ui::FeaturePage(parent), m_context(context)
{
    // The account panel takes the right-hand 251 pixels of the page.
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("体验选择夹"));
    m_tabs->setGeometry(0, 0, 650, 465);
    m_tabs->tabBar()->hide();
    m_tabs->setDocumentMode(true);

    m_overview = new OverviewTab(context.config);
    m_scan = new ScanTab;
    m_tabs->addTab(m_overview, QStringLiteral("检测体验"));
    m_tabs->addTab(m_scan, QStringLiteral("扫描界面"));

    m_fetch = new MetricsFetch(m_record, this);

    m_scan_clock = new QTimer(this);
    m_scan_clock->setObjectName(QStringLiteral("时钟3"));
    m_run_loop = new QTimer(this);
    m_run_loop->setObjectName(QStringLiteral("体验轮询"));
    m_run_loop->setInterval(kRunLoopMs);
    connect(m_run_loop, &QTimer::timeout, this, &CheckupPage::poll);

    connect(m_overview->check_now_button(), &QPushButton::clicked, this, &CheckupPage::start_run);
    connect(m_scan->scan_button(), &QPushButton::clicked, this, [this] {
        // The run loop keeps polling after a scan ends and drives a repeated
        // one; when it has stopped (signed out), the click starts it again.
        scan([this](bool go_on) {
            if (go_on && !m_run_loop->isActive())
                m_run_loop->start();
        });
    });
    connect(m_scan->cancel_button(), &QPushButton::clicked, this, &CheckupPage::cancel_clicked);
    connect(m_scan->done_button(), &QPushButton::clicked, this, &CheckupPage::done_clicked);
}

CheckupPage::~CheckupPage() = default;

QWidget* CheckupPage::overview_page() const
{
    return m_overview;
}

QWidget* CheckupPage::scan_page() const
{
    return m_scan;
}

bool CheckupPage::signed_in() const
{
    return m_context.session && m_context.session->signed_in();
}

void CheckupPage::start_run()
{
    if (!signed_in()) {
        ui::message_box(QStringLiteral("请先登陆"), QStringLiteral("提示"), ui::Buttons::Ok,
                        ui::Icon::Information, window());
        return;
    }
    m_tabs->setCurrentIndex(1);
    m_scan->set_position(0);
    // A run started while another one polls takes its place.
    m_run_loop->stop();
    scan([this](bool go_on) {
        if (go_on)
            m_run_loop->start();
    });
}

void CheckupPage::scan(std::function<void(bool go_on)> then)
{
    m_scan->set_look(ScanTab::Look::Running);
    m_tabs->setCurrentIndex(1);
    // A repeated scan finds 按钮_完成 still shown at this place: the run's
    // own button must be the one a click reaches.
    m_scan->cancel_button()->show();
    m_scan->cancel_button()->raise();
    if (m_scan->cancel_mark()->text() == kCancel) {
        m_scan->set_status_colour(kStatusGreen);
        m_scan->set_status(QStringLiteral("正在检测，请耐心等候......"));
        m_scan->cancel_button()->setText(kCancel);
    }
    QPushButton* scan_button = m_scan->scan_button();
    scan_button->hide();

    const quint64 generation = ++m_scan_generation;
    if (scan_button->text() == QStringLiteral("体检")) {
        ScrapeOptions options;
        options.aizhan = m_context.endpoints.aizhan;
        options.aizhan_whois = m_context.endpoints.aizhan_whois;
        options.link_hosts = {m_context.endpoints.baidu, m_context.endpoints.so360,
                              m_context.endpoints.sogou};
        const std::string domain = m_context.session ? m_context.session->record().web_url : std::string();
        m_fetch->start(domain, std::move(options), [this, generation, then = std::move(then)] {
            if (generation != m_scan_generation)
                return;
            m_scan_clock->start(kScanClockMs);
            if (!step()) {
                show_signed_out_error();
                then(false);
                return;
            }
            then(true);
        });
        return;
    }

    // A run has completed before: the report is revealed again from the
    // values kept, without fetching anything.
    m_scan->set_position(0);
    m_scan->set_status(QStringLiteral("重新体检中，请稍后......"));
    m_scan->hide_for_rerun();
    m_scan_clock->start(kScanClockMs);
    then(true);
}

void CheckupPage::poll()
{
    if (m_scan->cancel_button()->text() == kAgain) {
        m_run_loop->stop();
        return;
    }
    m_scan_clock->start(kScanClockMs);
    if (!step()) {
        m_run_loop->stop();
        // Signed out in the middle of the reveal: say so rather than leave
        // a scan that looks as if it were still running.
        if (m_scan->position() < kProgressEnd)
            show_signed_out_error();
    }
}

bool CheckupPage::step()
{
    if (!signed_in())
        return false;
    if (m_scan->position() >= kProgressEnd)
        return true;
    m_scan->show_results(m_record);
    const int position = m_scan->position() + ui::random_int(kStepMin, kStepMax);
    m_scan->set_position(position);
    const RevealGroup group = reveal_group(position);
    m_scan->reveal(group);
    if (group == RevealGroup::Finished)
        end_of_scan();
    return true;
}

void CheckupPage::end_of_scan()
{
    m_scan->scan_button()->setText(kAgain);
    m_scan->cancel_button()->hide();
    m_scan->scan_button()->show();
    m_scan->done_button()->show();
    m_scan->set_status_colour(kStatusGreen);
    m_scan->set_status(QStringLiteral("体验完成"));
    m_scan->set_look(ScanTab::Look::Finished);
    m_scan_clock->stop();
    m_overview->start_count();
}

void CheckupPage::cancel_clicked()
{
    if (m_scan->cancel_button()->text() != kCancel) {
        start_run();
        return;
    }
    m_scan->cancel_mark()->setText(kCancel);
    m_scan->set_status(QStringLiteral("体验已被取消，没有发现问题！"));
    m_scan->set_status_colour(kStatusGrey);
    m_scan->set_look(ScanTab::Look::Idle);
    m_scan->cancel_button()->setText(kAgain);
    // Requests still under way are of no use any more; whatever they did
    // not fill is fetched again by the next check-up.
    m_fetch->stop();
}

void CheckupPage::done_clicked()
{
    m_tabs->setCurrentIndex(0);
    m_overview->show_checked_up();
}

void CheckupPage::show_signed_out_error()
{
    m_scan_clock->stop();
    m_scan->scan_button()->show();
    m_scan->set_position(0);
    m_scan->set_status(QStringLiteral("出现错误......"));
    m_scan->set_look(ScanTab::Look::Idle);
}

}  // namespace checkup

#include "update/ui/update_window.h"

#include "update/command_line.h"
#include "update/download_kind.h"
#include "update/process_stop.h"
#include "update/progress.h"
#include "update/ui/link_label.h"
#include "update/ui/seams.h"
#include "update/update_run.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>

namespace update_ui {

namespace {

constexpr int kTickMs = 1000;
const QColor kBarColour(147, 201, 255);

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

UpdateWindow::UpdateWindow(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("启动窗口标题"));
    setFixedSize(319, 103);
    move(50, 50);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("进度条_下载进度"));
    m_bar->setGeometry(7, 8, 299, 20);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);

    m_percent = new QLabel(this);
    m_percent->setObjectName(QStringLiteral("透明标签_百分比"));
    m_percent->setGeometry(131, 8, 50, 20);
    m_percent->setAlignment(Qt::AlignCenter);
    m_percent->setAttribute(Qt::WA_TranslucentBackground);
    m_percent->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_percent->raise();

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("标签_状态"));
    m_status->setGeometry(7, 30, 299, 22);

    m_link = new LinkLabel(this);
    m_link->setObjectName(QStringLiteral("超级链接"));
    m_link->setGeometry(7, 54, 299, 20);
    m_link->setText(QStringLiteral("超级链接标题"));

    m_progress_timer = new QTimer(this);
    m_progress_timer->setObjectName(QStringLiteral("时钟1"));
    connect(m_progress_timer, &QTimer::timeout, this, &UpdateWindow::on_progress_tick);
    m_monitor_timer.setInterval(kTickMs);
    connect(&m_monitor_timer, &QTimer::timeout, this, &UpdateWindow::on_monitor_tick);
}

UpdateWindow::~UpdateWindow()
{
    if (m_installer.joinable())
        m_installer.join();
    if (m_run)
        m_run->clean_up();
}

bool UpdateWindow::begin(const std::vector<std::string>& arguments, const TempDirProvider& temp_dir,
                         const update::DownloadOptions& engine)
{
    const auto task = update::parse_arguments(arguments);
    if (!task)
        return false;
    setWindowTitle(qt(task->window_title));
    m_link->setText(qt(task->link_caption));
    m_link->set_address(qt(task->link_address));
    if (!update::has_http_prefix(task->download_address))
        return false;
    const auto kind = update::download_kind(task->download_address);
    if (!kind) {
        message_box(QStringLiteral("对不起,本程序只支持zip和exe格式的下载文件"));
        return false;
    }
    update::stop_program_for(task->install_path);
    m_run = std::make_unique<update::UpdateRun>(*task, *kind, temp_dir(), engine);
    start_download();
    return true;
}

void UpdateWindow::start_download()
{
    m_run->start_download();
    m_progress_timer->setInterval(kTickMs);
    m_progress_timer->start();
    QPalette colours = m_bar->palette();
    colours.setColor(QPalette::Highlight, kBarColour);
    m_bar->setPalette(colours);
    m_monitor_timer.start();
}

void UpdateWindow::on_monitor_tick()
{
    if (!m_run->monitor_tick())
        m_monitor_timer.stop();
}

void UpdateWindow::on_progress_tick()
{
    const update::ProgressSample sample = m_run->progress();
    m_bar->setValue(sample.percent);
    m_percent->setText(QString::number(sample.percent) + QLatin1Char('%'));
    m_status->setText(qt(update::status_line(sample)));
    if (m_run->state() == update::DownloadState::Complete)
        complete();
}

void UpdateWindow::complete()
{
    m_progress_timer->stop();
    m_run->prepare_unpack_folder();
    const std::string& message = m_run->task().completion_message;
    if (message != "不提示")
        message_box(qt(message), QStringLiteral("友情提醒"), QMessageBox::Information, this);
    // Unpacking and copying run off the GUI thread so the window keeps painting.
    m_installing = true;
    m_installer = std::thread([this] {
        try {
            m_run->install();
        } catch (...) {
            // Installing fails silently; the window still closes.
        }
        QMetaObject::invokeMethod(this, &UpdateWindow::after_install, Qt::QueuedConnection);
    });
}

void UpdateWindow::after_install()
{
    if (m_installer.joinable())
        m_installer.join();
    m_installing = false;
    const update::UpdateTask& task = m_run->task();
    if (task.open_after_install == "真")
        open_url(qt(task.install_path));
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void UpdateWindow::closeEvent(QCloseEvent* event)
{
    // The window closes by itself once the files are in place.
    if (m_installing) {
        event->ignore();
        return;
    }
    if (m_run)
        m_run->clean_up();
    event->accept();
}

} // namespace update_ui

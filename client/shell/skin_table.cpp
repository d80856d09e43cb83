#include "client/shell/skin_table.h"

#include "client/shell/feature_table.h"
#include "client/ui/artwork.h"
#include "client/ui/find_control.h"
#include "client/ui/png_control.h"

#include <QLabel>

namespace shell {
namespace {

QImage picture(const char* path)
{
    return path ? ui::art::image(path) : QImage();
}

std::vector<SkinnedControl> make_main_window_pictures()
{
    namespace art = ui::art;
    std::vector<SkinnedControl> table;
    for (const FeatureEntry& entry : feature_table())
        table.push_back({entry.highlight, art::highlight, art::highlight_hover, art::highlight_hover});
    table.push_back({"按钮_关闭", art::close, art::close_hover, art::close_down});
    table.push_back({"按钮_最小化", art::minimise, art::minimise_hover, art::minimise_down});
    table.push_back({"按钮_换皮肤", art::skin, art::skin_hover, art::skin_down});
    table.push_back({"按钮_主菜单", art::menu, art::menu_hover, art::menu_down});
    table.push_back({"按钮_立即体检", art::check_now, art::check_now_hover, art::check_now_down});
    for (const FeatureEntry& entry : feature_table())
        table.push_back({entry.button, entry.icon});
    table.push_back({"按钮_登录", art::sign_in, art::sign_in_hover, art::sign_in});
    table.push_back({"按钮_注册", art::register_, art::register_hover, art::register_});
    table.push_back({"按钮_注销", art::sign_out, art::sign_out_hover, art::sign_out});
    for (const char* tick : {"对勾1", "对勾2", "对勾3", "对勾4", "对勾5"})
        table.push_back({tick, art::tick});
    for (const char* separator : {"分割1", "分割2", "分割4"})
        table.push_back({separator, art::separator});
    table.push_back({"分割3", art::separator_alt});
    return table;
}

void set_label_picture(QWidget* window, const char* name, const char* path)
{
    if (auto* label = ui::find_control<QLabel>(window, QString::fromUtf8(name)))
        label->setPixmap(ui::art::pixmap(path));
}

QString caption_of(QWidget* window, const char* name)
{
    auto* label = ui::find_control<QLabel>(window, QString::fromUtf8(name));
    return label ? label->text() : QString();
}

}  // namespace

const std::vector<SkinnedControl>& main_window_pictures()
{
    static const std::vector<SkinnedControl> table = make_main_window_pictures();
    return table;
}

const std::vector<SkinnedControl>& skin_center_pictures()
{
    namespace art = ui::art;
    static const std::vector<SkinnedControl> table{
        {"按钮_关闭", art::dialog_close, art::dialog_close_hover, art::dialog_close_down},
        {"按钮4", art::skin_mark}, {"按钮5", art::skin_mark}, {"按钮6", art::skin_mark},
        {"按钮7", art::skin_mark}, {"按钮8", art::skin_mark}, {"按钮9", art::skin_mark},
    };
    return table;
}

void apply_pictures(QWidget* window, ui::PngControl& binder, const std::vector<SkinnedControl>& table)
{
    for (const SkinnedControl& entry : table) {
        // A control a page has not built is skipped: binding nothing must not
        // leave the pictures to land on the previously bound button.
        QWidget* control = ui::find_control(window, QString::fromUtf8(entry.name));
        if (!control)
            continue;
        binder.attach(control);
        binder.set_pictures(picture(entry.normal), picture(entry.hover), picture(entry.pressed),
                            picture(entry.disabled));
    }
}

void show_status_pictures(QWidget* window)
{
    set_label_picture(window, "连接状态",
                      caption_of(window, "云状态") == QStringLiteral("连接") ? ui::art::connected
                                                                                : ui::art::disconnected);
    const QString computer = caption_of(window, "电脑UI");
    if (computer == QStringLiteral("电脑橙警告"))
        set_label_picture(window, "电脑图", ui::art::computer_warning);
    else if (computer == QStringLiteral("电脑安全"))
        set_label_picture(window, "电脑图", ui::art::computer_safe);
}

void skin_refresh(QWidget* window, ui::PngControl& binder)
{
    show_status_pictures(window);
    apply_pictures(window, binder, main_window_pictures());
}

}  // namespace shell

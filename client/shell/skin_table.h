#pragma once
// Which picture each skinned control shows in each state, and the skin
// refresh that re-applies them.

#include <vector>

class QWidget;

namespace ui { class PngControl; }

namespace shell {

struct SkinnedControl {
    const char* name;  // objectName
    const char* normal;
    const char* hover = nullptr;    // null: no picture, the normal one stands in
    const char* pressed = nullptr;
    const char* disabled = nullptr;
};

// The main window's controls, pages included.
const std::vector<SkinnedControl>& main_window_pictures();
// The skin center's close button and chosen-skin marks.
const std::vector<SkinnedControl>& skin_center_pictures();

// Skins every listed control that exists in `window` (not in windows it owns).
void apply_pictures(QWidget* window, ui::PngControl& binder, const std::vector<SkinnedControl>& table);

// 连接状态 from the caption of 云状态; 电脑图 from the caption of 电脑UI.
void show_status_pictures(QWidget* window);

// The status pictures, then every skinned control of the main window again.
void skin_refresh(QWidget* window, ui::PngControl& binder);

}  // namespace shell

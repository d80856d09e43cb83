#include "client/shell/application.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace shell {
namespace {

// Controls carry a "role" property where the look depends on where they sit.
constexpr const char* kStyle = R"(
QLabel[role="title"] { color: white; font-size: 14px; font-weight: bold; }
QLabel[role="strip"], QLabel[role="caption"], QLabel[role="status"] { color: white; }
QTabWidget#主窗口选择夹::pane { border: none; background: rgba(247, 249, 252, 246); }
QTabWidget#主窗口选择夹 > QStackedWidget > QWidget { background: transparent; }
QTabWidget#高级选择夹1::pane { border: none; background: rgba(255, 255, 255, 238);
                               border-top-left-radius: 0; }
QFrame[role="tile"] { background: white; border: 1px solid #DDE3EA; border-radius: 6px; }
QFrame[role="tile"]:hover { border: 1px solid #42A5F5; }
QFrame#外形框1 { background: white; border-left: 1px solid #E3E8EF; }
QFrame#外形框_用户信息 { background: white; }
QFrame#外形框2 QLabel, QFrame#外形框_用户信息 QLabel { color: #37474F; }
QLineEdit { border: 1px solid #CFD8DC; border-radius: 3px; padding: 0 4px; background: white;
            selection-background-color: #42A5F5; }
QLineEdit:focus { border: 1px solid #42A5F5; }
QCheckBox { color: #546E7A; }
QMenu { background: white; border: 1px solid #CFD8DC; padding: 4px 0; }
QMenu::item { padding: 5px 28px 5px 22px; color: #37474F; }
QMenu::item:selected { background: #E3F2FD; color: #1565C0; }
QMenu::separator { height: 1px; background: #ECEFF1; margin: 4px 8px; }
QToolTip { color: #37474F; background: white; border: 1px solid #CFD8DC; }
)";

}  // namespace

void apply_theme()
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(12);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
    qApp->setStyleSheet(QString::fromUtf8(kStyle));
}

}  // namespace shell

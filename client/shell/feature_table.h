#pragma once
// The nine feature buttons of the main window, left to right: where each
// sits, its caption and highlight shape, and the page it shows.

#include <QPoint>

#include <array>

namespace shell {

struct FeatureEntry {
    const char* button;     // objectName of the feature button
    QPoint at;              // in the window
    const char* caption;    // text of the caption label under it
    const char* highlight;  // objectName of the highlight shape behind it
    QPoint highlight_at;
    int page;               // page of 主窗口选择夹
    bool guarded;           // needs a signed-in account
    bool back_end;          // hosts the service's back end: sets the client user agent first
    const char* icon;       // resource path of its picture
};

inline constexpr int kFeatureCount = 9;
const std::array<FeatureEntry, kFeatureCount>& feature_table();

}  // namespace shell

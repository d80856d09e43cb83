#pragma once
// The whole task of one updater run, as the seven fields of its command line.

#include <string>

namespace update {

struct UpdateTask {
    std::string window_title;
    std::string link_caption;
    std::string link_address;
    std::string install_path;
    std::string download_address;
    std::string completion_message; // "不提示": no message box
    std::string open_after_install; // "真": open the install path afterwards
};

} // namespace update

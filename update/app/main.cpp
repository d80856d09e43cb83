// update: downloads one .zip or .exe named on its command line, installs it
// and removes its temporary files.
#include "platform/platform.h"
#include "update/ui/update_window.h"

#include <QApplication>

#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Taken before Qt removes the options it recognises.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    QApplication app(argc, argv);
    update_ui::UpdateWindow window;
    if (!window.begin(arguments,
                      [] { return std::filesystem::path(platform::private_temp_dir()); }))
        return 0;
    window.show();
    app.exec();
    return 0;
}

#include "client/shell/skin_files.h"

namespace shell {

QString skin_folder(const QString& run_dir)
{
    return run_dir + QStringLiteral("/皮肤资源");
}

QString skin_file(const QString& run_dir, int number)
{
    return skin_folder(run_dir) + QLatin1Char('/') + skin_name(number) + QStringLiteral(".jpg");
}

QString skin_name(int number)
{
    return QStringLiteral("皮肤") + QString::number(number);
}

std::optional<int> skin_number(const QString& name)
{
    for (int n = 1; n <= kSkinCount; ++n)
        if (name == skin_name(n))
            return n;
    return std::nullopt;
}

}  // namespace shell

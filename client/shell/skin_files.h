#pragma once
// The six skins: files "皮肤1.jpg" … "皮肤6.jpg" in the folder "皮肤资源"
// of the run directory, remembered in config.ini as "选择皮肤"/"内容".

#include <QString>

#include <optional>

namespace shell {

inline constexpr int kSkinCount = 6;

QString skin_folder(const QString& run_dir);
QString skin_file(const QString& run_dir, int number);
// "皮肤N".
QString skin_name(int number);
// N for "皮肤1" … "皮肤6"; nothing for any other text, the empty one included.
std::optional<int> skin_number(const QString& name);

}  // namespace shell

#include "update/progress.h"

#include <cmath>

namespace update {

int percentage(std::int64_t done, std::int64_t total)
{
    if (total <= 0 || done <= 0)
        return 0;
    const double exact = static_cast<double>(done) / static_cast<double>(total) * 100.0;
    double whole = std::floor(exact);
    // 99.9999999999999 from a rounding error still means the next whole number.
    if (exact - whole > 0.999999999999)
        whole += 1.0;
    return static_cast<int>(whole);
}

std::string status_line(const ProgressSample& sample)
{
    const auto kb = [](std::int64_t bytes) { return std::to_string(bytes > 0 ? bytes / 1000 : 0); };
    return "正在更新：" + kb(sample.bytes_per_second) + " KB/S 大小：" + kb(sample.total) +
           " KB 已下载：" + kb(sample.done) + " KB";
}

} // namespace update

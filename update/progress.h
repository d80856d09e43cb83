#pragma once
// What the window shows once a second: speed, size, done and percentage.

#include <cstdint>
#include <string>

namespace update {

struct ProgressSample {
    std::int64_t bytes_per_second = 0;
    std::int64_t total = 0; // 0 while the size is unknown
    std::int64_t done = 0;
    int percent = 0;
};

// floor(done / total * 100); 0 while the total is not known.
int percentage(std::int64_t done, std::int64_t total);

// "正在更新：<speed> KB/S 大小：<size> KB 已下载：<done> KB", each figure in
// units of 1000 bytes, rounded down.
std::string status_line(const ProgressSample& sample);

} // namespace update

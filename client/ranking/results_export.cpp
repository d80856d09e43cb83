#include "client/ranking/results_export.h"

#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace ranking {

const char* const kExportNote = "此内容仅为您选择的引擎搜索结果，其他末选择皆为’-‘显示";
const std::array<const char*, 6> kExportTitles = {"关键词",   "百度排名", "360排名",
                                                  "谷歌排名", "搜狗排名", "必应排名"};

namespace {

constexpr double kNoteRowHeight = 25;
constexpr double kDataColumnWidth = 20;

// A fresh, unused name in the target's folder, so that the final rename
// stays on one file system.
std::string scratch_name_beside(const std::filesystem::path& target, std::string* error)
{
    std::filesystem::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    std::string name = ".";
    name.append(target.filename().string()).append(".XXXXXX");
    std::string pattern = (dir / name).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        *error = "cannot create a file in " + dir.string();
        return {};
    }
    ::close(fd);
    return pattern;
}

// The process umask, read without changing it (umask() would, for every thread).
std::filesystem::perms process_umask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<std::filesystem::perms>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
    }
    return static_cast<std::filesystem::perms>(022);
}

lxw_error write_sheet(lxw_workbook* book, const std::vector<ExportRow>& rows)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* red = workbook_add_format(book);
    if (!sheet || !red)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    format_set_font_color(red, LXW_COLOR_RED);

    for (lxw_col_t col = 0; col < kExportTitles.size(); ++col) {
        if (lxw_error e = worksheet_write_string(sheet, 1, col, kExportTitles[col], nullptr))
            return e;
    }
    if (lxw_error e = worksheet_merge_range(sheet, 0, 0, 0, 5, kExportNote, red))
        return e;
    if (lxw_error e = worksheet_set_row(sheet, 0, kNoteRowHeight, nullptr))
        return e;
    if (!rows.empty()) {
        if (lxw_error e = worksheet_set_column(sheet, 0, 5, kDataColumnWidth, nullptr))
            return e;
    }
    lxw_row_t sheet_row = 2;
    for (const ExportRow& row : rows) {
        for (lxw_col_t col = 0; col < row.size(); ++col) {
            // Written as text: a keyword such as "0571" or "=x" stays what it is.
            if (lxw_error e = worksheet_write_string(sheet, sheet_row, col, row[col].c_str(), nullptr))
                return e;
        }
        ++sheet_row;
    }
    return LXW_NO_ERROR;
}

}  // namespace

ExportResult export_results(const std::string& path, const std::vector<ExportRow>& rows)
{
    ExportResult result;
    if (path.empty()) {
        result.error = "no file name";
        return result;
    }
    const std::filesystem::path target(path);
    const std::string scratch = scratch_name_beside(target, &result.error);
    if (scratch.empty())
        return result;

    std::error_code ec;
    lxw_workbook* book = workbook_new(scratch.c_str());
    if (!book) {
        std::filesystem::remove(scratch, ec);
        result.error = "cannot start the workbook";
        return result;
    }
    const lxw_error sheet_error = write_sheet(book, rows);
    // workbook_close frees the book in every case and reports the write.
    const lxw_error close_error = workbook_close(book);
    if (sheet_error != LXW_NO_ERROR || close_error != LXW_NO_ERROR) {
        std::filesystem::remove(scratch, ec);
        result.error = lxw_strerror(sheet_error != LXW_NO_ERROR ? sheet_error : close_error);
        return result;
    }
    // mkstemp made the scratch file private; the workbook gets the usual mode.
    std::filesystem::permissions(scratch,
                                 std::filesystem::perms(0666) & ~process_umask(), ec);
    std::filesystem::rename(scratch, target, ec);
    if (ec) {
        std::filesystem::remove(scratch, ec);
        result.error = "cannot replace " + path;
        return result;
    }
    result.ok = true;
    return result;
}

std::string workbook_file_name(const std::string& chosen)
{
    if (chosen.empty())
        return chosen;
    if (std::filesystem::path(chosen).extension().empty())
        return chosen + ".xlsx";
    return chosen;
}

}  // namespace ranking

#pragma once
// The Excel workbook of the results list: a red note merged over A1:F1, the
// column titles in row 2, one row per result from row 3.

#include <array>
#include <string>
#include <vector>

namespace ranking {

// Keyword, then the Baidu, 360, Google, Sogou and Bing texts of one result.
using ExportRow = std::array<std::string, 6>;

extern const char* const kExportNote;
extern const std::array<const char*, 6> kExportTitles;

struct ExportResult {
    bool ok = false;
    std::string error;  // why the file was not written
};

// Writes the workbook to `path`. The file appears whole or not at all: it is
// written beside the target first and renamed over it once complete.
ExportResult export_results(const std::string& path, const std::vector<ExportRow>& rows);

// The name as the user chose it, with ".xlsx" added when it has no extension.
std::string workbook_file_name(const std::string& chosen);

}  // namespace ranking

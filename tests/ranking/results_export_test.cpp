// The exported workbook, unpacked and read back from its sheet XML.
#include "client/ranking/results_export.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <minizip/unzip.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

std::optional<std::string> zip_entry(const std::string& zip_path, const std::string& name)
{
    unzFile zip = unzOpen(zip_path.c_str());
    if (!zip)
        return std::nullopt;
    std::optional<std::string> out;
    if (unzLocateFile(zip, name.c_str(), 1) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        std::string data;
        char buffer[8192];
        int n = 0;
        while ((n = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            data.append(buffer, static_cast<std::size_t>(n));
        if (unzCloseCurrentFile(zip) == UNZ_OK && n == 0)
            out = std::move(data);
    }
    unzClose(zip);
    return out;
}

std::vector<std::string> all_matches(const std::string& text, const std::string& pattern)
{
    std::vector<std::string> out;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1].str());
    return out;
}

struct Cell {
    std::string text;
    int style = 0;
};

// What a spreadsheet program would show: cell texts by reference, row
// heights, column widths, merges, and the font colour of each style.
struct Sheet {
    std::map<std::string, Cell> cells;  // cells that hold a value
    std::map<std::string, std::string> styled_blanks;
    std::string sheet_xml;
    std::vector<std::string> merges;
    std::vector<std::string> font_colours;  // per cell style index

    static Sheet read(const std::string& path)
    {
        Sheet sheet;
        const auto xml = zip_entry(path, "xl/worksheets/sheet1.xml");
        const auto strings_xml = zip_entry(path, "xl/sharedStrings.xml").value_or("");
        const auto styles_xml = zip_entry(path, "xl/styles.xml");
        if (!xml || !styles_xml) {
            ADD_FAILURE() << "not a workbook: " << path;
            return sheet;
        }
        sheet.sheet_xml = *xml;
        const std::vector<std::string> strings = all_matches(strings_xml, "<si><t[^>]*>([^<]*)</t></si>");
        const std::regex cell_re(R"re(<c r="([A-Z]+[0-9]+)"( s="([0-9]+)")?( t="s")?(/>|><v>([0-9]+)</v></c>))re");
        for (auto it = std::sregex_iterator(xml->begin(), xml->end(), cell_re); it != std::sregex_iterator(); ++it) {
            const auto& m = *it;
            const int style = m[3].matched ? std::stoi(m[3].str()) : 0;
            if (m[6].matched && m[4].matched) {
                sheet.cells[m[1].str()] = Cell{strings.at(std::stoul(m[6].str())), style};
            } else {
                sheet.styled_blanks[m[1].str()] = m[3].str();
            }
        }
        sheet.merges = all_matches(*xml, R"re(<mergeCell ref="([^"]+)"/>)re");
        // Fonts in order, then each cell format's font.
        const std::string fonts_block = all_matches(*styles_xml, "<fonts[^>]*>(.*)</fonts>").at(0);
        std::vector<std::string> font_colour;
        for (const std::string& font : all_matches(fonts_block, "<font>(.*?)</font>")) {
            const auto rgb = all_matches(font, R"re(<color rgb="([0-9A-F]+)"/>)re");
            font_colour.push_back(rgb.empty() ? "" : rgb[0]);
        }
        const std::string xfs_block = all_matches(*styles_xml, "<cellXfs[^>]*>(.*)</cellXfs>").at(0);
        for (const std::string& font_id : all_matches(xfs_block, R"re(<xf [^>]*fontId="([0-9]+)")re"))
            sheet.font_colours.push_back(font_colour.at(std::stoul(font_id)));
        return sheet;
    }

    std::string colour_of(const std::string& ref) const
    {
        const auto it = cells.find(ref);
        const int style = it != cells.end() ? it->second.style : std::stoi(styled_blanks.at(ref));
        return font_colours.at(static_cast<std::size_t>(style));
    }
};

const char* const kTitles[] = {"关键词", "百度排名", "360排名", "谷歌排名", "搜狗排名", "必应排名"};
const char* const kColumns = "ABCDEF";

void expect_head(const Sheet& sheet)
{
    ASSERT_EQ(sheet.merges, std::vector<std::string>{"A1:F1"});
    ASSERT_TRUE(sheet.cells.count("A1"));
    EXPECT_EQ(sheet.cells.at("A1").text, "此内容仅为您选择的引擎搜索结果，其他末选择皆为’-‘显示");
    for (const char* ref : {"A1", "B1", "C1", "D1", "E1", "F1"}) {
        SCOPED_TRACE(ref);
        EXPECT_EQ(sheet.colour_of(ref), "FFFF0000");
    }
    EXPECT_TRUE(std::regex_search(sheet.sheet_xml, std::regex(R"re(<row r="1"[^>]* ht="25" customHeight="1")re")));
    for (int col = 0; col < 6; ++col) {
        const std::string ref = std::string(1, kColumns[col]) + "2";
        SCOPED_TRACE(ref);
        ASSERT_TRUE(sheet.cells.count(ref));
        EXPECT_EQ(sheet.cells.at(ref).text, kTitles[col]);
        EXPECT_EQ(sheet.colour_of(ref), "");  // titles keep the default colour
    }
}

TEST(ResultsExport, EmptyListGivesNoteAndTitlesWithDefaultWidths)
{
    testsupport::TempDir dir;
    const std::string path = (dir.path() / "空.xlsx").string();
    const ranking::ExportResult result = ranking::export_results(path, {});
    ASSERT_TRUE(result.ok) << result.error;

    const Sheet sheet = Sheet::read(path);
    expect_head(sheet);
    EXPECT_EQ(sheet.cells.size(), 7u);  // the note and six titles, nothing else
    EXPECT_EQ(sheet.sheet_xml.find("<cols>"), std::string::npos);
    EXPECT_EQ(sheet.sheet_xml.find("<row r=\"3\""), std::string::npos);
}

TEST(ResultsExport, TwoRowsFillA3ToF4AndWidenTheColumns)
{
    testsupport::TempDir dir;
    const std::string path = (dir.path() / "results.xlsx").string();
    const std::vector<ranking::ExportRow> rows = {
        {"水泵", "第7个", "第3页第4个", "-", "第1个", "-"},
        {"0571 阀门", "查询失败", "100名以外", "-", "-", "-"},
    };
    ASSERT_TRUE(ranking::export_results(path, rows).ok);

    const Sheet sheet = Sheet::read(path);
    expect_head(sheet);
    EXPECT_EQ(sheet.cells.size(), 7u + 12u);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int col = 0; col < 6; ++col) {
            const std::string ref = std::string(1, kColumns[col]) + std::to_string(r + 3);
            SCOPED_TRACE(ref);
            ASSERT_TRUE(sheet.cells.count(ref));
            EXPECT_EQ(sheet.cells.at(ref).text, rows[r][static_cast<std::size_t>(col)]);
        }
    }
    // Width 20 as a spreadsheet stores it (with its cell padding), for A to F only.
    EXPECT_NE(sheet.sheet_xml.find(R"(<cols><col min="1" max="6" width="20.7109375" customWidth="1"/></cols>)"),
              std::string::npos);
}

TEST(ResultsExport, FailedWriteReportsAndLeavesNothing)
{
    testsupport::TempDir dir;
    const std::string missing_folder = (dir.path() / "no-such-folder" / "r.xlsx").string();
    const ranking::ExportResult result = ranking::export_results(missing_folder, {});
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_FALSE(std::filesystem::exists(missing_folder));

    // A target that cannot be replaced keeps its old content and no scratch file stays.
    const std::filesystem::path blocked = dir.path() / "blocked.xlsx";
    std::filesystem::create_directory(blocked);
    std::ofstream(blocked / "keep") << "x";
    EXPECT_FALSE(ranking::export_results(blocked.string(), {}).ok);
    EXPECT_TRUE(std::filesystem::exists(blocked / "keep"));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(ResultsExport, ReplacesAnExistingFileWhole)
{
    testsupport::TempDir dir;
    const std::string path = (dir.path() / "r.xlsx").string();
    std::ofstream(path) << "old";
    ASSERT_TRUE(ranking::export_results(path, {{"k", "-", "-", "-", "-", "-"}}).ok);
    EXPECT_EQ(Sheet::read(path).cells.at("A3").text, "k");
}

TEST(ResultsExport, WorkbookNameGetsTheDefaultExtension)
{
    EXPECT_EQ(ranking::workbook_file_name("/tmp/排名"), "/tmp/排名.xlsx");
    EXPECT_EQ(ranking::workbook_file_name("/tmp/r.xlsx"), "/tmp/r.xlsx");
    EXPECT_EQ(ranking::workbook_file_name("/tmp/r.xls"), "/tmp/r.xls");
    EXPECT_EQ(ranking::workbook_file_name(""), "");
}

}  // namespace

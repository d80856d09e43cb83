#pragma once
// Reading one result page: cut it into blocks between the engine's markers
// and find the first block whose address matches the site key.

#include <cstddef>
#include <string>
#include <string_view>

namespace ranking {

struct PageScan {
    std::size_t blocks = 0;  // result blocks the page held
    std::string rank;        // rank text of the first match, empty when none
};

// Baidu: a matching block's " id" value gives 第<id>个; a match without an id
// is passed over.
PageScan scan_baidu_page(std::string_view page, std::string_view site_key);
// 360 Search: the host of the result link matched; 第<page>页第<pos>个.
PageScan scan_360_page(std::string_view page, std::string_view site_key, int page_number);
// Sogou: the result link matched; 第<RANK + 1>个.
PageScan scan_sogou_page(std::string_view page, std::string_view site_key);

}  // namespace ranking

#include "client/shell/feature_table.h"

#include "client/ui/artwork.h"

namespace shell {

const std::array<FeatureEntry, kFeatureCount>& feature_table()
{
    namespace art = ui::art;
    static const std::array<FeatureEntry, kFeatureCount> table{{
        {"按钮_网站体检", {24, 32}, "网站体检", "主外形_网站体检", {8, 30}, 0, false, false, art::feature_checkup},
        {"按钮_内容管理", {104, 32}, "内容管理", "主外形_内容管理", {88, 30}, 1, true, true, art::feature_content},
        {"按钮_移动互联", {184, 32}, "移动互联", "主外形_移动互联", {168, 30}, 2, true, false, art::feature_mobile},
        {"按钮_查询统计", {264, 32}, "查询统计", "主外形_查询统计", {248, 30}, 3, true, false, art::feature_statistics},
        {"按钮_订单查询", {344, 32}, "订单查询", "主外形_订单查询", {328, 30}, 4, true, true, art::feature_order},
        {"按钮_全网营销", {424, 32}, "全网营销", "主外形_全网营销", {408, 30}, 5, true, false, art::feature_marketing},
        {"按钮_信息发布", {504, 36}, "信息发布", "主外形_信息发布", {488, 30}, 6, true, false, art::feature_publishing},
        {"按钮_分站营销", {587, 39}, "地域营销", "主外形_分站营销", {568, 30}, 7, true, true, art::feature_regional},
        {"按钮_微信", {666, 39}, "微商营销", "主外形_微信", {647, 30}, 8, true, false, art::feature_wechat},
    }};
    return table;
}

}  // namespace shell

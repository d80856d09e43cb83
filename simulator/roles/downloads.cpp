// The download server of the update packages. Answers HEAD and single byte
// ranges exactly (206 with the asked Content-Range, 416 when unsatisfiable,
// If-Range against a strong ETag), and offers synthetic files of any size
// for the updater's large-download tests:
//   /Download/<name>.zip   the update package built from fixtures/downloads/package/
//   /Download/<name>.exe   fixtures/downloads/setup.exe
//   /blob/<size>[-<seed>].<ext>  <size> deterministic pseudo-random bytes
//   <any of these>.sha256  the file's SHA-256 as hex

#include "simulator/paced_body.h"
#include "simulator/role_context.h"
#include "simulator/roles/roles.h"
#include "simulator/zip_package.h"

#include <httplib.h>
#include <sodium.h>
#include <zlib.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>

namespace sim {
namespace {

struct Entity {
    std::size_t size = 0;
    ByteSource source;
    std::string etag;
    std::string type;
};

std::uint64_t mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// Byte i of a blob is byte (i % 8) of mix(seed, i / 8): any range can be
// produced on its own, so ranged requests need no stored file.
ByteSource blob_source(std::uint64_t seed)
{
    return [seed](std::size_t offset, std::size_t length, std::string& out) {
        const std::size_t begin = out.size();
        out.resize(begin + length);
        for (std::size_t i = 0; i < length; ++i) {
            const std::size_t at = offset + i;
            const std::uint64_t word = mix(seed * 0x100000001B3ULL + at / 8);
            out[begin + i] = static_cast<char>(word >> (8 * (at % 8)));
        }
    };
}

std::string content_type_for(const std::string& ext)
{
    if (ext == "zip")
        return "application/zip";
    if (ext == "exe")
        return "application/x-msdownload";
    return "application/octet-stream";
}

std::optional<std::size_t> to_size(const std::string& text)
{
    std::size_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The package and the installer are made once and then held in memory.
std::shared_ptr<const std::string> cached_file(const SimWorld& world, const std::string& kind)
{
    static std::mutex mutex;
    static std::shared_ptr<const std::string> package;
    static std::shared_ptr<const std::string> installer;
    std::lock_guard lock(mutex);
    auto& slot = kind == "zip" ? package : installer;
    if (!slot) {
        std::string bytes = kind == "zip"
                                ? zip_folder(world.fixtures().dir() / "downloads" / "package")
                                : world.fixtures().text("downloads/setup.exe");
        if (bytes.empty())
            return nullptr;
        slot = std::make_shared<const std::string>(std::move(bytes));
    }
    return slot;
}

std::optional<Entity> package_entity(const SimWorld& world, const std::string& ext)
{
    if (ext != "zip" && ext != "exe")
        return std::nullopt;
    auto bytes = cached_file(world, ext);
    if (!bytes)
        return std::nullopt;
    Entity entity;
    entity.size = bytes->size();
    char etag[64];
    std::snprintf(etag, sizeof etag, "\"pkg-%08lx-%zx\"",
                  crc32(0, reinterpret_cast<const Bytef*>(bytes->data()), bytes->size()),
                  bytes->size());
    entity.etag = etag;
    entity.type = content_type_for(ext);
    entity.source = [bytes](std::size_t offset, std::size_t length, std::string& out) {
        if (offset < bytes->size())
            out.append(*bytes, offset, length);
    };
    return entity;
}

Entity blob_entity(std::size_t size, std::uint64_t seed, const std::string& ext)
{
    Entity entity;
    entity.size = size;
    entity.source = blob_source(seed);
    entity.etag = "\"blob-" + std::to_string(size) + "-" + std::to_string(seed) + "\"";
    entity.type = content_type_for(ext);
    return entity;
}

std::string sha256_hex(const Entity& entity)
{
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    std::string chunk;
    for (std::size_t offset = 0; offset < entity.size; offset += chunk.size()) {
        chunk.clear();
        entity.source(offset, std::min<std::size_t>(1 << 20, entity.size - offset), chunk);
        crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char*>(chunk.data()),
                                  chunk.size());
    }
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&state, digest);
    char hex[2 * crypto_hash_sha256_BYTES + 1];
    sodium_bin2hex(hex, sizeof hex, digest, sizeof digest);
    return hex;
}

struct ByteRange {
    std::size_t first = 0;
    std::size_t last = 0;  // inclusive
};

enum class RangeAsk { none, one, unsatisfiable };

// One "bytes=a-b", "bytes=a-" or "bytes=-n" range; several ranges or a
// malformed header are answered with the whole file, which HTTP allows.
RangeAsk parse_range(const std::string& header, std::size_t total, ByteRange& range)
{
    const std::string prefix = "bytes=";
    if (header.rfind(prefix, 0) != 0 || header.find(',') != std::string::npos)
        return RangeAsk::none;
    const std::string spec = header.substr(prefix.size());
    const auto dash = spec.find('-');
    if (dash == std::string::npos)
        return RangeAsk::none;
    const std::string a = spec.substr(0, dash);
    const std::string b = spec.substr(dash + 1);
    if (a.empty()) {
        const auto suffix = to_size(b);
        if (!suffix)
            return RangeAsk::none;
        if (*suffix == 0 || total == 0)
            return RangeAsk::unsatisfiable;
        range.first = total - std::min(*suffix, total);
        range.last = total - 1;
        return RangeAsk::one;
    }
    const auto first = to_size(a);
    const auto last = b.empty() ? first : to_size(b);
    if (!first || !last || *last < *first)
        return RangeAsk::none;
    if (*first >= total)
        return RangeAsk::unsatisfiable;
    range.first = *first;
    range.last = b.empty() ? total - 1 : std::min(*last, total - 1);
    return RangeAsk::one;
}

void serve_entity(RoleContext& ctx, const httplib::Request& req, httplib::Response& res,
                  const Entity& entity)
{
    // httplib would cut ranges on its own; this role answers Range itself so
    // that every failure mode below stays possible.
    const_cast<httplib::Request&>(req).ranges.clear();

    const bool ignore_range = ctx.scenario("range_ignored").has_value();
    const auto lie = ctx.scenario("size_lie");
    const std::size_t announced = entity.size + (lie ? param_size(*lie, "extra", 1024) : 0);
    if (!ignore_range)
        res.set_header("Accept-Ranges", "bytes");
    if (!ctx.scenario("no_etag"))
        res.set_header("ETag", entity.etag);
    res.set_header("Last-Modified", "Sun, 12 May 2024 01:00:00 GMT");

    ByteRange range{0, announced ? announced - 1 : 0};
    RangeAsk ask = RangeAsk::none;
    const std::string if_range = req.get_header_value("If-Range");
    if (!ignore_range && req.has_header("Range") && (if_range.empty() || if_range == entity.etag))
        ask = parse_range(req.get_header_value("Range"), announced, range);
    if (ask == RangeAsk::unsatisfiable) {
        res.set_header("Content-Range", "bytes */" + std::to_string(announced));
        ctx.html(res, "", 416);
        return;
    }

    PacedBody body;
    body.content_type = entity.type;
    body.length = ask == RangeAsk::one ? range.last - range.first + 1 : announced;
    const std::size_t real_end = std::min(range.first + body.length, entity.size);
    body.available = real_end > range.first ? real_end - range.first : 0;
    if (auto cut = ctx.scenario("close_early"))
        body.available = std::min(body.available, param_size(*cut, "after", body.length / 2));
    if (auto rate = ctx.scenario("rate_cap"))
        body.rate = param_size(*rate, "rate", 1024 * 1024);
    if (auto stall = ctx.scenario("stall")) {
        body.stall = true;
        body.stall_limit = std::chrono::milliseconds(param_size(*stall, "max_ms", 60000));
    }
    body.announce_length = !ctx.scenario("no_length");
    const std::size_t first = range.first;
    body.source = [source = entity.source, first](std::size_t offset, std::size_t length,
                                                  std::string& out) {
        source(first + offset, length, out);
    };
    res.status = 200;
    if (ask == RangeAsk::one) {
        res.status = 206;
        res.set_header("Content-Range", "bytes " + std::to_string(range.first) + "-" +
                                            std::to_string(range.last) + "/" +
                                            std::to_string(announced));
    }
    send_paced(res, std::move(body), ctx.world().running());
}

void serve_path(RoleContext& ctx, const httplib::Request& req, httplib::Response& res,
                const std::optional<Entity>& entity, bool digest)
{
    if (!entity) {
        ctx.not_found(req, res);
    } else if (digest) {
        ctx.plain(res, sha256_hex(*entity) + "\n", "text/plain");
    } else {
        serve_entity(ctx, req, res, *entity);
    }
}

}  // namespace

void install_downloads(RoleContext& ctx)
{
    if (sodium_init() < 0)
        return;
    ctx.get(R"(/Download/[^/]+\.(zip|exe)(\.sha256)?)", [&ctx](const auto& req, auto& res) {
        serve_path(ctx, req, res, package_entity(ctx.world(), req.matches[1]),
                   req.matches[2].matched);
    });
    ctx.get(R"(/blob/(\d+)(?:-(\d+))?\.(\w+?)(\.sha256)?)", [&ctx](const auto& req, auto& res) {
        const auto size = to_size(req.matches[1]);
        const auto seed = req.matches[2].matched ? to_size(req.matches[2]) : std::size_t{1};
        std::optional<Entity> entity;
        if (size && seed)
            entity = blob_entity(*size, *seed, req.matches[3]);
        serve_path(ctx, req, res, entity, req.matches[4].matched);
    });
}

}  // namespace sim

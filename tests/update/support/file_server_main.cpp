// update_file_server: serves pseudo-random bytes on 127.0.0.1 for the
// download benchmarks. Prints the address, then serves until stdin closes.
//   update_file_server SIZE [BYTES_PER_SECOND_PER_CONNECTION] [OUT_FILE]
// OUT_FILE, when given, receives the same bytes for checksums.
#include "update/support/file_server.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: update_file_server SIZE [RATE] [OUT_FILE]\n";
        return 2;
    }
    const auto size = static_cast<std::size_t>(std::strtoull(argv[1], nullptr, 10));
    testsupport::FileServerOptions options;
    if (argc >= 3)
        options.bytes_per_second = std::strtoll(argv[2], nullptr, 10);
    std::string body = testsupport::pseudo_random_bytes(size);
    if (argc >= 4) {
        std::FILE* out = std::fopen(argv[3], "wb");
        if (!out || std::fwrite(body.data(), 1, body.size(), out) != body.size())
            return 1;
        std::fclose(out);
    }
    testsupport::FileServer server(std::move(body), options);
    if (!server.listening())
        return 1;
    std::cout << server.url("/pkg/payload.zip") << std::endl;
    std::string ignored;
    while (std::getline(std::cin, ignored)) {
    }
    return 0;
}

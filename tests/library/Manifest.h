#pragma once

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <zlib.h>

#include "support/SharedFixture.h"
#include "support/TempDir.h"

namespace zeb::test {

// One member row of the fixture corpus's MANIFEST.tsv.
struct ManifestRow {
    std::string archive;  // relative to the fixtures folder
    std::string storedName;  // bytes as stored (the <XX> escapes undone)
    std::string path, type, method, expected, password, source;
    uint64_t size = 0;
    uint32_t crc = 0;
};

inline std::string UnescapeStoredName(const std::string& text)
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<' && i + 3 < text.size() && text[i + 3] == '>') {
            bytes += char(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 3;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

// The rows whose archive path starts with prefix, or nothing when the corpus is absent.
inline std::vector<ManifestRow> LoadManifest(const std::string& prefix)
{
    std::vector<ManifestRow> rows;
    std::string file = SharedFixture("MANIFEST.tsv");
    if (file.empty())
        return rows;
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            f.push_back(field);
        if (f.size() < 10 || f[0].rfind(prefix, 0) != 0)
            continue;
        ManifestRow row{f[0], UnescapeStoredName(f[1]), f[2], f[3], f[4], f[5], f[6], f[7]};
        row.size = f[8].empty() ? 0 : std::stoull(f[8]);
        row.crc = f[9].empty() ? 0 : uint32_t(std::stoul(f[9], nullptr, 16));
        rows.push_back(row);
    }
    return rows;
}

// Size and CRC-32 (by zlib, independent of the code under test) of a file's content.
inline std::pair<uint64_t, uint32_t> SizeAndCrc(const std::string& path)
{
    std::vector<uint8_t> bytes = ReadBytes(path);
    return {bytes.size(), uint32_t(crc32(0, bytes.data(), uInt(bytes.size())))};
}

}  // namespace zeb::test

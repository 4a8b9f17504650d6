// Writes the factory preset archive: a ZIP of stored (uncompressed) entries in the order given.
//   teloma_preset_archive OUT.zip ROOT ENTRY...
// Each ENTRY is a path relative to ROOT; one ending in "/" is written as a folder entry.

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
uint32_t crc32(const std::vector<char>& data)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i)
        {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1u) != 0 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = 0xffffffffu;
    for (char byte : data)
        crc = table[(crc ^ static_cast<uint8_t>(byte)) & 0xffu] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

void put16(std::vector<char>& out, uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xffu));
    out.push_back(static_cast<char>((v >> 8) & 0xffu));
}

void put32(std::vector<char>& out, uint32_t v)
{
    put16(out, v & 0xffffu);
    put16(out, v >> 16);
}

struct Entry
{
    std::string name;
    uint32_t crc = 0, size = 0, offset = 0;
};
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: %s OUT.zip ROOT ENTRY...\n", argv[0]);
        return 2;
    }
    const std::string root = argv[2];
    std::vector<char> zip;
    std::vector<Entry> entries;
    for (int i = 3; i < argc; ++i)
    {
        Entry e;
        e.name = argv[i];
        std::vector<char> data;
        if (e.name.back() != '/')
        {
            std::ifstream in(root + "/" + e.name, std::ios::binary);
            if (!in)
            {
                std::fprintf(stderr, "cannot read %s\n", e.name.c_str());
                return 1;
            }
            data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        e.crc = crc32(data);
        e.size = static_cast<uint32_t>(data.size());
        e.offset = static_cast<uint32_t>(zip.size());
        put32(zip, 0x04034b50u); // local file header
        put16(zip, 10);          // version needed
        put16(zip, 0);           // flags
        put16(zip, 0);           // stored
        put16(zip, 0);           // time
        put16(zip, 0x21);        // date: 1980-01-01
        put32(zip, e.crc);
        put32(zip, e.size);
        put32(zip, e.size);
        put16(zip, static_cast<uint32_t>(e.name.size()));
        put16(zip, 0);
        zip.insert(zip.end(), e.name.begin(), e.name.end());
        zip.insert(zip.end(), data.begin(), data.end());
        entries.push_back(e);
    }
    const auto directoryStart = static_cast<uint32_t>(zip.size());
    for (const auto& e : entries)
    {
        put32(zip, 0x02014b50u); // central directory header
        put16(zip, 20);
        put16(zip, 10);
        put16(zip, 0);
        put16(zip, 0);
        put16(zip, 0);
        put16(zip, 0x21);
        put32(zip, e.crc);
        put32(zip, e.size);
        put32(zip, e.size);
        put16(zip, static_cast<uint32_t>(e.name.size()));
        put16(zip, 0);
        put16(zip, 0);
        put16(zip, 0);
        put16(zip, 0);
        put32(zip, e.name.back() == '/' ? 0x10u : 0u); // directory attribute
        put32(zip, e.offset);
        zip.insert(zip.end(), e.name.begin(), e.name.end());
    }
    const auto directorySize = static_cast<uint32_t>(zip.size()) - directoryStart;
    put32(zip, 0x06054b50u); // end of central directory
    put16(zip, 0);
    put16(zip, 0);
    put16(zip, static_cast<uint32_t>(entries.size()));
    put16(zip, static_cast<uint32_t>(entries.size()));
    put32(zip, directorySize);
    put32(zip, directoryStart);
    put16(zip, 0);

    std::ofstream out(argv[1], std::ios::binary);
    out.write(zip.data(), static_cast<std::streamsize>(zip.size()));
    return out ? 0 : 1;
}

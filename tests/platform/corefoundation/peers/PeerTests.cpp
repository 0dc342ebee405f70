// Cross-checks against peers no one here wrote: lists made by Python's plistlib are read by the engine,
// and the engine's XML and binary output is read back by plistlib and plistutil (plist_peers.py).
#include "engine/PropertyList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kSeed = 20240611;
constexpr int kRandomLists = 40;  // of each kind: XML, binary, binary with sorted keys

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Hex(const void* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        const unsigned char c = static_cast<const unsigned char*>(data)[i];
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string HexBE(uint64_t bits) {
    unsigned char b[8];
    for (int i = 7; i >= 0; --i, bits >>= 8) b[i] = static_cast<unsigned char>(bits);
    return Hex(b, 8);
}

std::string DoubleHex(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, 8);
    return HexBE(bits);
}

// Where two texts part, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    const size_t line = a.rfind('\n', at) == std::string::npos ? 0 : a.rfind('\n', at) + 1;
    const int number = 1 + static_cast<int>(std::count(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(line), '\n'));
    auto lineOf = [line](const std::string& s) { return s.substr(line, s.find('\n', line) - line); };
    return "line " + std::to_string(number) + ": engine [" + lineOf(a) + "] peer [" + lineOf(b) + "]";
}

// The value as plist_peers.py prints plistlib's: one line per value, containers in prefix order.
void Canonical(const cf::CObject* v, std::string& out) {
    using cf::Kind;
    switch (v->GetKind()) {
    case Kind::String: {
        const std::u16string_view s = static_cast<const cf::CStringValue*>(v)->Text();
        out += "string ";
        for (char16_t c : s) out += HexBE(c).substr(12);
        break;
    }
    case Kind::Integer: {
        auto n = static_cast<const cf::CIntegerValue*>(v);
        out += "int " + (n->UnsignedBig() ? std::to_string(static_cast<uint64_t>(n->m_value)) : std::to_string(n->m_value));
        break;
    }
    case Kind::Real: {
        const double d = static_cast<const cf::CRealValue*>(v)->m_value;
        out += d != d ? "real nan" : "real " + DoubleHex(d);
        break;
    }
    case Kind::Boolean:
        out += static_cast<const cf::CSingletonValue*>(v)->m_flag ? "bool 1" : "bool 0";
        break;
    case Kind::Date:
        out += "date " + DoubleHex(static_cast<const cf::CDateValue*>(v)->m_seconds);
        break;
    case Kind::Data: {
        const std::string& b = static_cast<const cf::CDataValue*>(v)->m_bytes;
        out += "data " + Hex(b.data(), b.size());
        break;
    }
    case Kind::UID:
        out += "uid " + std::to_string(static_cast<const cf::CUIDValue*>(v)->m_value);
        break;
    case Kind::Array: {
        auto& items = static_cast<const cf::CArrayValue*>(v)->m_items;
        out += "array " + std::to_string(items.size()) + "\n";
        for (const cf::CObject* item : items) Canonical(item, out);
        return;
    }
    case Kind::Dictionary: {
        auto& entries = static_cast<const cf::CDictionaryValue*>(v)->m_entries;
        out += "dict " + std::to_string(entries.size()) + "\n";
        for (const auto& e : entries) {
            Canonical(e.first, out);
            Canonical(e.second, out);
        }
        return;
    }
    default:
        out += "unexpected kind";
        break;
    }
    out += "\n";
}

// Runs the peer script; its output goes to the test's log.
int RunPeers(const std::string& arguments) {
    const std::string command = "python3 '" TOLVANE_PEER_SCRIPT "' " + arguments;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class PeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() / ("cf_peer_tests-" + std::to_string(getpid()));
        fs::create_directories(m_folder);
        ASSERT_EQ(RunPeers("generate '" + m_folder.string() + "' " + std::to_string(kSeed) + " " +
                           std::to_string(kRandomLists)), 0);
    }
    void TearDown() override {
        if (HasFailure()) {
            std::printf("lists kept in %s\n", m_folder.string().c_str());
            return;
        }
        fs::remove_all(m_folder);
    }

    fs::path m_folder;
};

TEST_F(PeerTest, EngineReadsPeerListsAndPeersReadEngineOutput) {
    int lists = 0;
    for (const auto& entry : fs::directory_iterator(m_folder)) {
        const fs::path path = entry.path();
        if (path.extension() != ".plist") continue;
        SCOPED_TRACE(path.filename().string());
        ++lists;
        const std::string bytes = ReadFile(path);
        cf::ParseResult r = cf::Parse(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ASSERT_TRUE(r.value) << r.error;
        const bool binary = path.stem().string().find("-xml") == std::string::npos;
        EXPECT_EQ(r.format, binary ? cf::kFormatBinary : cf::kFormatXML);
        EXPECT_TRUE(cf::IsValid(r.value.Get(), r.format));

        std::string canonical;
        Canonical(r.value.Get(), canonical);
        fs::path expect = path;
        const std::string expected = ReadFile(expect.replace_extension(".expect"));
        EXPECT_TRUE(canonical == expected) << FirstDifference(canonical, expected);

        std::string xml, bin;
        fs::path out = path;
        out.replace_extension();
        if (cf::WriteXML(r.value.Get(), xml)) WriteFile(out.string() + ".engine.xml", xml);
        if (cf::WriteBinary(r.value.Get(), bin)) WriteFile(out.string() + ".engine.bin", bin);

        // Binary with keys already in order: plistutil's XML is the same, byte for byte.
        fs::path oracle = path;
        oracle.replace_extension(".plistutil.xml");
        if (fs::exists(oracle)) {
            const std::string expected = ReadFile(oracle);
            EXPECT_TRUE(xml == expected) << FirstDifference(xml, expected);
        }
    }
    EXPECT_GT(lists, 3 * kRandomLists);
    // Every output file read back by plistlib and plistutil, compared with the peer's own value.
    EXPECT_EQ(RunPeers("check '" + m_folder.string() + "'"), 0);
}

}  // namespace

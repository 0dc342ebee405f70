// URL paths and file streams over Win32 files; saves replace the target atomically.
#include "dll/Files.h"
#include "engine/Text.h"

#include <vector>

namespace cf {
namespace {

// 8-bit charsets beyond the portable ones come from the system's code pages.
bool SystemDecoder(uint32_t codePage, const char* bytes, size_t size, std::u16string& out) {
    out.clear();
    if (!size) return true;
    if (size > 0x7FFFFFFF) return false;
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), nullptr, 0);
    if (n <= 0) return false;
    out.resize(static_cast<size_t>(n));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size),
                               reinterpret_cast<wchar_t*>(&out[0]), n) == n;
}

struct CInstallDecoder {
    CInstallDecoder() { SetCodePageDecoder(SystemDecoder); }
} g_installDecoder;

bool IsAbsolute(const std::wstring& p) {
    if (p.size() >= 3 && ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z')) && p[1] == L':' && p[2] == L'\\')
        return true;
    return p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\';
}

}  // namespace

std::wstring ResolvePath(std::u16string_view path, long style) {
    if (path.empty() || (style != 0 && style != 2)) return std::wstring();
    std::wstring p(path.begin(), path.end());
    if (style == 0 ? p[0] == L'/' : IsAbsolute(p)) return p;
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (!n) return std::wstring();
    std::vector<wchar_t> cwd(n + 1);
    n = GetCurrentDirectoryW(static_cast<DWORD>(cwd.size()), cwd.data());
    if (!n || n >= cwd.size()) return std::wstring();
    std::wstring base(cwd.data(), n);
    if (base.back() != L'\\' && base.back() != L'/') base += L'\\';
    return base + p;
}

bool CReadStream::Open() {
    if (m_state != StreamState::NotOpen) return false;
    HANDLE h = CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_state = StreamState::Error;
        return false;
    }
    m_file.Attach(h);
    m_state = StreamState::Open;
    return true;
}

void CReadStream::Close() {
    m_file.Close();
    if (m_state == StreamState::Open) m_state = StreamState::Closed;
}

bool CReadStream::ReadAll(size_t limit, std::string& out) {
    LARGE_INTEGER size;
    if (GetFileSizeEx(m_file.Get(), &size) && size.QuadPart > 0) {
        const unsigned long long want = limit ? (std::min)(static_cast<unsigned long long>(limit),
                                                           static_cast<unsigned long long>(size.QuadPart))
                                              : static_cast<unsigned long long>(size.QuadPart);
        if (want < 0x7FFFFFFF) out.reserve(static_cast<size_t>(want));
    }
    const size_t kChunk = 1 << 20;
    for (;;) {
        size_t ask = kChunk;
        if (limit) {
            if (out.size() >= limit) break;
            ask = (std::min)(kChunk, limit - out.size());
        }
        const size_t at = out.size();
        out.resize(at + ask);
        DWORD got = 0;
        if (!ReadFile(m_file.Get(), &out[at], static_cast<DWORD>(ask), &got, nullptr)) {
            out.resize(at);
            return false;
        }
        out.resize(at + got);
        if (got == 0) break;
    }
    return true;
}

bool CReadStream::MapAll(size_t limit, CFileView& view) {
    LARGE_INTEGER zero = {}, at, size;
    if (!SetFilePointerEx(m_file.Get(), zero, &at, FILE_CURRENT) || at.QuadPart != 0) return false;
    if (!GetFileSizeEx(m_file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart >= 0x7FFFFFFF) return false;
    // A view of a file on a network or removable drive faults when the drive goes away.
    wchar_t volume[MAX_PATH];
    if (!GetVolumePathNameW(m_path.c_str(), volume, MAX_PATH) || GetDriveTypeW(volume) != DRIVE_FIXED) return false;
    // Opened again without sharing writes, so the bytes cannot change while they are parsed; it
    // must still be the stream's file.
    HANDLE guard = CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (guard == INVALID_HANDLE_VALUE) return false;
    view.m_guard.Attach(guard);
    BY_HANDLE_FILE_INFORMATION mine, other;
    if (!GetFileInformationByHandle(m_file.Get(), &mine) || !GetFileInformationByHandle(guard, &other) ||
        mine.dwVolumeSerialNumber != other.dwVolumeSerialNumber || mine.nFileIndexHigh != other.nFileIndexHigh ||
        mine.nFileIndexLow != other.nFileIndexLow || !GetFileSizeEx(guard, &size) || size.QuadPart <= 0 ||
        size.QuadPart >= 0x7FFFFFFF)
        return false;
    const size_t n = limit && limit < static_cast<unsigned long long>(size.QuadPart) ? limit
                                                                                    : static_cast<size_t>(size.QuadPart);
    HANDLE mapping = CreateFileMappingW(guard, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) return false;
    view.m_data = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, n);
    CloseHandle(mapping);  // the view holds the mapping
    if (!view.m_data) return false;
    view.m_size = n;
    // Consumed, as a read would.
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(n);
    SetFilePointerEx(m_file.Get(), end, nullptr, FILE_BEGIN);
    return true;
}

bool CWriteStream::Open() {
    if (m_state != StreamState::NotOpen) return false;
    m_state = StreamState::Error;
    const DWORD attributes = GetFileAttributesW(m_target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) return false;
        // The target must be writable and replaceable now: not locked by another program.
        HANDLE probe = CreateFileW(m_target.c_str(), GENERIC_WRITE | DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (probe == INVALID_HANDLE_VALUE) return false;
        CloseHandle(probe);
    }
    const size_t slash = m_target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : m_target.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? m_target : m_target.substr(slash + 1);
    const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (DWORD attempt = 0; attempt < 64; ++attempt) {
        std::wstring candidate = folder + L"~" + name + L".";
        const DWORD tag = seed + attempt * 7919u;
        for (int shift = 28; shift >= 0; shift -= 4) candidate += L"0123456789abcdef"[tag >> shift & 15];
        candidate += L".tmp";
        HANDLE h = CreateFileW(candidate.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            m_file.Attach(h);
            m_temporary = std::move(candidate);
            m_state = StreamState::Open;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

CWriteStream::WriteResult CWriteStream::Write(const char* bytes, size_t size) {
    while (size) {
        const DWORD ask = static_cast<DWORD>((std::min)(size, static_cast<size_t>(1) << 24));
        DWORD done = 0;
        if (!WriteFile(m_file.Get(), bytes, ask, &done, nullptr)) {
            m_failed = true;
            return WriteResult::Failed;
        }
        if (done == 0) {
            m_failed = true;
            return WriteResult::Full;
        }
        bytes += done;
        size -= done;
        m_written += done;
    }
    return WriteResult::Ok;
}

void CWriteStream::Close() {
    if (m_state != StreamState::Open) return;
    m_state = StreamState::Closed;
    bool keep = !m_failed && m_written > 0;
    if (keep && !FlushFileBuffers(m_file.Get())) keep = false;
    m_file.Close();
    if (keep && MoveFileExW(m_temporary.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return;
    DeleteFileW(m_temporary.c_str());
}

}  // namespace cf

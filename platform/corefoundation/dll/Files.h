// File-system objects of the DLL: URLs (a resolved path) and file streams.
#pragma once

#include "engine/Value.h"

#include <windows.h>

#include <string>

namespace cf {

class CURL : public CObject {
public:
    CURL(std::wstring path, bool isDirectory) : CObject(Kind::URL), m_path(std::move(path)), m_isDirectory(isDirectory) {}
    std::wstring m_path;  // absolute Windows path
    bool m_isDirectory;
};

// Owns one file handle; INVALID_HANDLE_VALUE when none.
class CFileHandle {
public:
    CFileHandle() = default;
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    ~CFileHandle() { Close(); }
    void Attach(HANDLE h) { Close(); m_h = h; }
    HANDLE Get() const { return m_h; }
    bool IsValid() const { return m_h != INVALID_HANDLE_VALUE; }
    void Close() {
        if (m_h != INVALID_HANDLE_VALUE) CloseHandle(m_h);
        m_h = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_h = INVALID_HANDLE_VALUE;  // owned
};

enum class StreamState { NotOpen, Open, Closed, Error };

class CReadStream : public CObject {
public:
    explicit CReadStream(std::wstring path) : CObject(Kind::ReadStream), m_path(std::move(path)) {}
    bool Open();
    void Close();
    // Reads up to limit bytes (0: to the end of the file). False on a read error.
    bool ReadAll(size_t limit, std::string& out);

    StreamState m_state = StreamState::NotOpen;

private:
    std::wstring m_path;
    CFileHandle m_file;
};

// Writes go to a temporary file beside the target, which replaces the target only when the stream is
// closed after every write succeeded; a failed or empty save leaves the target as it was.
class CWriteStream : public CObject {
public:
    explicit CWriteStream(std::wstring path) : CObject(Kind::WriteStream), m_target(std::move(path)) {}
    ~CWriteStream() override { Close(); }
    bool Open();
    void Close();
    enum class WriteResult { Ok, Full, Failed };
    WriteResult Write(const char* bytes, size_t size);

    StreamState m_state = StreamState::NotOpen;

private:
    std::wstring m_target;
    std::wstring m_temporary;
    CFileHandle m_file;
    bool m_failed = false;
    unsigned long long m_written = 0;
};

// Resolves a path given to the URL constructor; empty when it cannot.
std::wstring ResolvePath(const std::u16string& path, long style);

}  // namespace cf

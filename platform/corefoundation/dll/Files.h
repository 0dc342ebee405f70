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

// A read-only view of a file, read in place rather than copied.
class CFileView {
public:
    CFileView() = default;
    CFileView(const CFileView&) = delete;
    CFileView& operator=(const CFileView&) = delete;
    ~CFileView() { if (m_data) UnmapViewOfFile(m_data); }
    const uint8_t* Data() const { return static_cast<const uint8_t*>(m_data); }
    size_t Size() const { return m_size; }

private:
    friend class CReadStream;
    const void* m_data = nullptr;  // owned view
    size_t m_size = 0;
    CFileHandle m_guard;  // the file opened without sharing writes, while the view is read
};

class CReadStream : public CObject {
public:
    explicit CReadStream(std::wstring path) : CObject(Kind::ReadStream), m_path(std::move(path)) {}
    bool Open();
    void Close();
    // Reads up to limit bytes (0: to the end of the file). False on a read error.
    bool ReadAll(size_t limit, std::string& out);
    // The same bytes as a view, when the stream is at the start of a local file that no one else
    // may write meanwhile; false when the file cannot be read that way (then use ReadAll).
    bool MapAll(size_t limit, CFileView& view);

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
    // What was written is not to replace the target (a write that stopped half way).
    void Abandon() { m_failed = true; }

    StreamState m_state = StreamState::NotOpen;

private:
    std::wstring m_target;
    std::wstring m_temporary;
    CFileHandle m_file;
    bool m_failed = false;
    unsigned long long m_written = 0;
};

// Resolves a path given to the URL constructor; empty when it cannot.
std::wstring ResolvePath(std::u16string_view path, long style);

}  // namespace cf

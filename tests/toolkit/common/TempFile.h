// A file in the temporary folder with given bytes, deleted at the end of the test.
#pragma once

#include <framework.h>

#include <string>

class CTempFile
{
public:
    // An unused name; the file exists once Write is called (or something else creates it).
    // The name carries the process id: test programs run side by side in one temporary folder.
    CTempFile()
    {
        static LONG s_nNext = 0;
        WCHAR szFolder[MAX_PATH];
        ::GetTempPathW(MAX_PATH, szFolder);
        m_strPath.Format(L"%lszt%lu-%ld.tmp", szFolder, ::GetCurrentProcessId(), ::InterlockedIncrement(&s_nNext));
        ::DeleteFileW(m_strPath);
    }
    explicit CTempFile(const std::string& bytes) : CTempFile() { Write(bytes); }
    ~CTempFile()
    {
        ::WritePrivateProfileStringW(NULL, NULL, NULL, m_strPath);   // forgets a cached INI copy
        ::DeleteFileW(m_strPath);
    }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    void Write(const std::string& bytes) const
    {
        HANDLE hFile = ::CreateFileW(m_strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD cbWritten = 0;
        ::WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &cbWritten, NULL);
        ::CloseHandle(hFile);
    }
    std::string Read() const
    {
        std::string bytes;
        HANDLE hFile = ::CreateFileW(m_strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            return bytes;
        char buffer[4096];
        DWORD cbRead = 0;
        while (::ReadFile(hFile, buffer, sizeof(buffer), &cbRead, NULL) && cbRead != 0)
            bytes.append(buffer, cbRead);
        ::CloseHandle(hFile);
        return bytes;
    }
    BOOL Exists() const { return ::GetFileAttributesW(m_strPath) != INVALID_FILE_ATTRIBUTES; }
    operator LPCWSTR() const { return m_strPath; }

private:
    CString m_strPath;
};

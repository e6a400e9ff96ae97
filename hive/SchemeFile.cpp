#include "hive/SchemeFile.h"
#include <windows.h>
#include <algorithm>
#include <string_view>
#include "framework/FileSystem.h"
#include "framework/Notices.h"
#include "hive/ImportCheck.h"
#include "hive/SchemeFileFormat.h"
#include "hive/Sha256.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"
#include "store/WriterLock.h"

namespace {

// Far beyond any school's schemes; a larger file is not read into the 32-bit address space.
constexpr LONGLONG kLargestFile = 256LL * 1024 * 1024;

// Which file, and what Windows said about it: the box's fixed text has room for neither.
void ExplainFileError(const char* what, const std::string& path, DWORD error) {
    Explain(std::string(what) + " " + path + ": " + SystemErrorText(error));
}

void ReportReadProblem() {
    Warn(nullptr,
         "Unable to read the file specified.\nThis is due to the file being damaged,\nprotected or "
         "unreadable for "
         "another reason",
         "Read Problem");
}

void ReportChangedSinceSaved() {
    ShowMessage(nullptr,
                "This file has changed since it was saved: it does not match the checksum\nsaved "
                "beside it, and may have been damaged on its way here.\n\nNothing has been "
                "written: the schemes of this computer are as they were.\nSave the file again "
                "where it was made.",
                "File Load Problem", MB_ICONEXCLAMATION);
}

void ReportChecksumMissing() {
    ShowMessage(
        nullptr,
        "There is no checksum saved beside this file, and one is required:\nthe file "
        "cannot be shown to be as it was saved.\n\nNothing has been written: the schemes of "
        "this computer are as they were.",
        "File Load Problem", MB_ICONEXCLAMATION);
}

// Whether `bytes`, read from `path`, may be read on: they match the checksum beside them, or
// there is none and none is required.
bool MatchesChecksum(const std::string& path, const std::string& bytes, SchemeFile::Checksum rule) {
    const std::string checksumPath = ChecksumPathOf(path);
    if (!PathExists(checksumPath)) {
        if (rule == SchemeFile::Checksum::IfPresent) return true;
        Explain("there is no checksum file " + checksumPath + ", and one is required");
        ReportChecksumMissing();
        return false;
    }
    std::string line, expected;
    if (!ReadWholeFile(checksumPath, line)) {
        ExplainFileError("could not read the checksum file", checksumPath, GetLastError());
        ReportReadProblem();
        return false;
    }
    const std::string actual = Sha256Hex(bytes);
    if (!ParseChecksumLine(line, expected))
        Explain("the checksum file " + checksumPath + " is damaged: it holds no SHA-256 line");
    else if (expected != actual)
        Explain("the file has changed since it was saved: its SHA-256 is " + actual + ", " +
                checksumPath + " says " + expected);
    else
        return true;
    ReportChangedSinceSaved();
    return false;
}

// Each field in export form must be its text and one terminator, the last byte.
bool WritableFaithfully(const std::string& field) {
    return !field.empty() && field.back() == kFieldTerminator &&
           std::string_view(field).substr(0, field.size() - 1).find(kFieldTerminator) ==
               std::string_view::npos;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return FlushFileBuffers(file) != FALSE;
}

// The folder a temporary file for `path` goes to, with its trailing separator.
std::string TemporaryFolderFor(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".\\") : path.substr(0, slash + 1);
}

} // namespace

std::string ChecksumPathOf(const std::string& path) { return path + ".sha256"; }

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != FALSE;
    if (ok && size.QuadPart > kLargestFile) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        ok = false;
    }
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD read = 0;
            ok = ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &read,
                          nullptr) &&
                 read > 0;
            done += read;
        }
    }
    const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    CloseHandle(file);
    if (!ok) {
        bytes.clear();
        // A file that ended early reads as no error at all.
        SetLastError(error ? error : ERROR_HANDLE_EOF);
    }
    return ok;
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
    // A read-only file is the user's word that it must not change; not every system's move
    // honours it.
    if (PathExists(path) && !PathWritable(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(TemporaryFolderFor(path).c_str(), "vls", 0, temporary)) return false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE && WriteAll(file, bytes);
    DWORD error = ok ? ERROR_SUCCESS : GetLastError();
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file) && ok) {
        error = GetLastError();
        ok = false;
    }
    if (ok && !MoveFileExA(temporary, path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        ok = false;
    }
    if (!ok) {
        SchemeFile::RemoveIfExists(temporary);
        SetLastError(error);
    }
    return ok;
}

SchemeFile::Collected SchemeFile::CollectRecords() {
    records.clear();
    SchemeStore store;
    {
        // Every scheme is read whole: no writer is half way through one meanwhile.
        const WriterLock turn(nullptr);
        if (!turn.Held()) return Collected::kBusy;
        const RegistryReadWatch watch;
        if (!store.ReadAll()) {
            Explain(std::string("could not read HKEY_LOCAL_MACHINE\\") + kSchemesKey);
            return Collected::kUnreadable;
        }
        if (!watch.Clean()) {
            Explain("could not read " + watch.FirstFailure());
            return Collected::kUnreadable;
        }
    }
    store.ExportAll();
    records = std::move(store.records);
    return Collected::kDone;
}

bool SchemeFile::WriteRecords(const std::string& path) {
    for (const HiveRecord& r : records)
        if (!WritableFaithfully(r.section) || !WritableFaithfully(r.key) ||
            !WritableFaithfully(r.value)) {
            Explain("a scheme holds a character that a scheme file cannot carry");
            return false;
        }
    // A checksum that may not be replaced would refuse the new file: the earlier pair stays.
    const std::string checksumPath = ChecksumPathOf(path);
    if (PathExists(checksumPath) && !PathWritable(checksumPath)) {
        Explain("the checksum file " + checksumPath + " may not be written");
        return false;
    }
    std::string bytes = EncodeSchemeFile(records);
    ScrambleBytes(bytes);
    if (!ReplaceWholeFile(path, bytes)) {
        ExplainFileError("could not write", path, GetLastError());
        return false;
    }
    // Named without its folder, so that the pair can be copied anywhere and checked there.
    if (ReplaceWholeFile(checksumPath, ChecksumLine(bytes, FileNameOf(path)))) return true;
    const DWORD error = GetLastError();
    RemoveIfExists(checksumPath);
    ExplainFileError("could not write the checksum file", checksumPath, error);
    return false;
}

bool SchemeFile::ReadRecords(const std::string& path, size_t* count, Checksum checksum) {
    records.clear();
    if (count) *count = 0;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        ExplainFileError("could not read", path, GetLastError());
        ReportReadProblem();
        return false;
    }
    if (!MatchesChecksum(path, bytes, checksum)) return false;
    ScrambleBytes(bytes);
    // Nothing of a file that fails reaches the registry: the import's counts and names are
    // checked against the whole file first, on views of its bytes. Only a file that passes has
    // its strings made, once.
    ParsedRecords parsed;
    const ParseStatus status = ParseSchemeFile(bytes, parsed);
    std::string why = status == ParseStatus::BadHeader
                          ? "the file does not begin with the header of a scheme file"
                      : status == ParseStatus::TooLarge
                          ? "the file is too large to be a scheme file"
                          : std::string();
    if (status != ParseStatus::Ok || !CheckImportable(parsed, &why)) {
        Explain(why);
        ReportNotASchemeFile();
        return false;
    }
    records.reserve(parsed.size());
    for (size_t i = 0; i < parsed.size(); ++i)
        records.push_back(ToRecord(parsed[i]));
    if (count) *count = records.size();
    return true;
}

void SchemeFile::Scramble(const std::string& path) {
    std::string bytes;
    if (!PathWritable(path) || !ReadWholeFile(path, bytes)) return;
    ScrambleBytes(bytes);
    ReplaceWholeFile(path, bytes);
}

void SchemeFile::ReportNotASchemeFile() {
    ShowMessage(nullptr, "This does not appear to be a valid Vexar Lumen Scheme Manager File.",
                "File Load Problem", MB_ICONEXCLAMATION);
}

void SchemeFile::RemoveIfExists(const std::string& path) {
    if (PathWritable(path)) DeleteFileA(path.c_str());
}

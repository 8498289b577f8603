// Folders, files and the clock through the Win32 API.
#include "platform/windows/win_host.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>

#include "platform/windows/windows_text.h"
#include "ports/save_target.h"

namespace {

// Closes a file or search handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool ok() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  // Closes now; false when closing failed (a write the system deferred may fail here).
  bool Close() {
    if (!ok()) return true;
    const BOOL closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring Join(std::wstring folder, const std::wstring& name) {
  if (!folder.empty() && !IsSeparator(folder.back())) folder += L'\\';
  return folder + name;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator);
}

// A name no other save, probe or program in the folder is using at the same moment.
std::wstring UniqueName(const wchar_t* what) {
  static std::atomic<unsigned> counter{0};
  return std::wstring(L".tolvos-") + what + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(counter++) + L".tmp";
}

SaveResult Failed(DWORD error) { return {false, SystemMessage(error)}; }

// Opens an existing path for its attributes only, following links; folders included.
HANDLE OpenForQuery(const std::wstring& path) {
  return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Where a save to a path writes, and what stands there now.
struct Destination {
  std::wstring path;  // through links, the file they lead to
  SaveTarget target = SaveTarget::kNothing;
  DWORD attributes = 0;  // a regular file's
};

// nullopt, with the reason in error, when what stands at path cannot be found out.
std::optional<Destination> DestinationOf(const std::wstring& path, DWORD& error) {
  const Handle existing(OpenForQuery(path));
  if (!existing.ok()) {
    error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return Destination{path};
    return std::nullopt;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileType(existing.get()) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(existing.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return Destination{path, SaveTarget::kOther};
  }
  Destination destination{path, SaveTarget::kRegularFile, info.dwFileAttributes};
  // Through a link, the file it leads to is replaced, and the link stays.
  std::wstring final_path(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(existing.get(), final_path.data(),
                                           static_cast<DWORD>(final_path.size()), 0);
  if (length >= final_path.size()) {  // the size it needs
    final_path.resize(length);
    length = GetFinalPathNameByHandleW(existing.get(), final_path.data(),
                                       static_cast<DWORD>(final_path.size()), 0);
  }
  if (length == 0 || length >= final_path.size()) return destination;
  final_path.resize(length);
  destination.path = final_path;
  return destination;
}

}  // namespace

std::string WinHost::ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::wstring folder = FolderOf(path);
  // The root of a drive keeps its separator: "C:\", never "C:" (the current folder of C:).
  if (!folder.empty() && folder.back() == L':') folder += L'\\';
  return Narrow(folder);
}

void WinHost::SetWorkingDirectory(const std::string& folder) {
  SetCurrentDirectoryW(Widen(folder).c_str());
}

bool WinHost::IsWritableFolder(const std::string& folder) {
  // Attributes and access lists do not tell (a read-only medium, an administrator's rights,
  // a folder of Program Files): try it with a file that is gone as soon as it is closed.
  const Handle probe(CreateFileW(Join(Widen(folder), UniqueName(L"probe")).c_str(),
                                 GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return probe.ok();
}

std::string WinHost::UserDataFolder() {
  wchar_t* app_data = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &app_data))) {
    CoTaskMemFree(app_data);
    return {};
  }
  const std::wstring folder = Join(app_data, L"Tolvos");
  CoTaskMemFree(app_data);
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    return {};
  return Narrow(folder);
}

double WinHost::SecondsSinceMidnight() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

bool WinHost::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

std::optional<std::string> WinHost::FindFileIgnoringCase(const std::string& folder,
                                                         const std::string& name) {
  // Windows already ignores case, but a folder can be made to tell case apart: comparing
  // every name holds in both.
  const std::wstring wanted = Widen(name);
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileExW(Join(Widen(folder), L"*").c_str(), FindExInfoBasic, &entry,
                                   FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> found;
  do {
    if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) continue;
    const std::wstring file = entry.cFileName;
    // The exact spelling wins over another one that differs only in case.
    if (file == wanted) {
      found = name;
      break;
    }
    if (!found && CompareStringOrdinal(file.c_str(), static_cast<int>(file.size()),
                                       wanted.c_str(), static_cast<int>(wanted.size()),
                                       TRUE) == CSTR_EQUAL) {
      found = Narrow(file);
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return found;
}

std::optional<std::string> WinHost::ReadFirstLine(const std::string& path, std::size_t max_bytes) {
  const Handle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  // Only a file on a disk: a device or a pipe may never end, or never answer.
  if (!file.ok() || GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
  // A line of max_bytes and its CR LF at most; a huge file is never read whole.
  std::string head(max_bytes + 2, '\0');
  std::size_t filled = 0;
  while (filled < head.size()) {
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(head.size() - filled, 1 << 20));
    if (!ReadFile(file.get(), head.data() + filled, wanted, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    filled += got;
  }
  head.resize(filled);
  const std::size_t end = std::min(head.find_first_of("\r\n"), max_bytes);
  return head.substr(0, std::min(end, head.size()));
}

SaveResult WinHost::WriteFileAtomically(const std::string& path, const std::string& bytes) {
  DWORD error = ERROR_SUCCESS;
  const std::optional<Destination> destination = DestinationOf(Widen(path), error);
  if (!destination) return Failed(error);
  if (!MayReplace(destination->target)) return {false, kNotARegularFile};
  // A read-only file is one the player wants kept as it is (and Windows keeps it so).
  if (destination->attributes & FILE_ATTRIBUTE_READONLY) return Failed(ERROR_ACCESS_DENIED);
  // A replaced file keeps its look: hidden stays hidden.
  const DWORD kept = destination->attributes &
                     (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
  const std::wstring& target = destination->path;

  // The new content goes whole into a file of its own beside the old one, reaches the disk,
  // and only then takes the old one's place: a failure at any step leaves the old file as it
  // was and removes the copy.
  const std::wstring copy = Join(FolderOf(target), UniqueName(L"save"));
  Handle file(CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          kept ? kept : FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return Failed(GetLastError());
  const auto give_up = [&](DWORD why) {
    file.Close();
    DeleteFileW(copy.c_str());
    return Failed(why);
  };
  std::size_t written = 0;
  while (written < bytes.size()) {
    DWORD done = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
    if (!WriteFile(file.get(), bytes.data() + written, chunk, &done, nullptr)) {
      return give_up(GetLastError());
    }
    if (done == 0) return give_up(ERROR_DISK_FULL);
    written += done;
  }
  if (!FlushFileBuffers(file.get())) return give_up(GetLastError());
  if (!file.Close()) return give_up(GetLastError());
  if (!MoveFileExW(copy.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return give_up(GetLastError());
  }
  return {};
}

std::unique_ptr<FileLock> WinHost::LockFile(const std::string& path) {
  class Held : public FileLock {
   public:
    explicit Held(HANDLE file) : file_(file) {}
    ~Held() override {
      OVERLAPPED start{};
      UnlockFileEx(file_.get(), 0, 1, 0, &start);
    }

   private:
    Handle file_;
  };
  const std::wstring wide = Widen(path);
  const std::size_t separator = wide.find_last_of(L"\\/");
  const std::wstring name = separator == std::wstring::npos ? wide : wide.substr(separator + 1);
  const std::wstring lock = Join(FolderOf(wide), L"." + name + Widen(kLockSuffix));
  HANDLE file = CreateFileW(lock.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  auto held = std::make_unique<Held>(file);
  // Waits, on a handle opened for plain calls, until the first byte is free.
  OVERLAPPED start{};
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &start)) return nullptr;
  return held;
}

#include "platform/file_services.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "geometry/codepage.h"

namespace fs = std::filesystem;

namespace {

std::size_t failAtomicWriteAfter = 0;

// Appended piece by piece: GCC 12 warns falsely about `"\"" + string`.
std::string Quoted(const fs::path& path) {
  std::string quoted(1, '"');
  quoted += Cp932FromPath(path);
  quoted += '"';
  return quoted;
}

std::string ReadError(const fs::path& path, int error) {
  return J("ファイル ") + Quoted(path) + J(" を読み込めません。") + " (" + std::strerror(error) + ")";
}

std::string TooLargeError(const fs::path& path, std::size_t maxBytes) {
  return J("ファイル ") + Quoted(path) + J(" は大きすぎます。") + " (" + std::to_string(maxBytes) + " bytes)";
}

std::string WriteError(const fs::path& path, int error) {
  return J("ファイル ") + Quoted(path) + J(" に書き込めません。") + " (" + std::strerror(error) + ")";
}

// Writes everything or reports the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

int WriteAllAt(int fd, std::string_view bytes, std::size_t offset) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The temporary file of a write: hidden, beside its target, with a marker of
// its own so that a later write can tell it from the files of others.
constexpr std::string_view kTemporaryMarker = ".zuro-save-";
constexpr std::size_t kTemporaryRandom = 6;  // the XXXXXX of mkostemp

std::string TemporaryName(const std::string& target) {
  std::string name(1, '.');
  name += target;
  name += kTemporaryMarker;
  name += "XXXXXX";
  return name;
}

bool IsOurTemporary(std::string_view name) {
  if (name.size() < 1 + kTemporaryMarker.size() + kTemporaryRandom || name[0] != '.') return false;
  return name.substr(name.size() - kTemporaryRandom - kTemporaryMarker.size(), kTemporaryMarker.size()) ==
         kTemporaryMarker;
}

// A write killed midway leaves its temporary behind. One that no process
// holds locked any more is removed; one being written is left alone.
void RemoveStaleTemporaries(const fs::path& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsOurTemporary(entry->d_name)) continue;
    const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::close(fd);
  }
  ::closedir(dir);
}

// An XDG base folder: the variable when it holds an absolute path, else the
// default below the home folder.
fs::path XdgFolder(const char* variable, const char* homeDefault) {
  if (const char* value = std::getenv(variable); value && value[0] == '/') return fs::path(value);
  fs::path home;
  if (const char* h = std::getenv("HOME"); h && h[0] != '\0') {
    home = h;
  } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
    home = pw->pw_dir;
  } else {
    home = fs::current_path();
  }
  return home / homeDefault;
}

}  // namespace

fs::path PathFromCp932(std::string_view cp932) { return fs::path(Utf8FromCp932(cp932)); }

std::string Cp932FromPath(const fs::path& path) { return Cp932FromUtf8(path.string()); }

// One read of the size the file has, then reads until the end in case it
// grew meanwhile, never past the limit.
bool ReadWholeFile(const fs::path& path, std::string& bytes, std::size_t maxBytes) {
  bytes.clear();
  // Opening a pipe or a device could block; only a regular file is opened.
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) {
    errno = fs::is_directory(path, ec) ? EISDIR : ENOENT;
    return false;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    return false;
  }
  if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > maxBytes) {
    ::close(fd);
    errno = EFBIG;
    return false;
  }
  std::string data;
  data.resize(static_cast<std::size_t>(info.st_size) + 1);  // one byte more shows the end at once
  std::size_t done = 0;
  for (;;) {
    if (done == data.size()) {
      if (data.size() > maxBytes) {
        ::close(fd);
        errno = EFBIG;
        return false;
      }
      data.resize(std::min(data.size() * 2, maxBytes + 1));
    }
    const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  data.resize(done);
  bytes = std::move(data);
  return true;
}

std::string LoadWholeFile(const fs::path& path, std::size_t maxBytes) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes, maxBytes)) {
    if (errno == EFBIG) throw FileError(TooLargeError(path, maxBytes));
    std::error_code ec;
    // A pipe or a device in the file's place is no file to read, whatever
    // its permissions say.
    const fs::file_type type = fs::status(path, ec).type();
    if (type != fs::file_type::not_found && type != fs::file_type::none && type != fs::file_type::regular &&
        type != fs::file_type::directory) {
      throw FileError(J("ファイル ") + Quoted(path) + J(" を読み込めません。") + J("通常のファイルではありません。"));
    }
    const int error = fs::is_directory(path, ec) ? EISDIR : (fs::exists(path, ec) ? EACCES : ENOENT);
    throw FileError(ReadError(path, error));
  }
  return bytes;
}

void FailNextAtomicWriteAfterForTest(std::size_t bytes) { failAtomicWriteAfter = bytes; }

AtomicFileWriter::AtomicFileWriter(const fs::path& given) : stopAfter_(failAtomicWriteAfter) {
  failAtomicWriteAfter = 0;

  // A link is written through, not replaced by a plain file.
  std::error_code noLink, linkError;
  path_ = fs::is_symlink(given, noLink) ? fs::weakly_canonical(given, linkError) : given;
  if (linkError) {
    failure_ = WriteError(given, linkError.value());
    return;
  }

  // The rename would replace a file the user may not write; a file without
  // any write bit is protected even from a user whom the system lets write.
  struct stat old {};
  const bool exists = ::stat(path_.c_str(), &old) == 0;
  if (exists && ((old.st_mode & 0222) == 0 || ::access(path_.c_str(), W_OK) != 0)) {
    Fail(EACCES);
    return;
  }

  const fs::path folder = path_.has_parent_path() ? path_.parent_path() : fs::path(".");
  RemoveStaleTemporaries(folder);
  std::string pattern = (folder / TemporaryName(path_.filename().string())).string();
  fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd_ < 0) {
    Fail(errno);
    return;
  }
  temporary_ = std::move(pattern);
  // Held until the file is closed: a save of another program in this folder
  // sees that the temporary is alive.
  ::flock(fd_, LOCK_EX | LOCK_NB);

  // The replacement takes the old file's permissions, or those a new file gets.
  const mode_t mode = exists ? (old.st_mode & 07777) : NewFileMode();
  if (::fchmod(fd_, mode) != 0) Fail(errno);
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Fail(int error) {
  if (failure_.empty()) failure_ = WriteError(path_, error);
}

void AtomicFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void AtomicFileWriter::Write(std::string_view bytes) {
  if (Failed()) return;
  if (stopAfter_ > 0 && bytes.size() >= stopAfter_ - written_) {
    // The fault of the test hook: the bytes up to the limit, then the failure.
    (void)WriteAll(fd_, bytes.substr(0, stopAfter_ - written_));
    written_ = stopAfter_;
    Fail(EIO);
    return;
  }
  if (const int error = WriteAll(fd_, bytes); error != 0) {
    Fail(error);
    return;
  }
  written_ += bytes.size();
}

void AtomicFileWriter::WriteAt(std::size_t offset, std::string_view bytes) {
  if (Failed()) return;
  if (const int error = WriteAllAt(fd_, bytes, offset); error != 0) Fail(error);
}

void AtomicFileWriter::Commit() {
  if (!Failed() && stopAfter_ > 0) Fail(EIO);  // the hook's write never succeeds
  if (!Failed() && fd_ < 0) Fail(EBADF);       // committed already
  if (!Failed() && ::fsync(fd_) != 0) Fail(errno);
  if (fd_ >= 0 && ::close(fd_) != 0) Fail(errno);
  fd_ = -1;
  if (!Failed() && ::rename(temporary_.c_str(), path_.c_str()) != 0) Fail(errno);
  if (Failed()) {
    Discard();
    throw FileError(failure_);
  }
  temporary_.clear();
  // Make the rename itself durable; a failure here loses nothing already written.
  const fs::path folder = path_.has_parent_path() ? path_.parent_path() : fs::path(".");
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  AtomicFileWriter writer(path);
  writer.Write(bytes);
  writer.Commit();
}

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

fs::path ProgramFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return fs::current_path(ec);
  return exe.parent_path();
}

fs::path SettingsFilePathFor(const fs::path& programFolder) {
  if (!programFolder.empty() && ::access(programFolder.c_str(), W_OK) == 0) {
    return programFolder / "Zuro.ini";
  }
  const fs::path folder = XdgFolder("XDG_CONFIG_HOME", ".config") / "zuro";
  std::error_code ec;
  fs::create_directories(folder, ec);  // a failure shows when the file is written
  return folder / "Zuro.ini";
}

fs::path SettingsFilePath() { return SettingsFilePathFor(ProgramFolder()); }

fs::path StockFilePath() {
  if (const char* dir = std::getenv("ZURO_STOCK_DIR"); dir && dir[0] != '\0') {
    return fs::path(dir) / "Vostak.tmp";
  }
  return XdgFolder("XDG_DATA_HOME", ".local/share") / "Vostak.tmp";
}

std::vector<std::string> LoadTextLines(const fs::path& path, std::size_t maxBytes) {
  return SplitTextLines(LoadWholeFile(path, maxBytes));
}

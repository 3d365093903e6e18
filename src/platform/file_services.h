#pragma once
// File services of the program: every reader takes the whole file into memory
// before it looks at it, and every writer goes through one atomic write, so a
// failed or interrupted save leaves the previous file as it was.
//
// Paths are native (UTF-8 on Linux); a file name that is shown or stored as
// program text passes through PathFromCp932 / Cp932FromPath.

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/sjis_text.h"  // SplitTextLines

// A file that cannot be opened, read or written. The message is code page 932
// text naming the file and what went wrong, ready for a message box.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::filesystem::path PathFromCp932(std::string_view cp932);
std::string Cp932FromPath(const std::filesystem::path& path);

// The largest file each reader takes. A file above its limit is refused by
// its size before a byte is read: no genuine file comes near these.
// A model file: 8 grids of at most 200 rows, each row text at most 65,534
// bytes behind its 10 bytes of row number, length and NUL.
inline constexpr std::size_t kLargestModelFile = 8 * 200 * (10 + 65534) + 64;
// The stock file: its 792-byte header, 4 million drawing elements of 51
// bytes (a drawing of this program holds some ten thousand) and a full text
// table of 65,535 texts of 1 KB each on average.
inline constexpr std::size_t kLargestStockFile = 792 + 4'000'000ull * 51 + 2 + 65535ull * (2 + 1024);
// "Zuro.ini" holds a few dozen short keys.
inline constexpr std::size_t kLargestSettingsFile = 1 << 20;
// A definition file of fittings: some thousand lines of figures.
inline constexpr std::size_t kLargestDefinitionFile = 16 << 20;
// A picture: the largest raster picture (kLargestPicturePixels at 32 bits
// per pixel, uncompressed) and its headers.
inline constexpr std::size_t kLargestPicturePixels = 64ull << 20;
inline constexpr std::size_t kLargestPictureFile = kLargestPicturePixels * 4 + (1 << 20);

// The whole file as bytes; false (bytes emptied) when it cannot be read, is
// no regular file or is larger than maxBytes (errno is then EFBIG).
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes, std::size_t maxBytes);
// The same, raising FileError instead of reporting false.
std::string LoadWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

// Writes bytes to a temporary file in the target's folder and renames it over
// the target. On any failure the temporary file is removed, the target is
// untouched and FileError is raised. An existing target keeps its permissions;
// a target that may not be written (no write permission, or no write bit at
// all) is refused. Temporary files of earlier writes that were killed midway,
// held by no running program, are removed from the folder first.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The same write given piece by piece, for a file too large to build in
// memory first: the bytes go to the temporary file as they come and Commit
// renames it over the target. A failure on the way is kept, later pieces are
// dropped, and Commit raises it; a writer that ends without a Commit removes
// its temporary, so the target is only ever the old file or the whole new one.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const std::filesystem::path& path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void Write(std::string_view bytes);
  // Overwrites bytes already written (a count known only at the end).
  void WriteAt(std::size_t offset, std::string_view bytes);
  void Commit();
  bool Failed() const { return !failure_.empty(); }

 private:
  std::filesystem::path path_;  // the target, a link resolved
  std::string temporary_;       // empty once renamed or removed
  int fd_ = -1;
  std::size_t written_ = 0;
  std::size_t stopAfter_ = 0;  // the test hook's limit, 0 for none
  std::string failure_;        // the first failure's message

  void Fail(int error);
  void Discard();
};

// Test hook: when positive, the next atomic write stops after this many bytes
// as if the program had been killed or the disk had filled, and fails.
void FailNextAtomicWriteAfterForTest(std::size_t bytes);

// True for an existing regular file (a folder is no file).
bool FileExists(const std::filesystem::path& path);

// The folder of the running program.
std::filesystem::path ProgramFolder();

// "Zuro.ini" beside the program, or in $XDG_CONFIG_HOME/zuro/ (default
// ~/.config/zuro/) when the program's folder cannot be written; that folder is
// created when it is chosen.
std::filesystem::path SettingsFilePath();
std::filesystem::path SettingsFilePathFor(const std::filesystem::path& programFolder);

// "Vostak.tmp" in $ZURO_STOCK_DIR when set, else in $XDG_DATA_HOME (default
// ~/.local/share).
std::filesystem::path StockFilePath();

// A code page 932 text file as its lines; CR, LF and CRLF all end a line, and
// a last line without an end still counts. Raises FileError when the file
// cannot be read.
std::vector<std::string> LoadTextLines(const std::filesystem::path& path, std::size_t maxBytes);

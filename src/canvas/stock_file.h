#pragma once
// The stock file: the exchange file through which figures travel between
// this program and the sibling CAD program. The sender overwrites it whole;
// the receiver loads it whole and checks it before it reads a record.
//
// Layout (little endian): element count N (int32), rotation, x factor,
// y factor (float64 each), 16 group scales (float64), 12 text styles of 53
// bytes, N element records of 51 bytes, the text count M (uint16) and M
// strings, each as uint16 (bytes + 1), the bytes and one NUL.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/draw_records.h"

class AtomicFileWriter;

inline constexpr std::size_t kStockHeaderSize = 792;
inline constexpr std::size_t kStockRecordSize = sizeof(RDrawElement);

class TDDGObject {
 public:
  TDDGObject();
  ~TDDGObject();  // an unsaved file's temporary goes with it
  TDDGObject(const TDDGObject&) = delete;
  TDDGObject& operator=(const TDDGObject&) = delete;

  std::int32_t HeaderWritten = 0;
  std::filesystem::path FilePath;
  std::array<RTextStyle, kTextStyleCount> FileStyles{};
  std::array<RTextStyle, kTextStyleCount> CurrentStyles{};
  std::array<std::uint8_t, kTextStyleCount> StyleMap{};
  std::int32_t ElementCount = 0;
  double FileXFactor = 0.0;
  double FileYFactor = 0.0;
  double FileRotation = 0.0;
  std::vector<std::string> Texts;  // the writer's text table
  // The file's bytes; while writing, those not yet in the temporary file.
  std::string Stream;
  // Writing keeps the whole file in Stream, for FinishStream; else a large
  // file passes through Stream into the stock file's temporary file.
  bool KeepInMemory = false;
  std::array<double, kLayerGroups> FileGroupScales{};

  // Writing: the header on the first call, then the element's record
  // (coordinates relative to the base point, selection and scratch 0).
  // Records of kind 6 and above are not written. Once Stream holds a chunk
  // it goes to the temporary file of the stock file and Stream is reused;
  // a failure there is raised by SaveStockFile.
  void WriteElement(const RDrawElement& element, std::int32_t count, double baseX, double baseY, double rotation,
                    double xFactor, double yFactor, const std::array<double, kLayerGroups>& groupScales,
                    const std::array<RTextStyle, kTextStyleCount>& styles);
  // Appends the text table and writes the stream to the stock file through
  // one atomic write. The count in the header is the number of records
  // actually written. Raises FileError when the file cannot be written or
  // the texts do not fit the 16-bit table (then nothing is written).
  void SaveStockFile();
  // Appends the text table and gives the whole file as SaveStockFile
  // writes it (once per object). Only for bytes held in memory: a writer
  // that began on the file (large, without KeepInMemory) raises logic_error.
  const std::string& FinishStream();

  // Reading: loads the stock file when it exists and checks it whole. True
  // for a good file and for no file (ElementCount 0); false, with
  // ErrorText naming the file, for a file that is not a whole stock file:
  // then every field stays as created.
  bool OpenStockFile(const std::array<RTextStyle, kTextStyleCount>& styles);
  // The same on bytes already in memory (the name is only for the message).
  bool OpenStockBytes(std::string bytes, const std::array<RTextStyle, kTextStyleCount>& styles);
  // The next element record; false after the last.
  bool ReadElement(RDrawElement& element);
  // The text table, read after the records.
  std::vector<std::string> ReadTextTable();
  // The number of strings in the file's text table (known once it is open).
  std::size_t TextCount() const { return textCount_; }

  void MapTextStyles();
  // StyleMap[number]; a number outside 0..11 maps to 0.
  std::uint8_t MappedStyle(int number) const;
  // The text with "##w/h/s/0/0/0" of file style s appended; a style
  // outside 0..11 leaves the text as it is.
  std::string StyleSuffix(const std::string& text, int s) const;

  std::string ErrorText;  // code page 932, for a message box

 private:
  std::size_t readPos_ = 0;
  std::size_t recordsLeft_ = 0;
  std::size_t textCount_ = 0;
  std::int32_t recordsWritten_ = 0;
  std::unique_ptr<AtomicFileWriter> file_;  // once the records went to the file

  void AppendTextTable();

  bool Refuse(const char* reasonUtf8);
};

// A record as the readers take it in: false for one they must leave out (a
// kind that is no element, a group or layer outside the tables, a
// coordinate that is not a finite number, a text naming no string of the
// table); a text style above 11 reads as style 0.
bool SanitizeStockRecord(RDrawElement& element, std::size_t textCount);

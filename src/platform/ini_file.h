#pragma once
// The settings file object: the whole INI file held in memory with Windows
// semantics. Section and key names compare without regard to ASCII case; a
// value is the rest of its line after the first "=", blanks around it
// trimmed, commas and quotes kept as they are. Lines before the first section
// and lines that are no "key=value" (comments) are kept and written back.
// Text is code page 932 bytes, passed through unchanged.

#include <filesystem>
#include <string>
#include <vector>

class TMemIniFile {
 public:
  // Reads the file; a missing or unreadable file reads as empty, so every
  // default applies. An unreadable one (too large, no permission, no regular
  // file) is remembered: UpdateFile will not replace what it never read.
  explicit TMemIniFile(std::filesystem::path fileName);
  TMemIniFile();  // no file: built from text with SetText

  const std::filesystem::path& FileName() const { return fileName_; }
  // True when the file exists but could not be read; ReadFailure says why
  // (code page 932, naming the file).
  bool Unreadable() const { return !readFailure_.empty(); }
  const std::string& ReadFailure() const { return readFailure_; }

  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  // Decimal, "$" or "0x" hexadecimal, with an optional sign; anything else,
  // or a number outside 32 bits, gives the default.
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  // An integer value; not 0 is true.
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

  // Replaces the key's value in place, or appends the key to its section
  // (appending the section when it is new). A line break in a value would
  // split it into two lines of the file, so it is written as a blank.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);  // "1" or "0"

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  void DeleteKey(const std::string& section, const std::string& key);
  void EraseSection(const std::string& section);
  // The key names of a section, in file order.
  std::vector<std::string> ReadSection(const std::string& section) const;

  // The file as text, CRLF line ends, a blank line after every section.
  std::string GetText() const;
  void SetText(const std::string& text);

  // Writes the file atomically; raises FileError when it cannot be written,
  // when it could not be read (its other keys would be lost), or when the
  // text is larger than the reader takes (it would be refused next time).
  void UpdateFile() const;

 private:
  struct Line {
    std::string key;    // empty for a line that is no "key=value"
    std::string value;  // the value, or the whole line when key is empty
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };

  const Section* FindSection(const std::string& name) const;
  Section* FindSection(const std::string& name);
  const Line* FindKey(const std::string& section, const std::string& key) const;

  std::filesystem::path fileName_;
  std::string readFailure_;
  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
};

#include "platform/file_services.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "geometry/codepage.h"
#include "service_test_support.h"

namespace fs = std::filesystem;

namespace {

void Put(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// Every name in the folder: a temporary file left behind shows up here.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileServices, ReadsWholeFilesAsBytes) {
  ScratchFolder folder;
  const std::string bytes("A\0\x82\xA0\r\n\xFF", 7);
  Put(folder / "data.zq4", bytes);
  std::string read = "old";
  EXPECT_TRUE(ReadWholeFile(folder / "data.zq4", read, kLargestModelFile));
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(LoadWholeFile(folder / "data.zq4", kLargestModelFile), bytes);

  Put(folder / "empty", "");
  EXPECT_TRUE(ReadWholeFile(folder / "empty", read, kLargestModelFile));
  EXPECT_EQ(read, "");

  read = "old";
  EXPECT_FALSE(ReadWholeFile(folder / "missing", read, kLargestModelFile));
  EXPECT_EQ(read, "");
  EXPECT_FALSE(ReadWholeFile(folder.path(), read, kLargestModelFile));  // a folder is no file
  try {
    LoadWholeFile(folder / "missing.zq4", kLargestModelFile);
    ADD_FAILURE() << "no error for a missing file";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("missing.zq4"), std::string::npos) << e.what();
  }
}

TEST(FileServices, AtomicWriteReplacesTheFileAndLeavesNothingElse) {
  ScratchFolder folder;
  const fs::path target = folder / "Zuro.ini";
  WriteFileAtomically(target, "first");
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "first");
  ::chmod(target.c_str(), 0640);
  WriteFileAtomically(target, std::string("second\0", 7));
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), std::string("second\0", 7));
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the permissions of the file it replaced
  WriteFileAtomically(target, "");
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "");
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"Zuro.ini"});
}

TEST(FileServices, AtomicWriteThroughALink) {
  ScratchFolder folder;
  fs::create_directory(folder / "real");
  Put(folder / "real" / "Zuro.ini", "old");
  fs::create_symlink(folder / "real" / "Zuro.ini", folder / "Zuro.ini");
  WriteFileAtomically(folder / "Zuro.ini", "new");
  EXPECT_TRUE(fs::is_symlink(folder / "Zuro.ini"));
  EXPECT_EQ(LoadWholeFile(folder / "real" / "Zuro.ini", kLargestModelFile), "new");
  EXPECT_EQ(Names(folder / "real"), std::vector<std::string>{"Zuro.ini"});
}

TEST(FileServices, InterruptedAtomicWriteKeepsTheOldFile) {
  ScratchFolder folder;
  const fs::path target = folder / "model.zq4";
  Put(target, "old contents");
  FailNextAtomicWriteAfterForTest(3);
  EXPECT_THROW(WriteFileAtomically(target, "new contents that never arrive"), FileError);
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "old contents");
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"model.zq4"});

  // A file that did not exist is not created half-written.
  FailNextAtomicWriteAfterForTest(1);
  EXPECT_THROW(WriteFileAtomically(folder / "new.zq4", "abc"), FileError);
  EXPECT_FALSE(FileExists(folder / "new.zq4"));
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"model.zq4"});

  // The fault hits one write only.
  WriteFileAtomically(target, "next");
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "next");
}

TEST(FileServices, AtomicWriterTakesThePiecesInTurnAndACountAtTheEnd) {
  ScratchFolder folder;
  const fs::path target = folder / "stock.bin";
  Put(target, "old contents");
  {
    AtomicFileWriter writer(target);
    writer.Write(
        "????"
        "-abc");  // apart, so no ??- trigraph
    writer.Write("");
    writer.Write("-defg");
    EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "old contents") << "nothing shows before the commit";
    writer.WriteAt(0, "0013");
    writer.Commit();
  }
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "0013-abc-defg");
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"stock.bin"});
}

TEST(FileServices, AtomicWriterThatFailsOrEndsUncommittedKeepsTheOldFile) {
  ScratchFolder folder;
  const fs::path target = folder / "stock.bin";
  Put(target, "old contents");
  {
    AtomicFileWriter writer(target);
    writer.Write("abandoned");
  }
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "old contents");
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"stock.bin"});

  // The fault strikes in the second piece; the pieces after it are dropped
  // and the commit reports it.
  FailNextAtomicWriteAfterForTest(5);
  {
    AtomicFileWriter writer(target);
    writer.Write("abc");
    EXPECT_FALSE(writer.Failed());
    writer.Write("defg");
    EXPECT_TRUE(writer.Failed());
    writer.Write("hij");
    EXPECT_THROW(writer.Commit(), FileError);
  }
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "old contents");
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"stock.bin"});

  // A folder that does not exist: the failure waits for the commit.
  AtomicFileWriter nowhere(folder / "no_folder" / "a.bin");
  EXPECT_TRUE(nowhere.Failed());
  nowhere.Write("x");
  EXPECT_THROW(nowhere.Commit(), FileError);
}

TEST(FileServices, AtomicWriteFailuresChangeNothing) {
  ScratchFolder folder;
  EXPECT_THROW(WriteFileAtomically(folder / "no_folder" / "a.txt", "x"), FileError);
  fs::create_directory(folder / "sub");
  Put(folder / "sub" / "inside", "kept");
  EXPECT_THROW(WriteFileAtomically(folder / "sub", "x"), FileError);  // a folder is not overwritten
  EXPECT_EQ(LoadWholeFile(folder / "sub" / "inside", kLargestModelFile), "kept");
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"sub"});
}

TEST(FileServices, FileExists) {
  ScratchFolder folder;
  Put(folder / "a.zq4", "x");
  fs::create_directory(folder / "dir");
  struct Case {
    fs::path path;
    bool exists;
  };
  const Case cases[] = {
      {folder / "a.zq4", true},
      {folder / "b.zq4", false},
      {folder / "dir", false},
      {fs::path(), false},
  };
  for (const Case& c : cases) EXPECT_EQ(FileExists(c.path), c.exists) << c.path;
}

TEST(FileServices, ProgramFolderHoldsTheProgram) { EXPECT_TRUE(FileExists(ProgramFolder() / "test_platform")); }

TEST(FileServices, SettingsFileBesideTheProgramOrInTheConfigFolder) {
  ScratchFolder folder;
  EXPECT_EQ(SettingsFilePathFor(folder.path()), folder / "Zuro.ini");

  // A program folder that cannot be written (here: one that is not there).
  const fs::path readOnly = folder / "not_there";
  {
    ScopedEnv config("XDG_CONFIG_HOME", (folder / "cfg").c_str());
    EXPECT_EQ(SettingsFilePathFor(readOnly), folder / "cfg" / "zuro" / "Zuro.ini");
    EXPECT_TRUE(fs::is_directory(folder / "cfg" / "zuro"));
  }
  {
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    ScopedEnv home("HOME", (folder / "home").c_str());
    EXPECT_EQ(SettingsFilePathFor(readOnly), folder / "home" / ".config" / "zuro" / "Zuro.ini");
  }
  {
    ScopedEnv config("XDG_CONFIG_HOME", "relative/is/ignored");
    ScopedEnv home("HOME", (folder / "home").c_str());
    EXPECT_EQ(SettingsFilePathFor(readOnly), folder / "home" / ".config" / "zuro" / "Zuro.ini");
  }
}

TEST(FileServices, StockFileLocation) {
  ScopedEnv home("HOME", "/home/eng");
  {
    ScopedEnv dir("ZURO_STOCK_DIR", "/srv/stock");
    ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(StockFilePath(), fs::path("/srv/stock/Vostak.tmp"));
  }
  {
    ScopedEnv dir("ZURO_STOCK_DIR", "");
    ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(StockFilePath(), fs::path("/data/Vostak.tmp"));
  }
  {
    ScopedEnv dir("ZURO_STOCK_DIR", nullptr);
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(StockFilePath(), fs::path("/home/eng/.local/share/Vostak.tmp"));
  }
  {
    // A home of one character is still a home.
    ScopedEnv root("HOME", "/");
    ScopedEnv dir("ZURO_STOCK_DIR", nullptr);
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(StockFilePath(), fs::path("/.local/share/Vostak.tmp"));
  }
}

TEST(FileServices, TextLinesEndAtCrLfOrCrLf) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},
      {"a\r", {"a"}},
      {"", {}},
      {"\r\n\r\n", {"", ""}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
      {"x\n\ny", {"x", "", "y"}},
      {"\x83\x5C\x95\x5C\n", {"\x83\x5C\x95\x5C"}},  // "ソ表": second bytes 0x5C stay
      {std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitTextLines(c.text), c.lines) << c.text;

  ScratchFolder folder;
  Put(folder / "def.txt", "[1]\r\nLINE 0,0,10,0\n\x95\x5C");
  EXPECT_EQ(LoadTextLines(folder / "def.txt", kLargestDefinitionFile),
            (std::vector<std::string>{"[1]", "LINE 0,0,10,0", "\x95\x5C"}));
  EXPECT_THROW(LoadTextLines(folder / "none.txt", kLargestDefinitionFile), FileError);
}

TEST(FileServices, FilesAboveTheLimitAreRefusedByTheirSize) {
  ScratchFolder folder;
  // Sparse: the size is there without the bytes, so a read would take
  // gigabytes where the refusal takes nothing.
  const fs::path huge = folder / "huge.zq4";
  Put(huge, "");
  ASSERT_EQ(::truncate(huge.c_str(), 2'000'000'000), 0);
  std::string read = "old";
  errno = 0;
  EXPECT_FALSE(ReadWholeFile(huge, read, kLargestModelFile));
  EXPECT_EQ(errno, EFBIG);
  EXPECT_EQ(read, "");
  try {
    LoadWholeFile(huge, kLargestModelFile);
    ADD_FAILURE() << "no error for a file above the limit";
  } catch (const FileError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("huge.zq4"), std::string::npos) << message;
    EXPECT_NE(message.find(J("大きすぎます")), std::string::npos) << message;
  }

  // At the limit a file is read; one byte more is refused.
  Put(folder / "ten", "0123456789");
  EXPECT_TRUE(ReadWholeFile(folder / "ten", read, 10));
  EXPECT_EQ(read, "0123456789");
  EXPECT_FALSE(ReadWholeFile(folder / "ten", read, 9));
  EXPECT_EQ(errno, EFBIG);
}

TEST(FileServices, ProtectedTargetIsRefusedAndKept) {
  ScratchFolder folder;
  const fs::path target = folder / "model.zq4";
  Put(target, "protected");
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  try {
    WriteFileAtomically(target, "replacement");
    ADD_FAILURE() << "a write-protected file was replaced";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("model.zq4"), std::string::npos) << e.what();
  }
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "protected");
  EXPECT_EQ(Names(folder.path()), std::vector<std::string>{"model.zq4"});

  // A link to a protected file is refused too; a link to a writable one is
  // written through.
  fs::create_symlink(target, folder / "link.zq4");
  EXPECT_THROW(WriteFileAtomically(folder / "link.zq4", "x"), FileError);
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "protected");
  ::chmod(target.c_str(), 0644);
  WriteFileAtomically(folder / "link.zq4", "now");
  EXPECT_EQ(LoadWholeFile(target, kLargestModelFile), "now");
  EXPECT_TRUE(fs::is_symlink(folder / "link.zq4"));
}

TEST(FileServices, StaleTemporariesOfKilledSavesAreRemoved) {
  ScratchFolder folder;
  // Left by saves killed midway; one is still being written by a live
  // program (it holds its lock).
  Put(folder / ".model.zq4.zuro-save-a1B2c3", "half");
  Put(folder / ".Zuro.ini.zuro-save-ZZZZZZ", "half");
  Put(folder / ".held.zq4.zuro-save-q9q9q9", "busy");
  const int held = ::open((folder / ".held.zq4.zuro-save-q9q9q9").c_str(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  // Files of others that merely look alike stay.
  Put(folder / ".bashrc.a1B2c3", "theirs");
  Put(folder / "model.zq4.zuro-save-a1B2c3", "not hidden");
  Put(folder / ".x.zuro-save-toolong", "theirs");

  WriteFileAtomically(folder / "other.zq4", "saved");
  ::close(held);
  EXPECT_EQ(Names(folder.path()),
            (std::vector<std::string>{".bashrc.a1B2c3", ".held.zq4.zuro-save-q9q9q9", ".x.zuro-save-toolong",
                                      "model.zq4.zuro-save-a1B2c3", "other.zq4"}));
}

TEST(FileServices, FileNamesBetweenCodePageAndNativePaths) {
  const std::string cp932 = "/tmp/\x90\x56\x8B\x4B.zq4";  // "新規"
  EXPECT_EQ(PathFromCp932(cp932), fs::path("/tmp/新規.zq4"));
  EXPECT_EQ(Cp932FromPath(fs::path("/tmp/新規.zq4")), cp932);
}

}  // namespace

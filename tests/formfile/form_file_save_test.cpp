// A save that fails at any step leaves the old form file as it was and says why.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/error.h"
#include "host/formfile/form_file.h"

namespace orvo {
namespace {

namespace fs = std::filesystem;

FormDocument Form(const std::string& caption) {
  return {"Clientes",
          7200,
          4800,
          {{"txtNome", {}, 120, 120, 2400, 600, {{"Caption", Variant(caption)}}}}};
}

std::string Contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A process killed halfway through writing: nothing after the write runs.
struct Crash {};

enum class Step { Create, Write, Sync, Rename, CrashWriting };

// The real calls, but the chosen step fails as the disk or the folder would make it.
class FailingFileSystem : public SaveFileSystem {
 public:
  FailingFileSystem(Step step, int error) : step_(step), error_(error) {}
  int Create(const std::string& path, mode_t mode) override {
    if (step_ == Step::Create) return Fail();
    return SaveFileSystem::Create(path, mode);
  }
  ssize_t Write(int fd, const char* data, size_t size) override {
    if (step_ != Step::Write && step_ != Step::CrashWriting)
      return SaveFileSystem::Write(fd, data, size);
    // Part of the text reaches the disk first.
    if (!partWritten_) {
      partWritten_ = true;
      return SaveFileSystem::Write(fd, data, size / 2);
    }
    if (step_ == Step::CrashWriting) throw Crash{};
    return Fail();
  }
  int Sync(int fd) override { return step_ == Step::Sync ? Fail() : SaveFileSystem::Sync(fd); }
  int Rename(const std::string& from, const std::string& to) override {
    return step_ == Step::Rename ? Fail() : SaveFileSystem::Rename(from, to);
  }

 private:
  int Fail() {
    errno = error_;
    return -1;
  }
  Step step_;
  int error_;
  bool partWritten_ = false;
};

class FormFileSave : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(testing::TempDir()) /
              ("formfile-save-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    path_ = (folder_ / "clientes.json").string();
    WriteFormFile(path_, Form("Nome"));
    old_ = Contents(path_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all);
    fs::remove_all(folder_);
  }
  size_t FilesInFolder() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

  fs::path folder_;
  std::string path_;
  std::string old_;
};

struct SaveFailure {
  const char* name;
  Step step;
  int error;
  int32_t number;
  const char* why;
};

const SaveFailure kFailures[] = {
    {"DiskFullWhileWriting", Step::Write, ENOSPC, 61, "writing: the disk is full"},
    {"DiskFullWhenFlushed", Step::Sync, ENOSPC, 61, "flushing to disk: the disk is full"},
    {"ReadOnlyFolder", Step::Create, EACCES, 70, "creating a temporary file: permission denied"},
    {"ReadOnlyFileSystem", Step::Create, EROFS, 70, "creating a temporary file: permission denied"},
    {"RenameRefused", Step::Rename, EIO, 75, "replacing the old file: Input/output error"},
};

TEST_F(FormFileSave, EachFailingStepLeavesTheOldFileAndNoTemporary) {
  for (const SaveFailure& f : kFailures) {
    SCOPED_TRACE(f.name);
    FailingFileSystem failing(f.step, f.error);
    try {
      WriteFormFile(path_, Form("Nome completo do cliente"), failing);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), f.number);
      EXPECT_EQ(e.Message(), "cannot save form file \"" + path_ + "\": " + f.why +
                                 "; the file on disk is unchanged");
    }
    EXPECT_EQ(Contents(path_), old_);
    EXPECT_EQ(FilesInFolder(), 1u);
  }
}

TEST_F(FormFileSave, ACrashMidwayLeavesTheOldFileAndTheNextSaveStillWorks) {
  FailingFileSystem crashing(Step::CrashWriting, 0);
  EXPECT_THROW(WriteFormFile(path_, Form("Nome completo"), crashing), Crash);
  EXPECT_EQ(Contents(path_), old_);
  EXPECT_EQ(ReadFormFile(path_).controls[0].properties[0].second, Variant("Nome"));
  // The half-written temporary stays, as after a real crash, and does not stand in the way.
  WriteFormFile(path_, Form("Nome completo"));
  EXPECT_EQ(ReadFormFile(path_).controls[0].properties[0].second, Variant("Nome completo"));
}

// The kernel's own refusal: a file-size limit makes writes fail as a full disk does.
TEST_F(FormFileSave, AFileSizeLimitActsAsAFullDisk) {
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  int32_t number = 0;
  try {
    WriteFormFile(path_, Form(std::string(500, 'x')));
  } catch (const Error& e) {
    number = e.Number();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(number, 61);
  EXPECT_EQ(Contents(path_), old_);
  EXPECT_EQ(FilesInFolder(), 1u);
}

// A real read-only folder; the superuser writes anyway, so there it proves nothing.
TEST_F(FormFileSave, AReadOnlyFolderRefusesTheSave) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser ignores folder permissions";
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  try {
    WriteFormFile(path_, Form("Outro"));
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 70);
  }
  EXPECT_EQ(Contents(path_), old_);
}

// A save never puts a file in the place of what is not one (a pipe here, /dev/null alike),
// and saving through a link replaces the file it points at, keeping the link.
TEST_F(FormFileSave, OnlyARegularFileIsReplacedAndALinkIsKept) {
  const fs::path pipe = fs::path(folder_) / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  try {
    WriteFormFile(pipe.string(), Form("Outro"));
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 75);
  }
  EXPECT_TRUE(fs::is_fifo(pipe));

  const fs::path link = fs::path(folder_) / "link.json";
  fs::create_symlink(path_, link);
  WriteFormFile(link.string(), Form("Pelo atalho"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFormFile(path_).controls[0].properties[0].second, Variant("Pelo atalho"));
}

}  // namespace
}  // namespace orvo

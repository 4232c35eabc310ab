// saveProfile and loadProfile on real files: the sample files, the file reader against the
// in-memory one, pipes and devices, and saving that never destroys the earlier file.

#include "ProfileTestSupport.h"
#include "testsupport/TmpfsMount.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <csignal>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string platformText(int error)
{
    return std::generic_category().message(error);
}

// The ProfileError that `action` throws, or "" when it throws none.
template <class Action>
std::string errorOf(Action action)
{
    try {
        action();
    } catch (const ProfileError& error) {
        return error.what();
    }
    return "";
}

bool isRoot()
{
    return ::geteuid() == 0;
}

using test::TmpfsMount;

// ---- the sample files ---------------------------------------------------------------------

// Each field holding its own name, as make-samples.py writes them.
SiteProfile namesProfile()
{
    SiteProfile p;
    for (const ProfileField& field : profileFields)
        field.of(p) = std::string(field.name);
    return p;
}

TEST(ProfileSamples, Empty)
{
    SiteProfile p = oldProfile();
    loadProfile(p, dataFile("empty.dat"));
    expectTexts(p, SiteProfile{});
    EXPECT_TRUE(sameNonTexts(p, oldProfile()));
}

// A file of no bytes at all, as an interrupted copy leaves one: the past-end error at the first
// length, nothing changed (and nothing read from a buffer that was never allocated).
TEST(ProfileSamples, ZeroBytes)
{
    TempDir dir;
    writeFile(dir / "zero.dat", "");
    SiteProfile p = oldProfile();
    try {
        loadProfile(p, dir / "zero.dat");
        FAIL() << "a zero-byte profile loaded";
    } catch (const ProfileError& e) {
        EXPECT_EQ(std::string_view(e.what()), kProfilePastEndMessage);
    }
    EXPECT_EQ(p, oldProfile());
}

TEST(ProfileSamples, Sample)
{
    SiteProfile expected = namesProfile();
    expected.companyName = "Caf\xE9 \x80 Ltd";
    expected.homeBody = "First line\r\nSecond line\r\n";
    expected.testimonials[0].clear();
    for (int i = 0; i < 50; ++i)
        expected.testimonials[0] += "Great! ";
    SiteProfile p = oldProfile();
    loadProfile(p, dataFile("sample.dat"));
    expectTexts(p, expected);
    EXPECT_TRUE(sameNonTexts(p, oldProfile()));
}

TEST(ProfileSamples, WideCharacters)
{
    SiteProfile expected = namesProfile();
    expected.companyName = "Caf\xE9 \x80 ?";
    expected.homeBody = "A\r\nB ? ? ?";
    expected.testimonials[0].assign(300, 'w');
    SiteProfile p = oldProfile();
    loadProfile(p, dataFile("wide.dat"));
    expectTexts(p, expected);
}

TEST(ProfileSamples, OneStringShort)
{
    SiteProfile expected = namesProfile();
    expected.siteUrl = "old siteUrl";
    SiteProfile p = oldProfile();
    EXPECT_EQ(errorOf([&] { loadProfile(p, dataFile("short.dat")); }), kPastEnd);
    expectTexts(p, expected);
    EXPECT_TRUE(sameNonTexts(p, oldProfile()));
}

TEST(ProfileSamples, FourGigabyteLengthInFiftyBytes)
{
    ASSERT_EQ(fs::file_size(dataFile("pastend.dat")), 50u);
    SiteProfile expected = oldProfile();
    expected.pageTitle = "T";
    SiteProfile p = oldProfile();
    EXPECT_EQ(errorOf([&] { loadProfile(p, dataFile("pastend.dat")); }), kPastEnd);
    expectTexts(p, expected);
}

TEST(ProfileSamples, ExtraBytesIgnored)
{
    SiteProfile p = oldProfile();
    loadProfile(p, dataFile("extra.dat"));
    expectTexts(p, namesProfile());
}

// ---- the file reader agrees with the in-memory one ----------------------------------------

// A profile of wide and narrow strings around the reader's 64 KB buffer, so reads cross it.
std::string bigMixedFile()
{
    std::string bytes;
    int i = 0;
    for (const ProfileField& field : profileFields) {
        const std::size_t length = 3000 + 1777 * static_cast<std::size_t>(i);
        if (i % 2) {
            bytes += "\xFF\xFE\xFF"s + encodeLengthPrefix(length);
            for (std::size_t k = 0; k < length; ++k)
                bytes += k % 5 ? "\xE9\x00"s : "\x3D\xD8\x00\xDE"s.substr(2 * (k % 2), 2);
        } else {
            bytes += encodeLengthPrefix(length) + std::string(length, static_cast<char>('A' + i % 26));
        }
        (void)field;
        ++i;
    }
    return bytes;
}

TEST(ProfileFileReader, AgreesWithTheMemoryReaderOnWholeAndCutFiles)
{
    TempDir dir;
    const std::string whole = bigMixedFile();
    ASSERT_GT(whole.size(), 3u * 65536);
    for (const std::size_t cut : {whole.size(), whole.size() - 1, std::size_t{65535}, std::size_t{65536},
                                  std::size_t{65537}, whole.size() / 2 + 1, std::size_t{44}}) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        const std::string bytes = whole.substr(0, cut);
        writeFile(dir / "big.dat", bytes);
        SiteProfile fromMemory = oldProfile();
        SiteProfile fromFile = oldProfile();
        const std::string memoryError = errorOf([&] { decodeProfile(fromMemory, bytes); });
        const std::string fileError = errorOf([&] { loadProfile(fromFile, dir / "big.dat"); });
        EXPECT_EQ(fileError, memoryError);
        EXPECT_EQ(fileError.empty(), cut == whole.size());
        expectTexts(fromFile, fromMemory);
    }
}

TEST(ProfileFileReader, RoundTripThroughAFile)
{
    TempDir dir;
    SiteProfile written = distinctProfile();
    written.homeBody.assign(200000, 'h');
    written.siteUrl.assign(70000, 'u');
    saveProfile(written, dir / "site.dat");
    EXPECT_TRUE(readFile(dir / "site.dat") == encodeProfile(written));
    SiteProfile read = oldProfile();
    loadProfile(read, dir / "site.dat");
    expectTexts(read, written);
    EXPECT_TRUE(sameNonTexts(read, oldProfile()));
}

// ---- files that cannot be read ------------------------------------------------------------

TEST(ProfileLoadErrors, MissingFileNamesTheFileAndChangesNothing)
{
    TempDir dir;
    const fs::path path = dir / "missing.dat";
    SiteProfile p = oldProfile();
    EXPECT_EQ(errorOf([&] { loadProfile(p, path); }), "Cannot open " + path.string() + ": No such file or directory");
    EXPECT_TRUE(p == oldProfile());
}

TEST(ProfileLoadErrors, FolderIsNotAProfile)
{
    TempDir dir;
    SiteProfile p = oldProfile();
    EXPECT_EQ(errorOf([&] { loadProfile(p, dir.path()); }), "Cannot open " + dir.path().string() + ": Is a directory");
    EXPECT_TRUE(p == oldProfile());
}

TEST(ProfileLoadErrors, UnreadableFile)
{
    if (isRoot())
        GTEST_SKIP() << "root reads any file";
    TempDir dir;
    const fs::path path = dir / "locked.dat";
    writeFile(path, std::string(44, '\0'));
    fs::permissions(path, fs::perms::none);
    SiteProfile p = oldProfile();
    EXPECT_EQ(errorOf([&] { loadProfile(p, path); }), "Cannot open " + path.string() + ": Permission denied");
    EXPECT_TRUE(p == oldProfile());
}

// ---- pipes and devices: no size known in advance ------------------------------------------

TEST(ProfileLoadStreams, DevZeroIsFortyFourEmptyTexts)
{
    if (!fs::exists("/dev/zero"))
        GTEST_SKIP() << "no /dev/zero";
    SiteProfile p = oldProfile();
    loadProfile(p, "/dev/zero");
    expectTexts(p, SiteProfile{});
    EXPECT_TRUE(sameNonTexts(p, oldProfile()));
}

// Loads `bytes` through a named pipe, which has no size the reader could check lengths against.
std::string loadThroughPipe(SiteProfile& p, const std::string& bytes)
{
    std::signal(SIGPIPE, SIG_IGN);
    TempDir dir;
    const fs::path pipe = dir / "pipe";
    if (::mkfifo(pipe.c_str(), 0600) != 0)
        return "mkfifo: " + platformText(errno);
    std::thread writer([&] {
        const int fd = ::open(pipe.c_str(), O_WRONLY);
        if (fd < 0)
            return;
        std::string_view rest = bytes;
        while (!rest.empty()) {
            const ssize_t n = ::write(fd, rest.data(), rest.size());
            if (n <= 0)
                break;
            rest.remove_prefix(static_cast<std::size_t>(n));
        }
        ::close(fd);
    });
    std::string error = errorOf([&] { loadProfile(p, pipe); });
    writer.join();
    return error;
}

TEST(ProfileLoadStreams, PipeWithLongNarrowAndWideTexts)
{
    const std::string bytes = bigMixedFile();
    SiteProfile expected = oldProfile();
    decodeProfile(expected, bytes);
    SiteProfile p = oldProfile();
    EXPECT_EQ(loadThroughPipe(p, bytes), "");
    expectTexts(p, expected);
}

TEST(ProfileLoadStreams, PipeThatEndsEarly)
{
    for (const std::string& bytes : {"\x01T"s + "\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s + std::string(41, 'x'),
                                     "\x01T"s + "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + std::string(41, 'x'),
                                     "\x01T"s + "\xFF\xFF\xFF\x00\x00\x01\x00"s + std::string(65535, 'x')}) {
        SiteProfile expected = oldProfile();
        expected.pageTitle = "T";
        SiteProfile p = oldProfile();
        EXPECT_EQ(loadThroughPipe(p, bytes), kPastEnd);
        expectTexts(p, expected);
    }
}

// ---- saving -------------------------------------------------------------------------------

TEST(ProfileSave, EmptyRecordWritesFortyFourZeroBytes)
{
    TempDir dir;
    saveProfile(SiteProfile{}, dir / "empty.dat");
    EXPECT_TRUE(readFile(dir / "empty.dat") == std::string(44, '\0'));
}

TEST(ProfileSave, NameUsedAsTypedAndNoTemporaryFileLeft)
{
    TempDir dir;
    saveProfile(distinctProfile(), dir / "profile");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"profile"});
    EXPECT_TRUE(readFile(dir / "profile") == encodeProfile(distinctProfile()));
}

TEST(ProfileSave, RelativeNameInTheCurrentFolder)
{
    TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    std::string error = errorOf([] { saveProfile(SiteProfile{}, "site.dat"); });
    SiteProfile p = oldProfile();
    error += errorOf([&] { loadProfile(p, "site.dat"); });
    fs::current_path(before);
    EXPECT_EQ(error, "");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"site.dat"});
    expectTexts(p, SiteProfile{});
}

TEST(ProfileSave, NewFileGetsTheUsualPermissions)
{
    TempDir dir;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    saveProfile(SiteProfile{}, dir / "new.dat");
    struct stat info;
    ASSERT_EQ(::stat((dir / "new.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask);
}

TEST(ProfileSave, ReplacesAnExistingFileKeepingItsPermissions)
{
    TempDir dir;
    const fs::path path = dir / "site.dat";
    writeFile(path, "an earlier, longer file that the new one replaces completely");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    SiteProfile p;
    p.pageTitle = "New";
    saveProfile(p, path);
    EXPECT_TRUE(readFile(path) == "\x03New"s + std::string(43, '\0'));
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"site.dat"});
}

TEST(ProfileSave, ThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink)
{
    TempDir dir;
    fs::create_directory(dir / "real");
    writeFile(dir / "real" / "site.dat", "old");
    fs::create_symlink("real/site.dat", dir / "link.dat");
    saveProfile(SiteProfile{}, dir / "link.dat");
    EXPECT_TRUE(fs::is_symlink(dir / "link.dat"));
    EXPECT_TRUE(readFile(dir / "real" / "site.dat") == std::string(44, '\0'));
    EXPECT_EQ(listFolder(dir / "real"), std::vector<std::string>{"site.dat"});
}

TEST(ProfileSave, MissingFolderNamesTheFile)
{
    TempDir dir;
    const fs::path path = dir / "no-such-folder" / "site.dat";
    EXPECT_EQ(errorOf([&] { saveProfile(SiteProfile{}, path); }),
              "Cannot save " + path.string() + ": No such file or directory");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{});
}

TEST(ProfileSave, FolderIsNotAFileName)
{
    TempDir dir;
    fs::create_directory(dir / "sub");
    EXPECT_EQ(errorOf([&] { saveProfile(SiteProfile{}, dir / "sub"); }),
              "Cannot save " + (dir / "sub").string() + ": Is a directory");
    EXPECT_TRUE(fs::is_directory(dir / "sub"));
}

TEST(ProfileSave, ReadOnlyFileIsNotReplaced)
{
    if (isRoot())
        GTEST_SKIP() << "root may write any file";
    TempDir dir;
    const fs::path path = dir / "site.dat";
    writeFile(path, "keep me");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_EQ(errorOf([&] { saveProfile(SiteProfile{}, path); }), "Cannot save " + path.string() + ": Permission denied");
    EXPECT_EQ(readFile(path), "keep me");
    EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"site.dat"});
}

// A folder the program cannot write; the earlier file stays, no temporary file is left.
TEST(ProfileSave, UnwritableFolderLeavesTheEarlierFile)
{
    TempDir dir;
    const fs::path folder = dir / "site";
    fs::create_directory(folder);
    const fs::path path = folder / "site.dat";
    int expectedError = 0;
    std::unique_ptr<TmpfsMount> mount;
    if (isRoot()) {
        // Root writes into any folder whatever its permissions: use a read-only filesystem.
        mount = std::make_unique<TmpfsMount>(folder, "size=64k");
        if (!mount->mounted())
            GTEST_SKIP() << mount->why();
        writeFile(path, "earlier profile");
        if (!mount->remountReadOnly())
            GTEST_SKIP() << mount->why();
        expectedError = EROFS;
    } else {
        writeFile(path, "earlier profile");
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        expectedError = EACCES;
    }
    EXPECT_EQ(errorOf([&] { saveProfile(distinctProfile(), path); }),
              "Cannot save " + path.string() + ": " + platformText(expectedError));
    EXPECT_EQ(readFile(path), "earlier profile");
    EXPECT_EQ(listFolder(folder), std::vector<std::string>{"site.dat"});
}

// A disk that fills up while the profile is written.
TEST(ProfileSave, FullFilesystemLeavesTheEarlierFile)
{
    TempDir dir;
    const fs::path folder = dir / "small";
    fs::create_directory(folder);
    TmpfsMount mount(folder, "size=64k");
    if (!mount.mounted())
        GTEST_SKIP() << mount.why();
    const fs::path path = folder / "site.dat";
    const std::string earlier = encodeProfile(distinctProfile());
    writeFile(path, earlier);

    SiteProfile big = distinctProfile();
    big.homeBody.assign(256 * 1024, 'b');
    EXPECT_EQ(errorOf([&] { saveProfile(big, path); }), "Cannot save " + path.string() + ": No space left on device");
    EXPECT_TRUE(readFile(path) == earlier);
    EXPECT_EQ(listFolder(folder), std::vector<std::string>{"site.dat"});

    // The space the failed attempt took is free again: a profile that fits is saved.
    SiteProfile small;
    small.pageTitle = "fits";
    EXPECT_NO_THROW(saveProfile(small, path));
    EXPECT_TRUE(readFile(path) == encodeProfile(small));
}

// A device to save to. Root gets a node of its own in `dir`, so that a save which wrongly
// renamed over its target could never replace the machine's real /dev node.
std::optional<fs::path> deviceNode(const TempDir& dir, const char* name, unsigned minor, std::string& why)
{
    const fs::path real = fs::path("/dev") / name;
    if (!isRoot()) {
        if (fs::is_character_file(real))
            return real;
        why = "no " + real.string();
        return std::nullopt;
    }
    const fs::path own = dir / name;
    if (::mknod(own.c_str(), S_IFCHR | 0666, makedev(1, minor)) != 0) {
        why = "mknod: " + platformText(errno);
        return std::nullopt;
    }
    return own;
}

TEST(ProfileSave, FullDeviceReportsNoSpaceNamingTheFile)
{
    TempDir dir;
    std::string why;
    const auto full = deviceNode(dir, "full", 7, why);
    if (!full)
        GTEST_SKIP() << why;
    EXPECT_EQ(errorOf([&] { saveProfile(distinctProfile(), *full); }),
              "Cannot save " + full->string() + ": No space left on device");
    EXPECT_TRUE(fs::is_character_file(*full));
}

TEST(ProfileSave, NullDeviceIsWrittenInPlace)
{
    TempDir dir;
    std::string why;
    const auto null = deviceNode(dir, "null", 3, why);
    if (!null)
        GTEST_SKIP() << why;
    EXPECT_NO_THROW(saveProfile(distinctProfile(), *null));
    EXPECT_TRUE(fs::is_character_file(*null));
    if (isRoot()) {
        EXPECT_EQ(listFolder(dir.path()), std::vector<std::string>{"null"});
    }
}

} // namespace
} // namespace velmora::test

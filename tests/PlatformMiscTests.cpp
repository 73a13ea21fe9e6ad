// Code pages, locale settings, streams and the headless services.
#include <cstdlib>

#include "TestSupport.h"
#include "platform/CodePage.h"
#include "platform/OutputFiles.h"
#include "platform/ShortCopy.h"
#include "platform/Streams.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace ostrel::test {
namespace {

TEST(CodePage, Utf8AndWindows1252RoundTrip) {
    const std::string text = "ü Ł 東 😀";
    std::u16string wide = ToUtf16(text, CP_UTF8);
    EXPECT_EQ(wide, u"ü Ł 東 😀");
    EXPECT_EQ(FromUtf16(wide, CP_UTF8), text);
    // Windows-1252: the euro sign is 0x80; Ł and 東 have no byte there.
    EXPECT_EQ(ToUtf16("\x80\xFC", CP_WINDOWS1252), u"€ü");
    EXPECT_EQ(FromUtf16(u"€üŁ東", CP_WINDOWS1252), "\x80\xFC??");
    EXPECT_EQ(ConvertCodePage("\x80\xFC", CP_WINDOWS1252, CP_UTF8), "€ü");
    // Broken UTF-8 never throws and never loses the rest of the text.
    EXPECT_EQ(ToUtf16("a\xFF" "b\xC3", CP_UTF8), u"a\uFFFDb\uFFFD");
    EXPECT_EQ(ToUtf16("\xE0\x80\x80", CP_UTF8).size(), 3u);  // overlong form
}

TEST(CodePage, CharacterLengthFollowsTheCodePage) {
    EXPECT_EQ(CharLength("Jürgen"), 6u);
    EXPECT_EQ(CharLength("東京"), 2u);
    EXPECT_EQ(ByteLengthOfChars("東京x", 1), 3u);
    TFormatSettings s = UsSettings();
    s.CodePage = CP_WINDOWS1252;
    TFormatSettingsScope scope(s);
    EXPECT_EQ(CharLength("J\xFCrgen"), 6u);
}

// The counting short cut agrees with the decoder on every text of up to four bytes drawn from
// the bytes where UTF-8's rules change (bad leads, overlong forms, surrogates, cut sequences).
TEST(CodePage, CharacterLengthCountsWhatTheDecoderReads) {
    const unsigned char bytes[] = {0x00, 0x41, 0x7F, 0x80, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2,
                                   0xDF, 0xE0, 0xE1, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
    ForEachByteText(bytes, 4, [](const std::string& text) {
        size_t decoded = 0;
        for (size_t i = 0; i < text.size(); ++decoded) DecodeUtf8At(text, i);
        ASSERT_EQ(CharLength(text), decoded) << ::testing::PrintToString(text);
        // Inside and after runs of ASCII long enough to be counted eight bytes at a time.
        for (const char* around : {"abcdefg", "abcdefgh", "0123456789abcdefghi"}) {
            const std::string run(around);
            ASSERT_EQ(CharLength(run + text + run), decoded + 2 * run.size()) << ::testing::PrintToString(text);
            ASSERT_EQ(CharLength(text + run + text), 2 * decoded + run.size()) << ::testing::PrintToString(text);
        }
    });
}

TEST(LocaleSettings, PosixLocaleGivesTheDefaultsAndStrftimeConverts) {
    TFormatSettings c = TFormatSettings::FromLocale("C");
    TFormatSettings d = TFormatSettings::Default();
    EXPECT_EQ(c.DecimalSeparator, d.DecimalSeparator);
    EXPECT_EQ(c.ShortDateFormat, d.ShortDateFormat);
    EXPECT_EQ(c.ThousandSeparator, ",");
    EXPECT_EQ(DateTimePatternFromStrftime("%d.%m.%Y"), "dd.mm.yyyy");
    EXPECT_EQ(DateTimePatternFromStrftime("%H:%M:%S"), "hh:nn:ss");
    EXPECT_EQ(DateTimePatternFromStrftime("%I:%M:%S %p"), "hh:nn:ss ampm");
    EXPECT_EQ(DateTimePatternFromStrftime("%Y年%m月"), "yyyy年mm月");
    // A locale that is not installed leaves the defaults.
    EXPECT_EQ(TFormatSettings::FromLocale("xx_NOWHERE.UTF-8").ShortDateFormat, d.ShortDateFormat);
}

TEST(Streams, MemoryAndFileStreams) {
    TMemoryStream m;
    m.Write("hello");
    m.SetPosition(1);
    m.Write("E");
    EXPECT_EQ(m.Text(), "hEllo");
    EXPECT_EQ(m.Size(), 5);
    char buf[8] = {};
    m.SetPosition(3);
    EXPECT_EQ(m.Read(buf, 8), 2u);

    TTempDir dir;
    const std::string name = dir.File("f.bin");
    {
        TFileStream f(name, TFileMode::Create);
        f.Write("abcdef");
        EXPECT_EQ(f.Position(), 6);
        f.SetPosition(2);  // patching an earlier offset
        f.Write("XY");
        EXPECT_EQ(f.Size(), 6);
        f.Close();
    }
    EXPECT_EQ(ReadFileBytes(name), "abXYef");
    {
        TFileStream again(name, TFileMode::Create);  // an existing file is emptied
    }
    EXPECT_EQ(ReadFileBytes(name), "");
    try {
        TFileStream bad("/nonexistent-ostrel-dir/x", TFileMode::Create);
        FAIL();
    } catch (const EStreamError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"/nonexistent-ostrel-dir/x\". ", 0), 0u);
    }
}

TEST(Streams, FullDiskIsAWriteError) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    TFileStream f("/dev/full", TFileMode::OpenReadWrite);
    f.Write(std::string(100, 'x'));
    try {
        f.Close();
        FAIL();
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
}

// Written on a thread of their own, bytes the disk refuses still fail the run, at the latest
// when the stream is closed; the writes after a failure fail at once.
TEST(Streams, FullDiskWrittenBehindIsAWriteError) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    TFileStream f("/dev/full", TFileMode::OpenReadWrite);
    f.WriteBehind(false);
    const std::string block(300000, 'x');
    bool failed = false;
    try {
        for (int i = 0; i < 20; ++i) f.Write(block);
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
        failed = true;
    }
    EXPECT_TRUE(failed);
    EXPECT_THROW(f.Close(), EStreamError);
}

TEST(OutputFiles, WrittenApartAndMovedIntoPlaceOnlyOnCommit) {
    TTempDir dir;
    const std::string a = dir.File("a.txt"), b = dir.File("b.txt");
    std::ofstream(a) << "old";
    chmod(a.c_str(), 0640);
    {
        TOutputFiles files;
        files.Create(a).Write("new a");
        files.Create(b).Write("new b");
        // Until the commit the old file is untouched and the new one readable by its owner only.
        EXPECT_EQ(ReadAll(a), "old");
        struct stat st;
        ASSERT_EQ(stat(files.TemporaryName(a).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
        // One name once per run, and never the empty name.
        EXPECT_THROW(files.Create(a), EStreamError);
        EXPECT_THROW(files.Create(""), EStreamError);
        files.Commit();
    }
    EXPECT_EQ(ReadAll(a), "new a");
    EXPECT_EQ(ReadAll(b), "new b");
    struct stat st;
    ASSERT_EQ(stat(a.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // kept from the file it replaced
    {
        TOutputFiles files;  // not committed: nothing changes, nothing stays
        files.Create(a).Write("lost");
        files.Create(dir.File("c.txt")).Write("lost");
    }
    EXPECT_EQ(ReadAll(a), "new a");
    EXPECT_FALSE(std::filesystem::exists(dir.File("c.txt")));
    size_t entries = 0;
    for ([[maybe_unused]] const auto& f : std::filesystem::directory_iterator(dir.File(""))) ++entries;
    EXPECT_EQ(entries, 2u);
    // A device is written where it is, never replaced by a file (as root, /dev/null).
    {
        TOutputFiles files;
        files.Create("/dev/null").Write("gone");
        files.Commit();
    }
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    // A folder is no file.
    TOutputFiles files;
    EXPECT_THROW(files.Create(dir.File("")), EStreamError);
}

// A file that replaces another starts its disk writing as it goes; small writes, large blocks
// and a patch written back at the start all land as written.
TEST(OutputFiles, AReplacingFileWrittenInStepsKeepsEveryByte) {
    TTempDir dir;
    const std::string a = dir.File("a.bin");
    std::ofstream(a) << "old";
    std::string expected;
    {
        TOutputFiles files;
        TFileStream& s = files.Create(a);
        s.Write("HEAD");
        expected = "HEAD";
        for (int i = 0; expected.size() < (24u << 20); ++i) {
            const std::string piece = i % 50 == 0 ? std::string(300000, static_cast<char>('a' + i % 26))
                                                  : std::to_string(i) + ",";
            s.Write(piece);
            expected += piece;
        }
        const int64_t end = s.Size();
        s.SetPosition(0);
        s.Write("head");
        s.SetPosition(end);
        s.Write("END");
        expected.replace(0, 4, "head");
        expected += "END";
        files.Commit();
    }
    EXPECT_TRUE(ReadAll(a) == expected);
}

// How many of a file's pages the page cache holds.
size_t CachedPages(const std::string& fileName) {
    const int fd = open(fileName.c_str(), O_RDONLY);
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) return 0;
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE)), pages = (st.st_size + page - 1) / page;
    void* map = mmap(nullptr, st.st_size, PROT_READ, MAP_SHARED, fd, 0);
    close(fd);
    if (map == MAP_FAILED) return 0;
    std::vector<unsigned char> resident(pages);
    size_t count = 0;
    if (mincore(map, st.st_size, resident.data()) == 0)
        for (unsigned char r : resident) count += r & 1;
    munmap(map, st.st_size);
    return count;
}

// A large file about to be replaced gives back its cached pages when its replacement starts, and
// keeps its bytes; a file the rename would not drop (one with a second name, the target of a
// link) keeps its cache.
TEST(OutputFiles, AReplacedFileGivesBackItsCacheAndKeepsItsBytes) {
    TTempDir dir;
    struct statfs fs;
    if (statfs(dir.File("").c_str(), &fs) == 0 && fs.f_type == TMPFS_MAGIC)
        GTEST_SKIP() << "a file in memory has no cache apart from itself";
    const std::string content(4 << 20, 'x');
    const std::string a = dir.File("a.bin"), linked = dir.File("l.bin"), target = dir.File("t.bin"),
                      symbolic = dir.File("s.bin");
    for (const std::string& name : {a, linked, target}) {
        std::ofstream(name, std::ios::binary) << content;
        const int fd = open(name.c_str(), O_RDONLY);
        fsync(fd);  // clean pages, which a cache may drop
        close(fd);
        ASSERT_EQ(ReadAll(name).size(), content.size());
    }
    ASSERT_EQ(link(linked.c_str(), dir.File("l2.bin").c_str()), 0);
    ASSERT_EQ(symlink(target.c_str(), symbolic.c_str()), 0);
    const size_t cached = CachedPages(target);
    ASSERT_GT(cached, 0u);
    {
        TOutputFiles files;  // never committed
        files.Create(a).Write("new");
        files.Create(linked).Write("new");
        files.Create(symbolic).Write("new");
        EXPECT_EQ(CachedPages(a), 0u);
        EXPECT_EQ(CachedPages(linked), cached);
        EXPECT_EQ(CachedPages(target), cached);
    }
    for (const std::string& name : {a, linked, target}) EXPECT_TRUE(ReadAll(name) == content) << name;
}

TEST(Services, FontMetricsApproximation) {
    TApproximateFontMetrics m;
    TFont font;  // 8 pt: an 11-pixel em at 96 dpi
    EXPECT_EQ(font.PixelHeight(), 11);
    EXPECT_EQ(m.TextWidth(font, "X"), 7);
    EXPECT_GT(m.TextWidth(font, "WWW"), m.TextWidth(font, "iii"));
    font.Name = "Courier New";
    EXPECT_EQ(m.TextWidth(font, "WWW"), m.TextWidth(font, "iii"));
    font.Style = fsBold;
    EXPECT_GE(m.TextWidth(font, "WWW"), m.TextWidth(TFont{"Courier New"}, "WWW"));
    EXPECT_EQ(m.TextWidth(font, ""), 0);
}

TEST(Services, ClipboardWithoutDisplayIsAClearError) {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    std::string savedDisplay = display ? display : "", savedWayland = wayland ? wayland : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    TCommandClipboard clipboard;
    try {
        clipboard.SetText("x");
        FAIL();
    } catch (const EOstrelError& e) {
        EXPECT_NE(std::string(e.what()).find("No clipboard is available"), std::string::npos);
    }
    if (display) setenv("DISPLAY", savedDisplay.c_str(), 1);
    if (wayland) setenv("WAYLAND_DISPLAY", savedWayland.c_str(), 1);
}

TEST(Services, InstalledServicesReplaceTheDefaults) {
    {
        TShellScope shell;
        ShellService().Perform("open", "a.txt");
        EXPECT_EQ(shell.Service->Calls, std::vector<std::string>{"open a.txt"});
    }
    EXPECT_NE(dynamic_cast<TDesktopShell*>(&ShellService()), nullptr);
}

// The in-line copies, comparisons and searches against the plain library calls, for every
// length around their fixed-move sizes and every place of the byte searched for.
TEST(ShortCopy, AgreesWithTheLibraryForEveryLengthAndPlace) {
    std::string source;
    for (int i = 0; i < 80; ++i) source += static_cast<char>('A' + i % 50);
    for (size_t n = 0; n <= 72; ++n) {
        const std::string_view text(source.data() + 3, n);
        char copied[96] = {};
        CopyShort(copied + 1, text.data(), n);
        EXPECT_EQ(std::string_view(copied + 1, n), text) << n;
        EXPECT_EQ(copied[0], '\0') << n;
        EXPECT_EQ(copied[n + 1], '\0') << n;
        for (const size_t room : {size_t{0}, size_t{40}, size_t{200}}) {
            std::string out = "x";
            out.reserve(room);
            AppendShort(out, text.data(), n);
            EXPECT_EQ(out, "x" + std::string(text)) << n << " " << room;
            EXPECT_EQ(GrowShort(out, n) - out.data(), static_cast<long>(n + 1)) << n;
            EXPECT_EQ(out.size(), 2 * n + 1) << n;
            AppendChar(out, '!');
            EXPECT_EQ(out.size(), 2 * n + 2) << n;
            EXPECT_EQ(out.back(), '!') << n;
        }
        EXPECT_TRUE(SameBytes(text, std::string(text))) << n;
        EXPECT_FALSE(HoldsByte(text, '"')) << n;
        EXPECT_FALSE(HoldsByte(text, '\x80')) << n;  // a high byte matches only itself
        for (size_t at = 0; at < n; ++at) {
            std::string changed(text);
            changed[at] = '"';
            EXPECT_TRUE(HoldsByte(changed, '"')) << n << " " << at;
            EXPECT_FALSE(SameBytes(text, changed)) << n << " " << at;
        }
        if (n > 0) {
            EXPECT_FALSE(SameBytes(text, text.substr(1))) << n;
        }
    }
}

}  // namespace
}  // namespace ostrel::test

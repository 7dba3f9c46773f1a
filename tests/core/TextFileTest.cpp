// The platform: lines, text files, their failures' causes, and Windows-1252 text.
#include "TestSupport.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <cerrno>

namespace tc::test {
namespace {

// Hands out its bytes a few at a time, so that lines cross every buffer boundary.
class TrickleSource : public ByteSource {
public:
    TrickleSource(std::string bytes, std::size_t step) : m_bytes(std::move(bytes)), m_step(step) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t count = std::min({size, m_step, m_bytes.size() - m_pos});
        m_bytes.copy(buffer, count, m_pos);
        m_pos += count;
        return count;
    }

private:
    std::string m_bytes;
    std::size_t m_step;
    std::size_t m_pos = 0;
};

std::vector<std::string> AllLines(ByteSource& source) {
    LineReader reader(source);
    std::vector<std::string> lines;
    for (std::string line; reader.Next(line);) {
        lines.push_back(line);
    }
    return lines;
}

// CR LF, LF and CR each end a line, mixed in one file; NUL bytes stay; a line may be longer
// than the buffer; the lines are the same whatever the chunks the bytes come in.
TEST(LineReader, SplitsAtCrLfLfOrCrWhateverTheChunksAre) {
    const std::string huge(10 * 1024 * 1024, 'x');
    const std::string nul("a\0b\r\nnext", 9);
    std::string many;
    std::vector<std::string> manyLines;
    for (int k = 0; k < 5000; ++k) {
        manyLines.push_back("line " + std::to_string(k));
        many += manyLines.back() + (k % 3 ? "\r\n" : "\n");
    }
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"one\r\ntwo\nthree\r\r\nfour\rfive\r", {"one", "two", "three", "", "four", "five"}},
        {"", {}},
        {"\n\r\n\n", {"", "", ""}},
        {nul, {nul.substr(0, 3), "next"}},
        {"start\n" + huge + "\r\nend", {"start", huge, "end"}},
        {many, manyLines},
    };
    for (const auto& c : cases) {
        MemorySource whole(c.text);
        EXPECT_TRUE(AllLines(whole) == c.lines) << c.text.substr(0, 40);
        for (std::size_t step : {1u, 2u, 7u, 4096u}) {
            TrickleSource trickle(c.text, step);
            EXPECT_TRUE(AllLines(trickle) == c.lines) << c.text.substr(0, 40) << ", step " << step;
        }
    }
}

TEST(TextWriter, PutsCrLfOnDiskAndKeepsEveryOtherByte) {
    TempDir dir;
    const std::string path = dir / "out.txt";
    UniqueFd fd;
    ASSERT_EQ(CreateNewFile(path, fd), 0);
    TextWriter writer(std::move(fd), path);
    writer.Write("a\nb\xE9\x80\r");
    writer.Write(std::string(100000, 'z') + "\n");
    writer.Finish();
    EXPECT_EQ(ReadBytes(path), "a\r\nb\xE9\x80\r" + std::string(100000, 'z') + "\r\n");
}

TEST(FileOpen, ReportsTheCauseInsteadOfOpening) {
    TempDir dir;
    EXPECT_EQ(OpenForReading(dir / "missing.gas").cause, FileCause::FileNotFound);
    EXPECT_EQ(OpenForReading(dir.Path()).cause, FileCause::IsFolder);
    EXPECT_EQ(OpenForReading(dir / "missing/x.gas").cause, kMissingFolder);
    EXPECT_EQ(OpenForReading("").cause, FileCause::BadPath);
    WriteBytes(dir / "file", "x");
    EXPECT_EQ(OpenForReading(dir / "file/below").cause, FileCause::BadPath);
}

// Case folding covers ASCII and Windows-1252 letters; a path in UTF-8 folds whole characters and
// keeps one outside the code page (\u0141) or a stray byte, so lowering never breaks a multi-byte
// character. A cause's text names the path, or an unnamed file.
TEST(Text, FoldsTrimsReplacesConvertsAndNamesCauses) {
    const std::string cp1252 = "caf\xE9 \x80 \x96 \x81";
    const std::string utf8 = "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x93 \xC2\x81";
    const std::pair<std::string, std::string> cases[] = {
        {ToLower("BASE_Book"), "base_book"},
        {ToLower("\xC9\xD6\x8A\x9F"), "\xE9\xF6\x9A\xFF"}, // É Ö Š Ÿ
        {ToLower("\xD7"), "\xD7"},                         // the multiplication sign
        {EqualsNoCase("Caf\xC9", "caf\xE9") ? "equal" : "differ", "equal"},
        {EqualsNoCase("base_a", "base_ab") ? "equal" : "differ", "differ"},
        {ToLowerUtf8("C:\\Users\\\xC5\x81UKASZ\\\xC3\x89T\xC3\x89\xFF"),
         "c:\\users\\\xC5\x81ukasz\\\xC3\xA9t\xC3\xA9\xFF"},
        {std::string(TrimWhite(" \t\v\f x y \r\n")), "x y"},
        {std::string(TrimLeftWhite("  x ")), "x "},
        {ReplaceAll("a\\nb\\\\nc", "\\n", "\r\n"), "a\r\nb\\\r\nc"},
        {ReplaceAll("aaa", "aa", "b"), "ba"},
        {Cp1252ToUtf8(cp1252), utf8},
        {Utf8ToCp1252(utf8), cp1252},
        {Utf8ToCp1252("\xE4\xB8\xAD"), "?"}, // no such character in the code page
        {Utf8ToCp1252("\xFF"), "?"},
        {CauseText(FileCause::FileNotFound, "/x/lore.gas"), "/x/lore.gas was not found."},
        {CauseText(FileCause::AccessDenied, ""), "Access to an unnamed file was denied."},
        {CauseText(FileCause::BadSeek, "f"), "Seek failed on f"},
        {CauseText(FileCause::DiskFull, "f"), "Disk full while accessing f."},
        {CauseText(CauseOfError(EROFS), "f"), "f is on a read-only file system."},
        {CauseText(FileCause::None, "f"), "No error occurred."},
        {CauseText(FileCause::EndOfFile, "f"), "An attempt was made to access f past its end."},
    };
    for (const auto& [got, expected] : cases) {
        EXPECT_EQ(got, expected);
    }
}

} // namespace
} // namespace tc::test

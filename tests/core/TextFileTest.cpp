#include "TestSupport.h"

#include "platform/FileSystem.h"
#include "platform/TextFile.h"

#include <gtest/gtest.h>

namespace tc {
namespace {

using test::kMissingFolder;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

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

// CR LF, LF and CR each end a line, mixed in one file.
TEST(LineReader, SplitsAtCrLfLfOrCrKeepingNulBytes) {
    MemorySource source("one\r\ntwo\nthree\r\r\nfour\rfive\r");
    EXPECT_EQ(AllLines(source),
              (std::vector<std::string>{"one", "two", "three", "", "four", "five"}));

    MemorySource empty("");
    EXPECT_TRUE(AllLines(empty).empty());
    MemorySource blankLines("\n\r\n\n");
    EXPECT_EQ(AllLines(blankLines), (std::vector<std::string>{"", "", ""}));
    const std::string nul("a\0b\r\nnext", 9);
    MemorySource withNul(nul);
    EXPECT_EQ(AllLines(withNul), (std::vector<std::string>{nul.substr(0, 3), "next"}));
}

TEST(LineReader, HandlesLinesLongerThanItsBuffer) {
    const std::string huge(10 * 1024 * 1024, 'x');
    const std::string hugeText = "start\n" + huge + "\r\nend";
    MemorySource hugeLine(hugeText);
    const auto lines = AllLines(hugeLine);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], huge);
    EXPECT_EQ(lines[2], "end");
}

TEST(LineReader, SplitsTheSameWhateverTheChunksAre) {
    std::string text;
    for (int k = 0; k < 5000; ++k) {
        text += "line " + std::to_string(k) + (k % 3 ? "\r\n" : "\n");
    }
    MemorySource whole(text);
    const auto expected = AllLines(whole);
    ASSERT_EQ(expected.size(), 5000u);
    for (std::size_t step : {1u, 2u, 7u, 4096u}) {
        TrickleSource trickle(text, step);
        EXPECT_EQ(AllLines(trickle), expected) << "step " << step;
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

} // namespace
} // namespace tc

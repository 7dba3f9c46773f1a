// The text-file layer: line reading that accepts CR LF, LF and CR, and writing that
// puts CR LF on disk on every platform. Open failures come back as a cause; failures in the
// middle of a read or write throw FileError.
#pragma once

#include "platform/FileCause.h"
#include "platform/FileOps.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tc {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills `buffer` with up to `size` bytes; 0 at the end. Throws FileError on a read error.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : m_bytes(bytes) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string_view m_bytes;
};

class FileSource : public ByteSource {
public:
    FileSource(UniqueFd file, std::string path);
    std::size_t Read(char* buffer, std::size_t size) override;
    // The version of the file being read.
    FileStamp Stamp() const;

private:
    UniqueFd m_file;
    std::string m_path;
};

// Splits a byte stream into physical lines, without their line ends: CR LF, LF and CR alone
// each end a line, also mixed in one file.
class LineReader {
public:
    explicit LineReader(ByteSource& source);
    // False at the end of the stream. A final line without a line end still counts. The view
    // stays valid until the next call.
    bool Next(std::string_view& line);
    bool Next(std::string& line);

private:
    bool Fill();

    ByteSource& m_source;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
};

struct OpenedSource {
    std::unique_ptr<FileSource> source; // null when the open failed
    FileCause cause = FileCause::None;
};

OpenedSource OpenForReading(const std::string& path);

// Where the writers put their text, with "\n" as the line end.
class TextSink {
public:
    virtual ~TextSink() = default;
    virtual void Write(std::string_view text) = 0;
};

class StringSink : public TextSink {
public:
    void Write(std::string_view text) override { m_text += text; }
    const std::string& Text() const { return m_text; }
    void Reserve(std::size_t size) { m_text.reserve(size); }

private:
    std::string m_text;
};

// Writes text whose "\n" line ends become CR LF on disk (or, with `crlf` false, the bytes as they
// are). Failures throw FileError naming `path`, the file the user knows (the descriptor may be a
// temporary file beside it).
class TextWriter : public TextSink {
public:
    TextWriter(UniqueFd file, std::string path, bool crlf = true);

    void Write(std::string_view text) override;
    int Fd() const { return m_file.Get(); }
    // Writes what is pending, makes it durable (fsync) and closes the file.
    void Finish();

private:
    void Flush();

    UniqueFd m_file;
    std::string m_path;
    std::string m_pending;
    bool m_crlf = true;
};

} // namespace tc

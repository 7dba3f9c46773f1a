#include "platform/TextFile.h"

#include "platform/FsPath.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tc {

namespace {

constexpr std::size_t kChunk = 1 << 20;

} // namespace

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
    const std::size_t count = std::min(size, m_bytes.size());
    std::memcpy(buffer, m_bytes.data(), count);
    m_bytes.remove_prefix(count);
    return count;
}

FileSource::FileSource(UniqueFd file, std::string path)
    : m_file(std::move(file)), m_path(std::move(path)) {}

FileStamp FileSource::Stamp() const {
    return StampOf(m_file.Get());
}

std::size_t FileSource::Read(char* buffer, std::size_t size) {
    std::size_t count = 0;
    if (const int error = ReadSome(m_file.Get(), buffer, size, count)) {
        throw FileError(CauseOfError(error), m_path);
    }
    return count;
}

LineReader::LineReader(ByteSource& source) : m_source(source), m_buffer(kChunk) {}

bool LineReader::Fill() {
    if (m_eof) {
        return false;
    }
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size()) {
        m_buffer.resize(m_buffer.size() * 2);
    }
    const std::size_t count = m_source.Read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (count == 0) {
        m_eof = true;
        return false;
    }
    m_end += count;
    return true;
}

bool LineReader::Next(std::string_view& line) {
    std::size_t scanned = m_begin;
    for (;;) {
        // CR LF, LF and CR each end a line, mixed as they come; a CR at the end of what is
        // buffered waits for the next byte, which may be its LF.
        std::size_t lineEnd = scanned;
        while (lineEnd < m_end && m_buffer[lineEnd] != '\n' && m_buffer[lineEnd] != '\r') {
            ++lineEnd;
        }
        const bool crAtEnd = lineEnd + 1 == m_end && m_buffer[lineEnd] == '\r';
        if (lineEnd == m_end || (crAtEnd && !m_eof)) {
            const std::size_t consumed = lineEnd - m_begin;
            const bool more = Fill(); // moves what is buffered to the front
            lineEnd = m_begin + consumed;
            if (more) {
                scanned = lineEnd;
                continue;
            }
            if (m_end == m_begin) {
                return false;
            }
        }
        line = std::string_view(m_buffer.data() + m_begin, lineEnd - m_begin);
        std::size_t next = lineEnd;
        if (next < m_end) {
            next +=
                m_buffer[next] == '\r' && next + 1 < m_end && m_buffer[next + 1] == '\n' ? 2 : 1;
        }
        m_begin = next;
        return true;
    }
}

bool LineReader::Next(std::string& line) {
    std::string_view view;
    if (!Next(view)) {
        return false;
    }
    line.assign(view);
    return true;
}

OpenedSource OpenForReading(const std::string& path) {
    if (path.empty()) {
        return {nullptr, FileCause::BadPath};
    }
    std::error_code ec;
    if (std::filesystem::is_directory(FsPath(path), ec)) {
        return {nullptr, FileCause::IsFolder};
    }
    UniqueFd file;
    if (const int error = OpenToRead(path, file)) {
        return {nullptr, CauseOfError(error)};
    }
    return {std::make_unique<FileSource>(std::move(file), path), FileCause::None};
}

TextWriter::TextWriter(UniqueFd file, std::string path, bool crlf)
    : m_file(std::move(file)), m_path(std::move(path)), m_crlf(crlf) {
    m_pending.reserve(kChunk + 1024);
}

void TextWriter::Write(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t hit; m_crlf && (hit = text.find('\n', start)) != text.npos; start = hit + 1) {
        m_pending.append(text, start, hit - start);
        m_pending += "\r\n";
    }
    m_pending.append(text, start);
    if (m_pending.size() >= kChunk) {
        Flush();
    }
}

void TextWriter::Flush() {
    const int error = WriteAll(m_file.Get(), m_pending, m_path);
    m_pending.clear();
    if (error != 0) {
        throw FileError(CauseOfError(error), m_path);
    }
}

void TextWriter::Finish() {
    Flush();
    if (const int error = SyncFile(m_file.Get(), m_path)) {
        throw FileError(CauseOfError(error), m_path);
    }
    if (const int error = CloseFile(m_file, m_path)) {
        throw FileError(CauseOfError(error), m_path);
    }
}

} // namespace tc

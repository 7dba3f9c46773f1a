#include "gasfiles/SafeWrite.h"

#include "gasfiles/Backup.h"
#include "gasfiles/Result.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

namespace tc {

namespace {

// `text` is Windows-1252, as the file texts quoted in it are.
void Warn(Diagnostics& messages, const std::string& path, const std::string& text) {
    messages.push_back(FileFailure(path, Cp1252ToUtf8(text)));
}

constexpr const char* kUnchanged = "\n\nThe file on disk was not changed.";

// Compares what the writer would put on disk with an open file, and stops the writer at the
// first difference.
class SameBytes : public TextSink {
public:
    struct Differs {};

    SameBytes(int fd, bool crlf) : m_fd(fd), m_buffer(1 << 16, '\0'), m_crlf(crlf) {}

    void Write(std::string_view text) override {
        std::size_t start = 0;
        for (std::size_t hit; m_crlf && (hit = text.find('\n', start)) != text.npos;
             start = hit + 1) {
            Compare(text.substr(start, hit - start));
            Compare("\r\n");
        }
        Compare(text.substr(start));
    }
    bool AtEnd() { return m_at == m_got && (Fill(), m_got == 0); }

private:
    void Fill() {
        m_offset += m_got;
        m_at = 0;
        if (ReadSomeAt(m_fd, m_buffer.data(), m_buffer.size(), m_offset, m_got) != 0) {
            throw Differs{};
        }
    }
    void Compare(std::string_view bytes) {
        while (!bytes.empty()) {
            if (m_at == m_got && (Fill(), m_got == 0)) {
                throw Differs{};
            }
            const std::size_t count = std::min(bytes.size(), m_got - m_at);
            if (std::memcmp(bytes.data(), m_buffer.data() + m_at, count) != 0) {
                throw Differs{};
            }
            bytes.remove_prefix(count);
            m_at += count;
        }
    }

    int m_fd;
    std::string m_buffer;
    std::uint64_t m_offset = 0;
    std::size_t m_got = 0;
    std::size_t m_at = 0;
    bool m_crlf;
};

bool HoldsAlready(int fd, const SaveRequest& request) {
    SameBytes same(fd, request.crlf);
    try {
        request.emit(same);
        return same.AtEnd();
    } catch (const SameBytes::Differs&) {
        return false;
    }
}

// One file of a save, from its check to its new name.
struct Pending {
    SaveRequest* request = nullptr;
    FileInfo previous;
    UniqueFd held;     // the version checked last, kept open to notice a change landing after
    FileStamp checked; // its stamp
    std::optional<TempFile> temp;
    PendingBackup backup;
    std::string folder;
    std::string marker; // see InPlaceMarkerOf
    FileStamp written;
    bool unchanged = false;
    bool keepIdentity = false;
    bool replaced = false;
    bool cutShort = false;    // written over in place and stopped midway
    bool changedLate = false; // another program changed it after the check: left as it is
};

// Why a file cannot be saved; `text` is Windows-1252, as the file texts quoted in it are.
Diagnostic Refusal(const SaveRequest& request, const std::string& text) {
    return FileFailure(request.path, Cp1252ToUtf8(text));
}

// A step before any replace failed: nothing was written, which a full disk leaves in doubt.
Diagnostic Report(const SaveRequest& request, FileCause cause, const std::string& path) {
    return Refusal(request, OpenFailureReport(request.access, cause, path) +
                                (cause == FileCause::DiskFull ? kUnchanged : ""));
}

Diagnostic Report(const SaveRequest& request, int error, const std::string& path) {
    return Report(request, CauseOfError(error), path);
}

// Writes the new version to the temporary file and reads it back: empty when it holds what was
// meant, otherwise what differs. Throws FileError when the write or the read fails midway.
std::string WriteAndReadBack(Pending& p, UniqueFd fd) {
    SaveRequest& r = *p.request;
    TextWriter writer(std::move(fd), r.path, r.crlf);
    r.emit(writer);
    if (p.previous.stamp.exists) {
        if (const int error = TakeModeAndOwner(writer.Fd(), p.previous, r.path)) {
            throw FileError(CauseOfError(error), r.path);
        }
    }
    writer.Finish();
    FileInfo written;
    InspectFile(p.temp->Path(), written);
    p.written = written.stamp;
    return r.readBack(p.temp->Path());
}

// Everything that can fail before a file is replaced: true when the file is ready, false when
// the user declined to replace it (nothing more to say), or why it cannot be saved.
Result<bool> Prepare(Pending& p, const AskToReplace& ask) {
    SaveRequest& r = *p.request;
    if (const int error = InspectFile(r.path, p.previous)) {
        return Report(r, error, r.path);
    }
    const bool exists = p.previous.stamp.exists;
    if (exists && !p.previous.writable) {
        return Report(r, p.previous.writeError != 0 ? p.previous.writeError : EACCES, r.path);
    }
    if (exists) {
        UniqueFd current;
        if (const int error = OpenToRead(p.previous.realPath, current)) {
            return Report(r, error, r.path);
        }
        if (HoldsAlready(current.Get(), r)) {
            // Whole as it is: a new version left waiting by an interrupted in-place write is
            // no longer needed.
            Discard(InPlaceMarkerOf(p.previous.realPath));
            p.unchanged = true;
            p.written = StampOf(current.Get());
            return true;
        }
    }
    RemoveLeftoverTemps(p.previous.realPath);

    UniqueFd fd;
    std::string name;
    if (const int error = MakeTempBeside(
            p.previous.realPath, [&](const std::string& n) { return CreateNewFile(n, fd); },
            name)) {
        return Report(r, error, r.path);
    }
    p.temp.emplace(std::move(name));
    std::string difference;
    try {
        difference = WriteAndReadBack(p, std::move(fd));
    } catch (const FileError& error) {
        return Refusal(r, Utf8ToCp1252(error.what()) + kUnchanged);
    }
    if (!difference.empty()) {
        return Refusal(r, PathInText(r.path) + "\n\nwas not saved: " + difference + kUnchanged);
    }

    // Looked at as late as possible, so that a version another program saved meanwhile is not
    // pushed aside unasked.
    if (const int error = InspectFile(r.path, p.previous)) {
        return Report(r, error, r.path);
    }
    p.checked = kMissingFile;
    if (p.previous.stamp.exists) {
        if (const int error = OpenToRead(p.previous.realPath, p.held)) {
            return Report(r, error, r.path);
        }
        p.checked = StampOf(p.held.Get());
    }
    if (r.stamp != nullptr && r.stamp->known && !(p.checked == *r.stamp)) {
        if (!ask) {
            return Refusal(r, PathInText(r.path) +
                                  "\n\nhas been changed by another program since it was read, "
                                  "so it was left as it is." +
                                  kUnchanged);
        }
        const std::string question =
            PathInText(r.path) +
            "\n\nhas been changed by another program since Tomecraft read it.  Replace it with "
            "the data shown in Tomecraft?";
        if (!ask(question)) {
            return false;
        }
    }
    p.folder = FolderOf(p.previous.realPath);
    p.marker = InPlaceMarkerOf(p.previous.realPath);
    if (p.previous.stamp.exists) {
        // Other names of the file are shared with someone else, except a backup that a stopped
        // save left as a second name.
        p.keepIdentity =
            p.previous.links > (OneFileTwoNames(p.previous.realPath, r.backupName) ? 2u : 1u);
        if (const FileCause cause =
                p.backup.Prepare(p.previous.realPath, p.held.Get(), r.backupName, p.keepIdentity);
            cause != FileCause::None) {
            return Report(r, cause, r.backupName);
        }
    }
    return true;
}

// Gives the backup and the file their names; 0 or the errno of the failure. Allocates nothing
// but the copy buffer of a file written over in place.
int Commit(Pending& p) {
    if (p.unchanged) {
        return 0;
    }
    if (const int error = p.backup.Commit()) {
        return error;
    }
    // A change another program made since the check would be written over unseen, where it
    // cannot be kept: in place, or where the file must be let go before it is replaced.
    const bool letGo = !p.keepIdentity && p.held && !ReplacesOpenFiles();
    if ((p.keepIdentity || letGo) && !(StampOf(p.held.Get()) == p.checked)) {
        p.changedLate = true;
        return EBUSY;
    }
    if (p.keepIdentity) {
        // The whole new version waits under the marker name while the file may be cut short.
        if (const int error = RenameFile(p.temp->Path(), p.marker)) {
            return error;
        }
        p.temp->Keep();
        SyncFolder(p.folder);
        int error = 0;
        try {
            error = CopyInPlace(p.marker, p.previous.realPath);
        } catch (const std::bad_alloc&) {
            error = ENOMEM;
        }
        if (error != 0) {
            p.cutShort = true;
            return error;
        }
        p.written = StampOf(p.held.Get());
    } else {
        if (letGo) {
            p.held = UniqueFd();
        }
        if (const int error = RenameFile(p.temp->Path(), p.previous.realPath)) {
            return error;
        }
        p.temp->Keep();
    }
    Discard(p.marker);
    SyncFolder(p.folder);
    p.replaced = true;
    return 0;
}

// What each file now holds, after a save that stopped between replacing files.
std::string WhereEachVersionIs(const Pending* pending, std::size_t count) {
    std::string text;
    for (std::size_t k = 0; k < count; ++k) {
        const Pending& p = pending[k];
        const std::string& path = p.request->path;
        text += "\n\n";
        if (p.unchanged) {
            text += PathInText(path) + " already held what was meant and was not changed.";
        } else if (p.changedLate) {
            text += PathInText(path) + " holds what the other program wrote.";
        } else if (p.replaced) {
            text += PathInText(path) + " now holds the new version; its previous version is in " +
                    PathInText(p.request->backupName) + ".";
        } else if (p.cutShort) {
            text += PathInText(path) + " was not written in full.  Its previous version is in " +
                    PathInText(p.request->backupName) + ", the new one in " + PathInText(p.marker) +
                    ".";
        } else {
            text += PathInText(path) + " still holds its previous version.";
        }
    }
    return text;
}

// A change that another program made to the previous version after the last check went into
// the file that is now the backup (a second name) or into no name at all: in that case it is
// copied to the backup name. Either way the user learns where it is.
bool ChangedSinceCheck(const Pending& p) {
    if (p.held) {
        return !(StampOf(p.held.Get()) == p.checked);
    }
    // Let go before the replace: a change in between went into what is now the backup.
    FileInfo backup;
    return p.backup.Linked() && !p.backup.Kept() &&
           InspectFile(p.request->backupName, backup) == 0 && !(backup.stamp == p.checked);
}

void KeepLateChange(Pending& p, Diagnostics& messages) {
    if (!p.replaced || p.keepIdentity || !ChangedSinceCheck(p)) {
        return;
    }
    const std::string& backupName = p.request->backupName;
    if (p.backup.Kept() || !p.backup.Linked()) {
        PendingBackup copy;
        if (copy.Prepare(p.previous.realPath, p.held.Get(), backupName, true) != FileCause::None ||
            copy.Commit() != 0) {
            Warn(messages, p.request->path,
                 PathInText(p.request->path) +
                     "\n\nwas changed by another program while Tomecraft saved it, and that "
                     "version could not be kept: " +
                     PathInText(p.request->path) + " holds what Tomecraft saved.");
            return;
        }
    }
    Warn(messages, p.request->path,
         PathInText(p.request->path) +
             "\n\nwas changed by another program while Tomecraft saved it.  It holds what "
             "Tomecraft saved; the other program's version is in " +
             PathInText(backupName) + ".");
}

bool Save(std::span<SaveRequest> requests, Pending* pending, Diagnostics& messages,
          const AskToReplace& ask) {
    const std::size_t count = requests.size();
    for (std::size_t k = 0; k < count; ++k) {
        pending[k].request = &requests[k];
    }
    for (std::size_t k = 0; k < count; ++k) {
        const Result<bool> ready = Prepare(pending[k], ask);
        if (ready && ready.GetValue()) {
            continue;
        }
        std::string text = ready ? std::string() : ready.GetFailure().text;
        if (count > 1) {
            // The other files are not saved either: the pair stays together.
            text += (text.empty() ? "" : "\n\n") + Cp1252ToUtf8("Nothing was saved:");
            for (std::size_t j = 0; j < count; ++j) {
                text += (j == 0 ? " " : " and ") + Cp1252ToUtf8(PathInText(requests[j].path));
            }
            text += " are as they were.";
        }
        if (!text.empty()) {
            messages.push_back(FileFailure(requests[k].path, std::move(text)));
        }
        return false;
    }
    for (std::size_t k = 0; k < count; ++k) {
        if (const int error = Commit(pending[k])) {
            const std::string& path = pending[k].request->path;
            const std::string text =
                pending[k].changedLate
                    ? PathInText(path) +
                          "\n\nwas changed by another program while Tomecraft saved it, so "
                          "it was left as that program wrote it."
                    : CauseText(CauseOfError(error), path);
            Warn(messages, path, text + WhereEachVersionIs(pending, count));
            for (std::size_t j = 0; j < k; ++j) {
                requests[j].saved = true;
            }
            return false;
        }
    }
    for (std::size_t k = 0; k < count; ++k) {
        Pending& p = pending[k];
        p.request->saved = true;
        if (p.request->stamp != nullptr) {
            *p.request->stamp = p.written;
        }
        KeepLateChange(p, messages);
    }
    return true;
}

} // namespace

bool SaveFiles(std::span<SaveRequest> requests, Diagnostics& messages, const AskToReplace& ask) {
    for (SaveRequest& request : requests) {
        request.saved = false;
    }
    std::unique_ptr<Pending[]> pending;
    try {
        pending = std::make_unique<Pending[]>(requests.size());
        return Save(requests, pending.get(), messages, ask);
    } catch (const std::bad_alloc&) {
        try {
            std::string text = "There is not enough memory to save";
            for (std::size_t k = 0; k < requests.size(); ++k) {
                text += (k == 0 ? " " : " and ") + PathInText(requests[k].path);
            }
            text += ".";
            bool any = false;
            for (std::size_t k = 0; pending && k < requests.size(); ++k) {
                any = any || pending[k].replaced || pending[k].cutShort;
            }
            if (any) {
                text += WhereEachVersionIs(pending.get(), requests.size());
            } else {
                text += requests.size() > 1 ? "\n\nNeither file on disk was changed." : kUnchanged;
            }
            Warn(messages, requests.empty() ? std::string() : requests[0].path, text);
        } catch (const std::bad_alloc&) {
            // Not even the message fits: the save has said false, and the files are as told
            // by what was replaced before.
        }
        for (std::size_t k = 0; pending && k < requests.size(); ++k) {
            requests[k].saved = pending[k].replaced || pending[k].unchanged;
        }
        return false;
    }
}

bool SaveFile(SaveRequest& request, Diagnostics& messages, const AskToReplace& ask) {
    return SaveFiles(std::span<SaveRequest>(&request, 1), messages, ask);
}

} // namespace tc

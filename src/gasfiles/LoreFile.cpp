#include "gasfiles/LoreFile.h"

#include "gasfiles/Backup.h"
#include "gasfiles/FileReport.h"
#include "gasfiles/GasLines.h"
#include "gasfiles/ReadBack.h"
#include "gasfiles/ReadingNotes.h"
#include "gasfiles/SafeWrite.h"
#include "platform/Product.h"
#include "platform/Text.h"

namespace tc {

namespace {

// The state of one book while its section is read.
struct BookInProgress {
    std::unique_ptr<LoreBook> book;
    bool inDescription = false;
    std::string description;
    // A one-line description is stored with its line breaks already decoded; lines joined
    // from a text that spans lines are decoded when the book closes (decoding is idempotent).
    bool decoded = true;
};

// Backslash + "n" becomes CR LF. Both are two characters, so the copy is patched in place.
std::string DecodeLineBreaks(std::string_view text) {
    std::string out(text);
    for (std::size_t at = 0; (at = FindText(out, "\\n", at)) != std::string::npos; at += 2) {
        out[at] = '\r';
        out[at + 1] = '\n';
    }
    return out;
}

// Skips everything up to the root section's header; false when there is none.
bool FindLoreRoot(GasLines& lines) {
    while (lines.Next()) {
        if (!lines.IsComment() && Contains(ToLower(lines.Line()), "[lore]")) {
            return true;
        }
    }
    return false;
}

void TakeDescriptionLine(std::string_view line, BookInProgress& current) {
    const std::size_t q1 = line.find('"');
    const std::size_t q2 = q1 == line.npos ? line.npos : line.find('"', q1 + 1);
    if (q2 != line.npos) {
        current.description = DecodeLineBreaks(line.substr(q1 + 1, q2 - q1 - 1));
        current.decoded = true;
    } else if (q1 != line.npos && current.inDescription) {
        current.description += line.substr(0, q1);
        current.decoded = false;
        current.inDescription = false;
    } else if (q1 != line.npos) {
        current.description = line.substr(q1 + 1);
        current.decoded = false;
        current.inDescription = true;
    } else if (current.inDescription) {
        current.description += line;
        current.decoded = false;
    }
}

// Gives the book what was gathered for it: the last comment and the description.
void Finish(BookInProgress& current, std::string& pendingComment) {
    if (!pendingComment.empty()) {
        current.book->SetComment(pendingComment);
        pendingComment.clear();
    }
    if (!current.description.empty()) {
        current.book->SetText(current.decoded ? std::move(current.description)
                                              : DecodeLineBreaks(current.description));
        current.description.clear();
        current.decoded = true;
    }
}

} // namespace

void ParseLoreFile(ByteSource& source, const BookSink& take, Diagnostics& found,
                   const std::string& path) {
    GasLines lines(source);
    const auto noteEncoding = [&] {
        if (const std::string note = lines.EncodingNote("LORE.GAS"); !note.empty()) {
            AddReaderMessage(found, path, 0, note);
        }
    };
    if (!FindLoreRoot(lines)) {
        noteEncoding();
        if (lines.ContentLines() > 0) {
            AddReaderMessage(found, path, 0,
                             "LORE.GAS has no [lore] section, so no books were read from it.");
        }
        return;
    }
    BookInProgress current;
    std::string pendingComment;
    while (lines.Next()) {
        const std::string_view line = lines.Line();
        if (lines.IsComment()) {
            pendingComment = line;
            continue;
        }
        if (!current.book) {
            const std::size_t open = line.find('[');
            const std::size_t close = line.find(']');
            if (open == line.npos && close == line.npos) {
                continue;
            }
            current.book = std::make_unique<LoreBook>();
            current.book->SetSourceLine(lines.Number());
            if (open == line.npos || close == line.npos) {
                const std::string number = std::to_string(lines.Number());
                current.book->SetName("untitled_" + number);
                AddReaderMessage(found, path, lines.Number(),
                                 "LORE.GAS missing '[' or ']' on line " + number + ":\n\n" +
                                     std::string(line) +
                                     "\n\nBook will be assigned a generic name to prevent data "
                                     "loss.  Please correct name before saving!",
                                 current.book.get());
                continue;
            }
            current.book->SetName(close > open ? line.substr(open + 1, close - open - 1) : "");
        } else if (current.inDescription || StartsWith(line, "description")) {
            TakeDescriptionLine(line, current);
        }
        if (Contains(line, '}')) {
            Finish(current, pendingComment);
            take(std::move(current.book));
            current.inDescription = false;
        }
    }
    if (current.book) {
        Finish(current, pendingComment);
        AddReaderMessage(found, path, current.book->GetSourceLine(),
                         "LORE.GAS missing closing '}' for " + current.book->GetName() + "\n\n",
                         current.book.get());
        take(std::move(current.book));
    }
    noteEncoding();
}

void ParseLoreFile(ByteSource& source, BookList& books, Diagnostics& found,
                   const std::string& path) {
    ParseLoreFile(
        source, [&](std::unique_ptr<LoreBook> book) { books.push_back(std::move(book)); }, found,
        path);
}

bool ReadLoreFile(const std::string& path, BookList& books, Diagnostics& found, FileStamp* stamp,
                  bool notes) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, found, stamp)) {
        return false;
    }
    MemorySource source(bytes);
    ParseLoreFile(source, books, found, path);
    if (notes) {
        AddLoreReadingNotes(bytes, books, path, found);
    }
    return true;
}

void EmitLoreHead(TextSink& out) {
    out.Write(std::string("// Lore.gas generated using Tomecraft by Brindlemoor.  ") +
              kMakerWebAddress + "\n\n");
    out.Write("// Format of lore.gas is:\n//\n");
    out.Write("//      [lore]                   <- Must be present and contain all books!\n");
    out.Write("//      {\n");
    out.Write("//           [some_book_name]    <- Must be unique within a given world\n");
    out.Write("//           {\n");
    out.Write("//                description = \"Add you masterpiece here...\"\n");
    out.Write("//           }\n");
    out.Write("//           [another_book_name] <- Add a section ofr each book desired\n");
    out.Write("//           {\n");
    out.Write("//                description = \"Once upon a time...\"\n");
    out.Write("//           }\n");
    out.Write("//      }\n\n");
    out.Write("[lore]\n{\n");
}

void EmitLoreBook(const LoreBook& book, TextSink& out) {
    if (const std::string_view comment = book.GetCommentView(); !comment.empty()) {
        out.Write("\t// ");
        out.Write(comment);
        out.Write("\n");
    }
    out.Write("\t[");
    out.Write(book.GetNameView());
    out.Write("]\n\t{\n\t\tdescription = \"");
    // Line breaks are written as \n, piece by piece: texts are long and many.
    std::string_view text = book.GetTextView();
    for (std::size_t at; (at = FindText(text, "\r\n")) != text.npos;) {
        out.Write(text.substr(0, at));
        out.Write("\\n");
        text.remove_prefix(at + 2);
    }
    out.Write(text);
    out.Write("\";\n\t}\n");
}

void EmitLoreTail(TextSink& out) {
    out.Write("}\n");
}

void EmitLoreFile(const BookList& books, TextSink& out) {
    EmitLoreHead(out);
    for (const auto& book : books) {
        EmitLoreBook(*book, out);
    }
    EmitLoreTail(out);
}

SaveRequest LoreSaveRequest(const std::string& path, const std::string& backupFolder,
                            const BookList& books, FileStamp* stamp) {
    SaveRequest request;
    request.path = path;
    request.backupName = LoreBackupName(path, backupFolder);
    request.access = FileAccess::WriteLore;
    request.emit = [&](TextSink& out) { EmitLoreFile(books, out); };
    request.readBack = [&books, path](const std::string& written) {
        // Compared a book at a time, so that the file is never held twice in memory.
        BookReadBack back(books);
        Diagnostics ignored;
        OpenedSource opened = OpenForReading(written);
        if (!opened.source) {
            return CauseText(opened.cause, path);
        }
        ParseLoreFile(
            *opened.source, [&](std::unique_ptr<LoreBook> book) { back.Take(*book); }, ignored);
        return back.Difference();
    };
    request.stamp = stamp;
    return request;
}

bool WriteLoreFile(const std::string& path, const std::string& backupFolder, const BookList& books,
                   Diagnostics& messages, FileStamp* stamp, const AskToReplace& ask) {
    SaveRequest request = LoreSaveRequest(path, backupFolder, books, stamp);
    return SaveFile(request, messages, ask);
}

} // namespace tc

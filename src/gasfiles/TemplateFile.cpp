#include "gasfiles/TemplateFile.h"

#include "gasfiles/Backup.h"
#include "gasfiles/FileReport.h"
#include "gasfiles/GasLines.h"
#include "gasfiles/Inheritance.h"
#include "gasfiles/ReadBack.h"
#include "gasfiles/ReadingNotes.h"
#include "gasfiles/SafeWrite.h"
#include "model/TemplateIndex.h"
#include "platform/Product.h"
#include "platform/Text.h"

namespace tc {

namespace {

// Where the reader's messages go while one file is read.
struct Reporter {
    Diagnostics& found;
    const std::string& path;
};

// The state of the template whose section is being read.
struct TemplateInProgress {
    std::unique_ptr<Template> tmpl;
    std::uint8_t givenNumbers = 0;
    bool inTextures = false;
};

void TakeScreenName(std::string_view line, int number, Template& tmpl, const Reporter& say) {
    const std::size_t q1 = line.find('"');
    if (q1 == line.npos) {
        AddReaderMessage(say.found, say.path, number,
                         "TRS_BOOK_LORE.GAS invalid screen_name on line " + std::to_string(number) +
                             ":\n\n" + std::string(line) + "\n\n",
                         &tmpl);
        return;
    }
    std::size_t q2 = line.find('"', q1 + 1);
    if (q2 == line.npos) {
        q2 = line.find(';', q1 + 1);
    }
    if (q2 == line.npos) {
        q2 = line.size();
    }
    tmpl.SetScreenName(TrimWhite(line.substr(q1 + 1, q2 - q1 - 1)));
}

// The keys the reader takes, in the order it tests them; true when one took the line.
bool TakeKey(std::string_view line, int number, TemplateInProgress& current, const Reporter& say) {
    Template& tmpl = *current.tmpl;
    const auto value = [&] { return ExtractBetween(line, "=", ";"); };
    if (StartsWith(line, "specializes")) {
        tmpl.SetSpecializes(value());
    } else if (StartsWith(line, "screen_name")) {
        TakeScreenName(line, number, tmpl, say);
    } else if (StartsWith(line, "gold_value")) {
        tmpl.SetGoldValue(value());
        current.givenNumbers |= kGoldValue;
    } else if (StartsWith(line, "model")) {
        tmpl.SetModel(value());
    } else if (StartsWith(line, "inventory_height")) {
        tmpl.SetInventoryHeight(value());
        current.givenNumbers |= kInventoryHeight;
    } else if (StartsWith(line, "inventory_width")) {
        tmpl.SetInventoryWidth(value());
        current.givenNumbers |= kInventoryWidth;
    } else if (StartsWith(line, "inventory_icon")) {
        tmpl.SetInventoryIcon(value());
    } else if (StartsWith(line, "lore_key")) {
        tmpl.SetLoreKey(value());
    } else {
        return false;
    }
    return true;
}

void TakeTexturesLine(std::string_view line, TemplateInProgress& current) {
    if (!current.inTextures) {
        current.inTextures = Contains(line, "[textures]");
    } else if (Contains(line, '0')) {
        current.tmpl->SetTexture(ExtractBetween(line, "=", ";"));
        current.inTextures = false;
    }
}

void Append(TemplateInProgress& current, std::string& pendingComment, TemplateList& templates,
            std::vector<ReadTemplate>& read) {
    if (!pendingComment.empty()) {
        current.tmpl->SetComment(pendingComment);
        pendingComment.clear();
    }
    read.push_back({current.tmpl.get(), current.givenNumbers});
    templates.push_back(std::move(current.tmpl));
    current = TemplateInProgress{};
}

} // namespace

std::string ExtractBetween(std::string_view line, std::string_view opening,
                           std::string_view closing) {
    const std::size_t i = FindText(line, opening);
    const std::size_t from = i == line.npos ? 0 : i + opening.size();
    std::size_t j = FindText(line, closing, from);
    if (j == line.npos && closing == ";") {
        j = line.size();
    }
    if (i == line.npos || j == line.npos) {
        return {};
    }
    return std::string(TrimWhite(line.substr(from, j - from)));
}

void ParseTemplateFile(ByteSource& source, TemplateList& templates, Diagnostics& found,
                       const std::string& path) {
    const Reporter say{found, path};
    // The writer's header is not a comment of the first template.
    const std::string header(TrimWhite("// " + TemplateFileHeader()));
    GasLines lines(source);
    TemplateInProgress current;
    std::vector<ReadTemplate> read;
    std::string pendingComment;
    int depth = 0;
    while (lines.Next()) {
        const std::string_view line = lines.Line();
        if (lines.IsComment()) {
            if (line != header) {
                pendingComment = line;
            }
            continue;
        }
        if (!current.tmpl) {
            if (!Contains(line, "[t:template")) {
                continue;
            }
            current.tmpl = std::make_unique<Template>();
            current.tmpl->SetSourceLine(lines.Number());
            const std::size_t i = FindText(line, "n:");
            const std::size_t j = line.find(']');
            if (i == line.npos || j == line.npos) {
                const std::string number = std::to_string(lines.Number());
                current.tmpl->SetName("untitled_" + number);
                AddReaderMessage(found, path, lines.Number(),
                                 "TRS_BOOK_LORE.GAS invalid [template section] on line " + number +
                                     ":\n\n" + std::string(line) +
                                     "\n\nTemplate will be assigned a generic name to prevent "
                                     "data loss.  Please correct name before saving!",
                                 current.tmpl.get());
                continue;
            }
            current.tmpl->SetName(j > i + 2 ? line.substr(i + 2, j - i - 2) : "");
        } else if (!TakeKey(line, lines.Number(), current, say)) {
            TakeTexturesLine(line, current);
        }
        // A line holding both braces counts as an opening one.
        if (Contains(line, '{')) {
            ++depth;
        } else if (Contains(line, '}')) {
            --depth;
        }
        if (depth == 0 && Contains(line, '}')) {
            Append(current, pendingComment, templates, read);
        }
    }
    if (current.tmpl) {
        const std::string name = current.tmpl->GetName();
        AddReaderMessage(found, path, current.tmpl->GetSourceLine(),
                         "TRS_BOOK_LORE.GAS missing closing '}' for " + name + "\n\n",
                         current.tmpl.get());
        Append(current, pendingComment, templates, read);
    }
    if (const std::string note = lines.EncodingNote("TRS_BOOK_LORE.GAS"); !note.empty()) {
        AddReaderMessage(found, path, 0, note);
    }
    if (read.empty() && lines.ContentLines() > 0) {
        AddReaderMessage(
            found, path, 0,
            "TRS_BOOK_LORE.GAS has no [t:template] section, so no templates were read from it.");
    }
    InheritMissingNumbers(templates, read);
}

bool ReadTemplateFile(const std::string& path, TemplateList& templates, Diagnostics& found,
                      FileStamp* stamp, bool notes) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, found, stamp)) {
        return false;
    }
    MemorySource source(bytes);
    ParseTemplateFile(source, templates, found, path);
    if (notes) {
        AddTemplateReadingNotes(bytes, templates, path, found);
    }
    return true;
}

// Writes one template in the game's layout, leaving out what it inherits from `parent`.
void EmitTemplate(const Template& t, const Template* parent, TextSink& out) {
    const bool treasure = t.IsTreasureBased();
    const Template* p = treasure ? nullptr : parent;
    const auto num = [](int value) { return std::to_string(value); };

    if (const std::string comment = t.GetComment(); !comment.empty()) {
        out.Write("// " + comment + "\n");
    }
    out.Write("[t:template,n:" + t.GetName() + "]\n{\n");
    if (!p || p->GetCategoryName() != t.GetCategoryName()) {
        out.Write("\tcategory_name = \"" + t.GetCategoryName() + "\";\n");
    }
    // An empty doc is written as the name, lower-cased for a base as reading derives it from the
    // name; a child is compared with its base's doc as written, which is what reads back.
    const auto docOf = [](const Template& x) {
        if (!x.GetDoc().empty()) {
            return x.GetDoc();
        }
        return IsBaseName(x.GetName()) ? ToLower(x.GetName()) : x.GetName();
    };
    if (!p || docOf(*p) != docOf(t)) {
        out.Write("\tdoc = \"" + docOf(t) + "\";\n");
    }
    out.Write("\tspecializes = " + t.GetSpecializes() + ";\n");

    const bool goldDiffers = !p || p->GetGoldValue() != t.GetGoldValue();
    const bool modelDiffers =
        !t.GetModel().empty() && (!p || !EqualsNoCase(p->GetModel(), t.GetModel()));
    const bool textureDiffers =
        !t.GetTexture().empty() && (!p || !EqualsNoCase(p->GetTexture(), t.GetTexture()));
    if (treasure || !p || goldDiffers || modelDiffers || textureDiffers) {
        out.Write("\t[aspect]\n\t{\n");
        if (goldDiffers) {
            out.Write("\t\tgold_value = " + num(t.GetGoldValue()) + ";\n");
        }
        if (modelDiffers) {
            out.Write("\t\tmodel = " + t.GetModel() + ";\n");
        }
        if (textureDiffers) {
            out.Write("\t\t[textures]\n\t\t{\n\t\t\t0 = " + t.GetTexture() + ";\n\t\t}\n");
        }
        if (treasure) {
            out.Write("\t\t[voice]\n\t\t{\n\t\t\t[put_down]\n\t\t\t{\n"
                      "\t\t\t\t* = s_e_gui_put_down_book\n\t\t\t}\n\t\t}\n");
        }
        out.Write("\t}\n");
    }
    if (const std::string screenName = t.GetScreenName(); !screenName.empty()) {
        out.Write("\t[common]\n\t{\n\t\tscreen_name = \"" + screenName + "\";\n\t}\n");
    }

    const bool heightDiffers = !p || p->GetInventoryHeight() != t.GetInventoryHeight();
    const bool widthDiffers = !p || p->GetInventoryWidth() != t.GetInventoryWidth();
    // The reader never inherits a lore key and reads a missing size as the default, so the
    // lore key is written whenever there is one and a size of 0 like any other.
    const bool gui = treasure || !p || heightDiffers || widthDiffers ||
                     p->GetInventoryIcon() != t.GetInventoryIcon() || t.GetGoldValue() == 0 ||
                     !t.GetLoreKey().empty() || p->GetLoreKey() != t.GetLoreKey();
    if (gui) {
        // Built first: a block with nothing in it says nothing, and it would not come back the
        // same (an icon equal to the base's reads back empty and then differs from it).
        std::string body;
        if (!t.GetLoreKey().empty()) {
            body += "\t\tlore_key = " + t.GetLoreKey() + ";\n";
        }
        if (heightDiffers) {
            body += "\t\tinventory_height = " + num(t.GetInventoryHeight()) + ";\n";
        }
        if (widthDiffers) {
            body += "\t\tinventory_width = " + num(t.GetInventoryWidth()) + ";\n";
        }
        if (!t.GetInventoryIcon().empty() &&
            (!p || !EqualsNoCase(p->GetInventoryIcon(), t.GetInventoryIcon()))) {
            body += "\t\tinventory_icon = " + t.GetInventoryIcon() + ";\n";
        }
        if (treasure) {
            body += "\t\tis_lorebook = TRUE;\n";
        }
        if (t.GetGoldValue() == 0) {
            body += "\t\tcan_sell = FALSE;\n";
        }
        if (!body.empty()) {
            out.Write("\t[gui]\n\t{\n" + body + "\t}\n");
        }
    }
    out.Write("}\n");
}

std::string TemplateFileHeader() {
    return std::string("Trs_book_lore.gas generated using Tomecraft by Brindlemoor.  ") +
           kMakerWebAddress;
}

void EmitTemplateHead(TextSink& out) {
    out.Write("// " + TemplateFileHeader() + "\n\n");
}

void EmitTemplateFile(const TemplateList& templates, TextSink& out) {
    EmitTemplateHead(out);
    const TemplateIndex index(templates);
    for (const auto& tmpl : templates) {
        EmitTemplate(*tmpl, index.Find(tmpl->GetSpecializes()), out);
    }
}

SaveRequest TemplateSaveRequest(const std::string& path, const std::string& backupFolder,
                                const TemplateList& templates, FileStamp* stamp) {
    SaveRequest request;
    request.path = path;
    request.backupName = TemplateBackupName(path, backupFolder);
    request.access = FileAccess::WriteTemplates;
    request.emit = [&](TextSink& out) { EmitTemplateFile(templates, out); };
    request.readBack = [&templates](const std::string& written) {
        TemplateList back;
        Diagnostics ignored;
        ReadTemplateFile(written, back, ignored, nullptr, false);
        return FirstTemplateDifference(templates, back);
    };
    request.stamp = stamp;
    return request;
}

bool WriteTemplateFile(const std::string& path, const std::string& backupFolder,
                       const TemplateList& templates, Diagnostics& messages, FileStamp* stamp,
                       const AskToReplace& ask) {
    SaveRequest request = TemplateSaveRequest(path, backupFolder, templates, stamp);
    return SaveFile(request, messages, ask);
}

} // namespace tc

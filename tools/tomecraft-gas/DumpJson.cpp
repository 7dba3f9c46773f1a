#include "tools/tomecraft-gas/DumpJson.h"

#include "platform/Text.h"

namespace tc::cli {

namespace {

// One pass from Windows-1252 to an escaped UTF-8 JSON string: the book texts are most of a
// dump, so they are not converted and then escaped again.
bool IsPlain(unsigned char c) {
    return c >= 0x20 && c < 0x80 && c != '"' && c != '\\';
}

class Line {
public:
    explicit Line(std::string& buffer) : m_out(buffer) {}
    Line& Key(const char* key) {
        m_out += m_first ? "{\"" : ",\"";
        m_first = false;
        m_out += key;
        m_out += "\":";
        return *this;
    }
    Line& Text(const char* key, std::string_view value) {
        Key(key);
        AppendJsonString(m_out, value);
        return *this;
    }
    Line& Number(const char* key, int value) {
        Key(key);
        m_out += std::to_string(value);
        return *this;
    }
    void End() { m_out += '}'; }

private:
    std::string& m_out;
    bool m_first = true;
};

} // namespace

void AppendJsonString(std::string& out, std::string_view cp1252, bool utf8) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t run = 0;
    for (std::size_t k = 0; k < cp1252.size(); ++k) {
        const auto c = static_cast<unsigned char>(cp1252[k]);
        if (IsPlain(c)) {
            continue;
        }
        out.append(cp1252, run, k - run);
        run = k + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
            } else if (utf8) {
                out += static_cast<char>(c);
            } else {
                out += Cp1252ToUtf8(cp1252.substr(k, 1));
            }
        }
    }
    out.append(cp1252, run);
    out += '"';
}

void WriteDumpJson(const Document& doc, const std::vector<std::string>& messages,
                   std::ostream& out) {
    std::string line;
    const auto array = [&](const char* key, const auto& items, const auto& write) {
        out << ",\n  \"" << key << "\": [";
        const char* separator = "\n    ";
        for (const auto& item : items) {
            line.clear();
            write(item);
            out << separator << line;
            separator = ",\n    ";
        }
        out << (items.empty() ? "]" : "\n  ]");
    };
    out << "{\n  \"format\": " << kDumpFormat;
    array("messages", messages,
          [&](const std::string& message) { AppendJsonString(line, message, true); });
    std::vector<const Diagnostic*> notes;
    for (const Diagnostic& d : doc.GetDiagnostics()) {
        if (d.kind == Diagnostic::Kind::ReadingNote) {
            notes.push_back(&d);
        }
    }
    array("notes", notes, [&](const Diagnostic* d) {
        line += "{\"file\":";
        AppendJsonString(line, d->path, true);
        line += ",\"line\":" + std::to_string(d->line) + ",\"node\":";
        AppendJsonString(line, d->hasNode ? d->nodeName : std::string());
        line += ",\"field\":";
        AppendJsonString(line, d->field);
        line += ",\"text\":";
        AppendJsonString(line, d->text, true);
        line += '}';
    });
    array("books", doc.Data().GetBooks(), [&](const auto& book) {
        Line(line)
            .Text("name", book->GetNameView())
            .Text("text", book->GetText())
            .Text("comment", book->GetComment())
            .End();
    });
    array("templates", doc.Data().GetTemplates(), [&](const auto& t) {
        Line(line)
            .Text("name", t->GetNameView())
            .Text("comment", t->GetComment())
            .Text("specializes", t->GetSpecializes())
            .Text("screen_name", t->GetScreenName())
            .Text("doc", t->GetDoc())
            .Text("lore_key", t->GetLoreKey())
            .Text("model", t->GetModel())
            .Text("texture", t->GetTexture())
            .Text("inventory_icon", t->GetInventoryIcon())
            .Number("inventory_width", t->GetInventoryWidth())
            .Number("inventory_height", t->GetInventoryHeight())
            .Number("gold_value", t->GetGoldValue())
            .Text("category_name", t->GetCategoryName())
            .End();
    });
    out << "\n}\n";
}

} // namespace tc::cli

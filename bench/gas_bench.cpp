// Throughput of reading, sorting and writing the game files, next to a bare line scan of the
// same file as the reference. Run: build/bench/tomecraft_bench
#include "PairGenerator.h"

#include "document/Document.h"
#include "document/FindNode.h"
#include "document/FindingRows.h"
#include "document/HeadlessHost.h"
#include "document/PairFindings.h"
#include "document/Translation.h"
#include "gasfiles/LanguageFile.h"
#include "gasfiles/LoreFile.h"
#include "gasfiles/TemplateFile.h"
#include "platform/MemorySettings.h"
#include "platform/Text.h"
#include "tools/tomecraft-gas/GasCommands.h"

#include "model/NameOrder.h"
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include <filesystem>
#include <fstream>
#include <map>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using SilentUi = tc::QuietUi;

const tc::bench::GeneratedPair& PairOf(std::size_t books) {
    static std::map<std::size_t, tc::bench::GeneratedPair> pairs;
    auto it = pairs.find(books);
    if (it == pairs.end()) {
        const auto folder =
            std::filesystem::temp_directory_path() / ("tomecraft-bench-" + std::to_string(books));
        it = pairs.emplace(books, tc::bench::GeneratePair(folder.string(), books)).first;
    }
    return it->second;
}

// The same pair as Save writes it, which is how most files look after their first save.
const tc::bench::GeneratedPair& SavedPairOf(std::size_t books) {
    static std::map<std::size_t, tc::bench::GeneratedPair> pairs;
    auto it = pairs.find(books);
    if (it == pairs.end()) {
        tc::bench::GeneratedPair saved = PairOf(books);
        saved.lorePath += ".saved";
        saved.templatePath += ".saved";
        tc::Diagnostics found;
        tc::BookList lore;
        tc::TemplateList templates;
        tc::ReadLoreFile(PairOf(books).lorePath, lore, found);
        tc::ReadTemplateFile(PairOf(books).templatePath, templates, found);
        tc::StringSink loreText, templateText;
        tc::EmitLoreFile(lore, loreText);
        tc::EmitTemplateFile(templates, templateText);
        std::ofstream(saved.lorePath, std::ios::binary) << loreText.Text();
        std::ofstream(saved.templatePath, std::ios::binary) << templateText.Text();
        it = pairs.emplace(books, saved).first;
    }
    return it->second;
}

// Arguments: books, reading notes (0/1), the pair as generated (0) or as Save writes it (1).
const tc::bench::GeneratedPair& PairFor(const benchmark::State& state) {
    const auto books = static_cast<std::size_t>(state.range(0));
    return state.range(2) != 0 ? SavedPairOf(books) : PairOf(books);
}

void Report(benchmark::State& state, const std::string& path, std::size_t items) {
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(items));
}

void BM_LineScanLore(benchmark::State& state) {
    const auto& pair = PairOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::ifstream in(pair.lorePath, std::ios::binary);
        std::size_t lines = 0;
        for (std::string line; std::getline(in, line);) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    Report(state, pair.lorePath, pair.books);
}

// Without and with the notes of what a save would change.
void BM_ReadLore(benchmark::State& state) {
    const auto& pair = PairFor(state);
    for (auto _ : state) {
        tc::BookList books;
        tc::Diagnostics found;
        tc::ReadLoreFile(pair.lorePath, books, found, nullptr, state.range(1) != 0);
        benchmark::DoNotOptimize(books.data());
        state.PauseTiming(); // freeing the books is not part of reading them
        books.clear();
        state.ResumeTiming();
    }
    Report(state, pair.lorePath, pair.books);
}

void BM_ReadTemplates(benchmark::State& state) {
    const auto& pair = PairFor(state);
    for (auto _ : state) {
        tc::TemplateList templates;
        tc::Diagnostics found;
        tc::ReadTemplateFile(pair.templatePath, templates, found, nullptr, state.range(1) != 0);
        benchmark::DoNotOptimize(templates.data());
        state.PauseTiming();
        templates.clear();
        state.ResumeTiming();
    }
    Report(state, pair.templatePath, pair.templates);
}

// The sorts that Open and Save run, which only the document may start.
struct SortableData : tc::EditableData {
    using LoreData::SortBooks;
    using LoreData::SortTemplates;
    void Put(Books books, Templates templates) {
        BookList() = std::move(books);
        TemplateList() = std::move(templates);
    }
};

void BM_SortBoth(benchmark::State& state) {
    const auto& pair = PairOf(static_cast<std::size_t>(state.range(0)));
    SilentUi ui;
    SortableData data;
    for (auto _ : state) {
        state.PauseTiming();
        tc::LoreData::Books books;
        tc::LoreData::Templates templates;
        tc::Diagnostics found;
        tc::ReadLoreFile(pair.lorePath, books, found);
        tc::ReadTemplateFile(pair.templatePath, templates, found);
        data.Put(std::move(books), std::move(templates));
        state.ResumeTiming();
        data.SortBooks();
        data.SortTemplates();
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(pair.books + pair.templates));
}

// The name sort alone, on the shapes that are hardest for an exact exchange-sort order: distinct
// names in reverse or random order with one name repeated, every name twice, and ten names
// repeated over and over.
enum class Shape { ReversedOneRepeat, ShuffledOneRepeat, Pairs, TenNames };

void BM_SortNames(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const auto shape = static_cast<Shape>(state.range(1));
    std::vector<std::string> names(count);
    for (std::size_t k = 0; k < count; ++k) {
        names[k] = shape == Shape::Pairs      ? "book_" + std::to_string(k / 2)
                   : shape == Shape::TenNames ? "book_" + std::to_string(k % 10)
                                              : "book_" + std::to_string(10000000 - k);
    }
    if (shape == Shape::ReversedOneRepeat || shape == Shape::ShuffledOneRepeat) {
        names[count / 2] = names[count - 1];
    }
    if (shape == Shape::ShuffledOneRepeat) {
        std::shuffle(names.begin(), names.end(), std::mt19937(7));
    }
    const std::vector<std::string_view> views(names.begin(), names.end());
    for (auto _ : state) {
        benchmark::DoNotOptimize(tc::ExchangeSortOrder(views));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

// tomecraft-gas as a pipeline runs it, each run in a child process so that its peak memory can
// be told: dump, check, and format (of a copy, with --force as the generated texts are clean).
void BM_Tool(benchmark::State& state) {
    const auto& pair = PairOf(static_cast<std::size_t>(state.range(0)));
    const char* command = state.range(1) == 0 ? "dump" : state.range(1) == 1 ? "check" : "format";
    const auto folder = std::filesystem::path(pair.lorePath).parent_path() / "tool";
    std::filesystem::create_directories(folder);
    const std::string lore = (folder / "lore.gas").string();
    const std::string templates = (folder / "trs_book_lore.gas").string();
    std::filesystem::copy_file(pair.lorePath, lore,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(pair.templatePath, templates,
                               std::filesystem::copy_options::overwrite_existing);
    long peakKb = 0;
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            std::ofstream nowhere("/dev/null");
            std::vector<std::string> args = {command, lore, templates};
            if (state.range(1) == 2) {
                args.insert(args.begin() + 1, "--force");
            }
            _exit(tc::cli::RunGasTool(args, nowhere, nowhere) > 1 ? 1 : 0);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        peakKb = std::max(peakKb, usage.ru_maxrss);
    }
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
    state.counters["peak_per_input"] = static_cast<double>(peakKb) * 1024.0 /
                                       static_cast<double>(std::filesystem::file_size(lore) +
                                                           std::filesystem::file_size(templates));
    Report(state, lore, pair.books);
}

void BM_WriteLore(benchmark::State& state) {
    const auto& pair = PairOf(static_cast<std::size_t>(state.range(0)));
    SilentUi ui;
    tc::HeadlessHost host;
    const tc::MemorySettings settings;
    tc::BookList books;
    tc::Diagnostics found;
    tc::ReadLoreFile(pair.lorePath, books, found);
    const std::string out = pair.lorePath + ".out";
    for (auto _ : state) {
        tc::Diagnostics messages;
        tc::WriteLoreFile(out, "", books, messages);
    }
    Report(state, out, pair.books);
}

void BM_WriteTemplates(benchmark::State& state) {
    const auto& pair = PairOf(static_cast<std::size_t>(state.range(0)));
    SilentUi ui;
    tc::HeadlessHost host;
    const tc::MemorySettings settings;
    tc::TemplateList templates;
    tc::Diagnostics found;
    tc::ReadTemplateFile(pair.templatePath, templates, found);
    const std::string out = pair.templatePath + ".out";
    for (auto _ : state) {
        tc::Diagnostics messages;
        tc::WriteTemplateFile(out, "", templates, messages);
    }
    Report(state, out, pair.templates);
}

// 10,000 changes (an Update of a book's text, a delete, a new book, in turn), then all undone
// and all redone: 30,000 steps per run.
void BM_UndoRedo(benchmark::State& state) {
    const auto& pair = PairOf(10000);
    SilentUi ui;
    tc::HeadlessHost host;
    const tc::MemorySettings settings;
    tc::Document doc(ui, host, settings);
    constexpr std::size_t kSteps = 10000;
    for (auto _ : state) {
        state.PauseTiming();
        doc.ReadPair(pair.lorePath, pair.templatePath);
        state.ResumeTiming();
        for (std::size_t k = 0; k < kSteps; ++k) {
            tc::EditableData& data = doc.Data();
            const auto books = data.GetBooks();
            const tc::LoreBook& book = *books[(k * 7919) % books.size()];
            if (k % 3 == 0) {
                tc::LoreBook values = book;
                values.SetText(book.GetText() + " and more");
                data.StoreBook(book, values);
            } else if (k % 3 == 1) {
                data.DeleteNode(&book);
            } else {
                data.AddNode(tc::NodeType::LoreBook, "new_" + std::to_string(k));
            }
        }
        while (doc.Data().CanUndo()) {
            doc.Data().Undo();
        }
        while (doc.Data().CanRedo()) {
            doc.Data().Redo();
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(3 * kSteps));
}

// Find over every node in the tree's order, for a text that no node holds: the longest search
// there is. The generated lore file lists its books out of order, so that in the tree's order
// their texts lie scattered over memory; a file as Save writes it (sorted) is read back in the
// tree's order, as real files mostly are.
void BM_Find(benchmark::State& state) {
    const auto& pair = PairOf(static_cast<std::size_t>(state.range(0)));
    const bool saved = state.range(1) == 1;
    SilentUi ui;
    tc::HeadlessHost host;
    const tc::MemorySettings settings;
    tc::Document doc(ui, host, settings);
    std::string lore = pair.lorePath;
    if (saved) {
        doc.ReadPair(pair.lorePath, pair.templatePath);
        lore = pair.lorePath + ".saved";
        doc.SetMayAsk(false);
        doc.WriteLoreFile(lore);
    }
    doc.ReadPair(lore, pair.templatePath);
    const auto books = doc.Data().GetBooks();
    const auto templates = doc.Data().GetTemplates();
    std::vector<const tc::Node*> order(books.begin(), books.end());
    order.insert(order.end(), templates.begin(), templates.end());
    const auto byName = [](const tc::Node* a, const tc::Node* b) {
        return tc::CompareNoCase(a->GetNameView(), b->GetNameView()) < 0;
    };
    std::stable_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(books.size()),
                     byName);
    std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(books.size()), order.end(),
                     byName);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tc::FindNode(order, order.front(), "Quill of \xC9lan", true));
    }
    Report(state, lore, pair.books);
}

// A document with a generated pair open, as the editor holds it.
struct OpenPair {
    explicit OpenPair(const tc::bench::GeneratedPair& pair) {
        doc.ReadPair(pair.lorePath, pair.templatePath);
    }
    SilentUi ui;
    tc::HeadlessHost host;
    const tc::MemorySettings settings;
    tc::Document doc{ui, host, settings};
};

// The findings of a whole pair, as an Open finds them; with 1, also listed in order.
void BM_FindAll(benchmark::State& state) {
    const auto& pair = PairOf(static_cast<std::size_t>(state.range(0)));
    OpenPair opened(pair);
    tc::Document& doc = opened.doc;
    tc::PairFindings findings(pair.lorePath, pair.templatePath);
    for (auto _ : state) {
        findings.Reset(doc.Data());
        if (state.range(1) != 0) {
            benchmark::DoNotOptimize(findings.All());
        }
    }
    Report(state, pair.lorePath, pair.books);
}

// One step through the document with the findings following it: a template's lore key
// changed, a book renamed, a template's base changed, a new book, a delete, in turn. The time
// is per step, the store itself included; with 1, the problems list's rows follow too, as the
// editor does after each step.
void BM_LiveFindings(benchmark::State& state) {
    const auto& pair = PairOf(static_cast<std::size_t>(state.range(0)));
    OpenPair opened(pair);
    tc::Document& doc = opened.doc;
    tc::EditableData& data = doc.Data();
    tc::FindingRows rows;
    const bool listed = state.range(1) != 0;
    doc.Findings(); // found at first, then followed
    if (listed) {
        doc.TakeFindingChanges();
        rows.Reset(doc.ListedFindings(), doc.ListedDiagnostics(), pair.lorePath);
    }
    std::size_t k = 0;
    for (auto _ : state) {
        if (listed) {
            rows.Follow(doc.ListedFindings(), doc.TakeFindingChanges().touched);
        }
        const auto books = data.GetBooks();
        const auto templates = data.GetTemplates();
        const tc::LoreBook& book = *books[(k * 7919) % books.size()];
        const tc::Template& tmpl = *templates[(k * 104729) % templates.size()];
        switch (k++ % 5) {
        case 0: {
            tc::Template values = tmpl;
            values.SetLoreKey(book.GetName());
            data.StoreTemplate(tmpl, values);
            break;
        }
        case 1: {
            tc::LoreBook values = book;
            values.SetName(book.GetName() + "_b");
            data.StoreBook(book, values);
            break;
        }
        case 2: {
            tc::Template values = tmpl;
            values.SetSpecializes(templates[k % templates.size()]->GetName());
            data.StoreTemplate(tmpl, values);
            break;
        }
        case 3:
            data.AddNode(tc::NodeType::LoreBook, "new_" + std::to_string(k));
            break;
        default:
            data.DeleteNode(&book);
        }
    }
    state.counters["findings"] = static_cast<double>(doc.Findings().Count(tc::Severity::Error) +
                                                     doc.Findings().Count(tc::Severity::Warning));
    Report(state, pair.lorePath, pair.books);
}

// A German file for a generated pair: every book text and title with a translation, but one in
// ten left empty and one in ten stale.
const std::string& LanguageFileOf(std::size_t books) {
    static std::map<std::size_t, std::string> files;
    auto it = files.find(books);
    if (it == files.end()) {
        const tc::bench::GeneratedPair& pair = PairOf(books);
        OpenPair opened(pair);
        tc::LanguageFile file = tc::ExtractMissing(opened.doc.Data(), nullptr, 0x0407);
        for (std::size_t k = 0; k < file.Size(); ++k) {
            tc::LanguageEntry entry = file.Entry(k);
            entry.to = k % 10 == 0 ? ""
                                   : "\xd0\x9f\xd0\xb5\xd1\x80\xd0\xb5\xd0\xb2\xd0\xbe\xd0\xb4 " +
                                         tc::Cp1252ToUtf8(entry.from.substr(0, 300));
            entry.stale = k % 10 == 1;
            file.Set(k, entry);
        }
        const std::string path = pair.lorePath + ".de.gas";
        std::ofstream(path, std::ios::binary) << file.Text();
        it = files.emplace(books, path).first;
    }
    return it->second;
}

// Open Translation on a language file with an entry for every text of the pair: the read, and
// the state of every node found for the status bar, the tree and the problems list.
void BM_OpenTranslation(benchmark::State& state) {
    const auto books = static_cast<std::size_t>(state.range(0));
    const std::string& path = LanguageFileOf(books);
    OpenPair opened(PairOf(books));
    for (auto _ : state) {
        if (!opened.doc.OpenTranslation(path)) {
            state.SkipWithError("the translation did not open");
            return;
        }
    }
    state.counters["entries"] = static_cast<double>(opened.doc.Data().Translation()->Size());
    Report(state, path, opened.doc.Data().Translation()->Size());
}

// What the form does for each node shown: its translation and its state.
void BM_ShowTranslation(benchmark::State& state) {
    const auto books = static_cast<std::size_t>(state.range(0));
    OpenPair opened(PairOf(books));
    tc::Diagnostics found;
    const tc::LanguageFile file = tc::ReadLanguageFile(LanguageFileOf(books), found).GetValue();
    const auto nodes = opened.doc.Data().GetBooks();
    std::size_t k = 0;
    for (auto _ : state) {
        const tc::LoreBook& book = *nodes[(k++ * 7919) % nodes.size()];
        benchmark::DoNotOptimize(tc::TranslationOf(file, book));
        benchmark::DoNotOptimize(tc::StateOf(file, book));
    }
}

// One Update that changes a translated book's text (its translation follows, stale), then
// what the status bar asks for after it; with 1, the problems list's rows follow too. Per step.
void BM_TranslationStep(benchmark::State& state) {
    const auto books = static_cast<std::size_t>(state.range(0));
    OpenPair opened(PairOf(books));
    tc::Document& doc = opened.doc;
    doc.OpenTranslation(LanguageFileOf(books));
    tc::FindingRows rows;
    const bool listed = state.range(1) != 0;
    if (listed) {
        doc.TakeFindingChanges();
        rows.Reset(doc.ListedFindings(), doc.ListedDiagnostics(), doc.GetLorePath());
    }
    std::size_t k = 0;
    for (auto _ : state) {
        const auto nodes = doc.Data().GetBooks();
        const tc::LoreBook& book = *nodes[(k++ * 7919) % nodes.size()];
        tc::LoreBook values = book;
        values.SetText(book.GetText() + " again");
        doc.Data().StoreBook(book, values);
        benchmark::DoNotOptimize(doc.TranslationProgress());
        if (listed) {
            rows.Follow(doc.ListedFindings(), doc.TakeFindingChanges().touched);
        }
    }
    state.counters["rows"] = static_cast<double>(rows.Size());
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

void SizesWithNotes(benchmark::internal::Benchmark* b) {
    b->ArgsProduct({{1000, 10000, 100000}, {0, 1}, {0, 1}})
        ->ArgNames({"books", "notes", "saved"})
        ->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LineScanLore)->Apply(Sizes);
BENCHMARK(BM_ReadLore)->Apply(SizesWithNotes);
BENCHMARK(BM_ReadTemplates)->Apply(SizesWithNotes);
BENCHMARK(BM_SortBoth)->Apply(Sizes);
BENCHMARK(BM_Tool)
    ->ArgsProduct({{100000}, {0, 1, 2}})
    ->ArgNames({"books", "dump_check_format"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNames)
    ->ArgsProduct({{20000, 100000}, {0, 1, 2, 3}})
    ->ArgNames({"names", "shape"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteLore)->Apply(Sizes);
BENCHMARK(BM_WriteTemplates)->Apply(Sizes);
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAll)->ArgsProduct({{1000, 10000, 100000}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveFindings)
    ->ArgsProduct({{1000, 100000}, {0, 1}})
    ->ArgNames({"books", "listed"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenTranslation)->Apply(Sizes);
BENCHMARK(BM_ShowTranslation)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TranslationStep)
    ->ArgsProduct({{1000, 100000}, {0, 1}})
    ->ArgNames({"books", "listed"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Find)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->ArgNames({"books", "saved"})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

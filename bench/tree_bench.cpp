// Time from the Open dialog's OK to a filled tree, through the real main window. Needs a display:
// xvfb-run build/bench/tomecraft_tree_bench
#include "PairGenerator.h"

#include "app/MainFrame.h"
#include "document/Document.h"
#include "document/HeadlessHost.h"
#include "platform/MemorySettings.h"
#include "views/FormPane.h"
#include "views/TreeView.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/textctrl.h>

#include <filesystem>

namespace {

struct QuietUi : tc::UserInterface {
    tc::MsgAnswer MessageBox(const std::string&, tc::MsgButtons, tc::MsgIcon) override {
        return tc::MsgAnswer::Ok;
    }
};

// Every Open picks the generated pair, as if the user had pressed OK on it.
struct PairHost : tc::HeadlessHost {
    tc::OpenPaths paths;
    std::optional<tc::OpenPaths> RunOpenDialog() override { return paths; }
};

// A main window over a generated pair, opened once; shared by the benchmarks of one size.
struct LoadedWindow {
    LoadedWindow(std::size_t books, std::size_t templates) {
        const auto folder =
            std::filesystem::temp_directory_path() /
            ("tomecraft-tree-bench-" + std::to_string(books) + "-" + std::to_string(templates));
        pair = tc::bench::GeneratePair(folder.string(), books, templates);
        host.paths = {pair.lorePath, pair.templatePath};
        frame = new tc::MainFrame(doc);
        frame->Show();
        doc.OnFileOpen();
    }
    ~LoadedWindow() {
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }
    // The `index`-th child of a group item.
    wxTreeItemId Child(wxTreeItemId group, std::size_t index) const {
        wxTreeItemIdValue cookie;
        wxTreeItemId item = frame->Tree()->GetFirstChild(group, cookie);
        for (std::size_t k = 0; k < index && item.IsOk(); ++k) {
            item = frame->Tree()->GetNextChild(group, cookie);
        }
        return item;
    }
    wxTreeItemId Group(bool templates) const {
        wxTreeItemIdValue cookie;
        const wxTreeItemId books =
            frame->Tree()->GetFirstChild(frame->Tree()->GetRootItem(), cookie);
        return templates ? frame->Tree()->GetNextSibling(books) : books;
    }

    tc::bench::GeneratedPair pair;
    QuietUi ui;
    PairHost host;
    const tc::MemorySettings settings;
    tc::Document doc{ui, host, settings};
    tc::MainFrame* frame = nullptr;
};

void BM_OpenToFilledTree(benchmark::State& state) {
    LoadedWindow window(static_cast<std::size_t>(state.range(0)),
                        static_cast<std::size_t>(state.range(1)));
    for (auto _ : state) {
        window.doc.OnFileOpen();
        benchmark::DoNotOptimize(window.frame->Tree()->GetCount());
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + state.range(1)));
}

// From selecting a template (or a book) to the form filled and painted.
void BM_SelectNode(benchmark::State& state) {
    LoadedWindow window(static_cast<std::size_t>(state.range(0)),
                        static_cast<std::size_t>(state.range(1)));
    const bool templates = state.range(2) != 0;
    const wxTreeItemId group = window.Group(templates);
    const wxTreeItemId items[] = {window.Child(group, 1), window.Child(group, 2)};
    std::size_t k = 0;
    for (auto _ : state) {
        window.frame->Tree()->SelectItem(items[k++ % 2]);
        window.frame->Update();
    }
}

// Renaming a book through its form: store, relabel, re-sort the group and select it again.
void BM_RenameBook(benchmark::State& state) {
    LoadedWindow window(static_cast<std::size_t>(state.range(0)),
                        static_cast<std::size_t>(state.range(1)));
    const wxTreeItemId group = window.Group(false);
    window.frame->Tree()->SelectItem(window.Child(group, 5));
    tc::FormPane* form = window.frame->CurrentForm();
    auto* key = dynamic_cast<wxTextCtrl*>(form->FindWindow(1002));
    std::size_t k = 0;
    for (auto _ : state) {
        // Alternate between the two ends of the group, so that every rename moves the item.
        key->ChangeValue(k++ % 2 ? "aaa_first" : "zzz_last");
        form->OnUpdateButton();
        window.frame->Update();
    }
}

BENCHMARK(BM_OpenToFilledTree)
    ->Args({1000, 1000})
    ->Args({10000, 10000})
    ->Args({100000, 20000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectNode)
    ->ArgsProduct({{1000, 100000}, {1000, 20000}, {0, 1}})
    ->ArgNames({"books", "templates", "template"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenameBook)->Args({1000, 1000})->Args({100000, 20000})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}

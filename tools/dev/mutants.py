#!/usr/bin/env python3
"""Breaks one rule at a time in the source and checks that the tests notice.

Each mutant replaces one exact snippet of a source file, rebuilds the tests it names and runs
them: they must fail. A mutant whose tests still pass marks a rule no test guards; run this
before folding or deleting tests, and again after.

Usage: tools/dev/mutants.py [--build DIR] [--lock FILE] [NAME...]
  (default: every mutant, in build-mutants/, configured here when missing: a build others use
  would hold a mutant's programs while it runs)
The source is put back after each mutant, also when interrupted, and the build made whole again.
"""
import argparse
import os
import signal
import subprocess
import sys

CORE = ("tomecraft_core_tests", "tests/tomecraft_core_tests")
GUI = ("tomecraft_gui_tests", "tests/gui/tomecraft_gui_tests")
SESSION = ("tomecraft", None)  # the built editor through its session; the filter names the ctest

# name: (file, snippet, replacement, tests, gtest filter)
MUTANTS = {
    "cp1252-euro": ("src/platform/Text.cpp", "    0x20AC, 0x0081,", "    0x20AD, 0x0081,",
                    CORE, "*"),
    "mode-not-kept": ("src/platform/SystemFilesPosix.cpp",
                      "    return Result(::fchmod(fd, previous.mode));", "    return 0;", CORE, "*"),
    "lock-not-held": ("src/platform/FileLock.cpp", "        if (const int error = sys::TryLock(fd.Get())) {",
                      "        if (const int error = 0) {", CORE, "*"),
    "name-order-unstable": ("src/model/NameOrder.cpp", "return cmp < 0 || (cmp == 0 && a < b);",
                            "return cmp < 0 || (cmp == 0 && a > b);", CORE, "*"),
    "templates-not-partitioned": ("src/model/LoreData.cpp",
                                  "ExchangeSortRange(m_templates, 0, bases, NameOf<Template>);",
                                  "ExchangeSortRange(m_templates, 0, m_templates.size(), NameOf<Template>);",
                                  CORE, "ExchangeSortOrder.*"),
    "cancel-exits-with-data": ("src/document/Document.cpp",
                               "        if (m_data.GetBooks().empty() && m_data.GetTemplates().empty()) {\n            m_host.SendExit();",
                               "        if (m_data.GetBooks().empty()) {\n            m_host.SendExit();",
                               CORE, "DocumentFlow.*"),
    "newline-text-counts-as-typing": ("src/rules/LoreBookFormRules.cpp",
                                      "        all || WithCrLfLineBreaks(typed.text) != WithCrLfLineBreaks(m_shown.text);",
                                      "        all || typed.text != m_shown.text;", CORE, "LoreBookForm.*"),
    "block-comment-ignored": ("src/gasfiles/GasLines.cpp",
                              "if (!quoted && c == '/' && k + 1 < line.size() && line[k + 1] == '*') {",
                              "if (false) {", CORE, "*"),
    "height-zero-dropped": ("src/gasfiles/TemplateFile.cpp",
                            "const bool heightDiffers = !p || p->GetInventoryHeight() != t.GetInventoryHeight();",
                            "const bool heightDiffers = (!p || p->GetInventoryHeight() != t.GetInventoryHeight()) && t.GetInventoryHeight() != 0;",
                            CORE, "*"),
    "backup-not-named": ("src/gasfiles/Backup.cpp",
                         "    if (const int error = RenameFile(m_temp->Path(), m_backupName)) {",
                         "    if (const int error = 0) {", CORE, "*"),
    "typed-line-break-accepted": ("src/rules/BraceCheck.cpp",
                                  "    const std::size_t at = text.find(\"\\\\n\");",
                                  "    const std::size_t at = std::string_view::npos;", CORE, "*"),
    "int-range-unchecked": ("src/rules/BraceCheck.cpp",
                            "    if (negative ? -value >= INT_MIN : value <= INT_MAX) {",
                            "    if (true) {", CORE, "*"),
    "undo-delete-at-end": ("src/document/EditableData.cpp",
                           "list.insert(list.begin() + static_cast<std::ptrdiff_t>(m_index), std::move(m_owned));",
                           "list.insert(list.end(), std::move(m_owned));", CORE, "*"),
    "key-unique-ignores-case": ("src/model/LoreData.cpp", "node.get() != except && node->GetNameView() == name",
                                "node.get() != except && EqualsNoCase(node->GetNameView(), name)",
                                CORE, "*"),
    "findings-miss-broken-cycle": ("src/document/PairFindings.cpp",
                                   "        ReachCycles(tmpl, names, affected); // as things were\n", "",
                                   CORE, "EditHistory.*"),
    "tree-marks-never-follow": ("src/views/TreeView.cpp",
                                "    if (changed.empty()) {\n        return; // the usual step",
                                "    if (true) {\n        return; // the usual step", GUI, "Problems*"),
    "list-misses-rechecked-book": ("src/document/PairFindings.cpp",
                                   "            CheckBook(book);\n            m_touched.insert(book);\n",
                                   "            CheckBook(book);\n", CORE, "EditHistory.*"),
    "check-exit-ok-on-error": ("tools/tomecraft-gas/GasCommands.cpp",
                               "    return anyError ? kExitFailed : kExitOk;", "    return kExitOk;",
                               CORE, "*"),
    "format-rewrites-same-bytes": ("src/gasfiles/SafeWrite.cpp",
                                   "        if (HoldsAlready(current.Get(), r)) {",
                                   "        if (HoldsAlready(current.Get(), r) && false) {", CORE, "*"),
    "read-back-skipped": ("src/gasfiles/SafeWrite.cpp",
                          "    return r.readBack(p.temp->Path());",
                          "    return std::string();", CORE, "*"),
    "in-place-before-marker": ("src/gasfiles/SafeWrite.cpp",
                               "        if (const int error = RenameFile(p.temp->Path(), p.marker)) {",
                               "        if (const int error = CopyInPlace(p.temp->Path(), p.previous.realPath) ?: RenameFile(p.temp->Path(), p.marker)) {",
                               CORE, "DurableSave.*"),
    "numbers-not-inherited": ("src/gasfiles/Inheritance.cpp",
                              "            const auto it = readIndex.find(parent);\n",
                              "            const auto it = readIndex.end();\n", CORE, "*"),
    "lore-untitled-unnumbered": ("src/gasfiles/LoreFile.cpp",
                                 "current.book->SetName(\"untitled_\" + number);",
                                 "current.book->SetName(\"untitled\");", CORE, "LoreReader.*"),
    "utf16-not-noted": ("src/gasfiles/GasLines.cpp",
                        "        note += \"  Characters that Windows-1252 cannot hold were read as '?'.\";",
                        "", CORE, "LoreReader.*"),
    "textures-state-kept": ("src/gasfiles/TemplateFile.cpp",
                            "    read.push_back({current.tmpl.get(), current.givenNumbers});\n    templates.push_back(std::move(current.tmpl));\n    current = TemplateInProgress{};",
                            "    read.push_back({current.tmpl.get(), current.givenNumbers});\n    templates.push_back(std::move(current.tmpl));\n    const bool textures = current.inTextures;\n    current = TemplateInProgress{};\n    current.inTextures = textures;",
                            CORE, "TemplateReader.*"),
    "model-key-skipped": ("src/gasfiles/TemplateFile.cpp", "        tmpl.SetModel(value());", "",
                          CORE, "TemplateReader.*"),
    "format-ignores-read-messages": ("tools/tomecraft-gas/GasCommands.cpp",
                                     "    if (!inv.force && !ui.Messages().empty()) {",
                                     "    if (false) {", CORE, "GasTool.*"),
    "cr-split-across-chunks": ("src/platform/TextFile.cpp", "if (lineEnd == m_end || (crAtEnd && !m_eof)) {",
                               "if (lineEnd == m_end || (crAtEnd && false)) {", CORE, "LineReader.*"),
    "lone-cr-ends-no-line": ("src/platform/TextFile.cpp",
                             "while (lineEnd < m_end && m_buffer[lineEnd] != '\\n' && m_buffer[lineEnd] != '\\r') {",
                             "while (lineEnd < m_end && m_buffer[lineEnd] != '\\n') {", CORE, "LineReader.*"),
    "lore-key-like-base-dropped": ("src/gasfiles/TemplateFile.cpp",
                                   "        if (!t.GetLoreKey().empty()) {\n            body += \"\\t\\tlore_key = \"",
                                   "        if (!t.GetLoreKey().empty() && (!p || !EqualsNoCase(p->GetLoreKey(), t.GetLoreKey()))) {\n            body += \"\\t\\tlore_key = \"",
                                   CORE, "TemplateWriter.*"),
    "voice-for-every-base": ("src/gasfiles/TemplateFile.cpp", "        if (treasure) {\n            out.Write(\"\\t\\t[voice]",
                             "        if (true) {\n            out.Write(\"\\t\\t[voice]", CORE, "TemplateWriter.*"),
    "digits-take-shifted-letters": ("src/controls/EditFilters.cpp",
                                    "typed == WXK_DELETE || event.ControlDown() ||",
                                    "typed == WXK_DELETE || event.ShiftDown() || event.ControlDown() ||", GUI, "TypingTest.LowerCase*"),
    "escape-keeps-typing": ("src/views/FormPane.cpp", "            HasNode()) {\n            PutBack();",
                            "            HasNode()) {\n            (void)0;", GUI, "LeaveForm*:Monkey*"),
    "tree-click-skips-typing": ("src/views/TreeView.cpp",
                                "if (!m_ignoreSelection && !m_formCommitted && !CommitForm()) {",
                                "if (false) {", GUI, "LeaveForm*:Monkey*"),
    "save-gray-while-typing": ("src/app/MainFrame.cpp",
                               "event.Enable(m_doc.Data().IsModified() || (m_form != nullptr && m_form->HasTyping()));",
                               "event.Enable(m_doc.Data().IsModified());", GUI, "LeaveForm*"),
    "undo-key-leaves-field": ("src/app/MainFrame.cpp", "    if (key != 'Z' && key != 'Y') {",
                              "    if (true) {", GUI, "UndoFind*"),
    "modified-never-shown": ("src/app/MainFrame.cpp",
                             "const wxString modified = m_doc.Data().IsModified() ? \"Modified\" : \"\";",
                             "const wxString modified = \"\";", GUI, "LeaveForm*"),
    "browse-refusal-silent": ("src/dialogs/OpenFilesDialog.cpp",
                              "        m_ui.MessageBox(*message, MsgButtons::Ok, MsgIcon::Exclamation);\n",
                              "", GUI, "PathDialogs*"),
    "new-name-not-lowered": ("src/dialogs/NewNodeDialog.cpp", "    MakeLowerCaseEdit(m_nameField);\n",
                             "", GUI, "EndToEnd*"),
    "new-name-not-unique": ("src/rules/NewNodeRules.cpp",
                            "if (m_data != nullptr && (!m_data->IsBookKeyUnique(",
                            "if (false && (!m_data->IsBookKeyUnique(", GUI, "EndToEnd*"),
    "open-skips-refusal": ("src/document/Document.cpp",
                           "void Document::OnFileOpen() {\n    if (!CommitFormEdits()) {",
                           "void Document::OnFileOpen() {\n    if ((CommitFormEdits(), false)) {",
                           GUI, "LeaveForm*"),
    "new-skips-refusal": ("src/views/TreeView.cpp",
                          "void TreeView::AddNewNode(NodeType type) {\n    if (!CommitForm()) {",
                          "void TreeView::AddNewNode(NodeType type) {\n    if ((CommitForm(), false)) {",
                          GUI, "LeaveForm*"),
    "spin-step-unclamped": ("src/views/TemplateForm.cpp",
                            "std::to_string(std::clamp(spin->GetValue() + step, low, high))",
                            "std::to_string(spin->GetValue() + step)", GUI, "TypingTest.LowerCase*"),
    "page-keys-move-a-row": ("src/views/TreeView.cpp",
                             "const int page = std::max(1, GetClientSize().GetHeight() / m_lineHeight - 1);",
                             "const int page = 1;", GUI, "LeaveForm*"),
    "undo-label-unnamed": ("src/app/MainFrame.cpp",
                           "{Id(CommandId::EditUndo), StepLabel(\"&Undo\", m_doc.Data().UndoName(), \"Ctrl+Z\")},",
                           "{Id(CommandId::EditUndo), StepLabel(\"&Undo\", \"\", \"Ctrl+Z\")},", GUI, "LeaveForm*"),
    "undone-delete-not-shown": ("src/views/TreeView.cpp",
                                "        ShowItem(AddNode(change.node->GetType(), change.node));",
                                "        AddNode(change.node->GetType(), change.node);", GUI, "LeaveForm*"),
    "handover-dropped": ("src/app/SingleInstance.cpp", "            handover(files);\n",
                         "            (void)files;\n", SESSION, "editor_session"),
    "hang-waited-for": ("src/app/SingleInstance.cpp",
                        "if (!answered.wait_for(lock, kAnswerTime, [&] { return done; })) {",
                        "if (answered.wait(lock, [&] { return done; }), false) {", SESSION, "editor_session"),
    "settings-folder-not-made": ("src/platform/wx/WxSettingsStore.cpp",
                                 "    wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);\n", "",
                                 SESSION, "editor_session"),
    "cancelled-start-stays": ("src/app/WxDocumentHost.cpp", "        m_frame->Close();\n", "",
                              SESSION, "editor_session"),
    "cp1252-euro-shown": ("src/platform/Text.cpp", "    0x20AC, 0x0081,", "    0x20AD, 0x0081,", GUI,
                          "TypingTest.EveryByte*"),
    "wx-text-not-converted": ("src/platform/wx/WxText.cpp", "    const std::string utf8 = Cp1252ToUtf8(text);",
                              "    const std::string utf8 = text;", GUI, "TypingTest.EveryByte*"),
    "redo-skips-refusal": ("src/document/Document.cpp",
                           "if (m_data.CanRedo() && CommitFormEdits() && m_data.CanRedo()) {",
                           "if (m_data.CanRedo()) {", GUI, "UndoFind*"),
    "new-book-sorted-in": ("src/document/EditableData.cpp",
                           ": add(std::make_unique<LoreBook>(), GetBooks().size());",
                           ": add(std::make_unique<LoreBook>(), 0);", CORE, "DocumentFlow.*"),
    "cancelled-backup-dialog-clears": ("src/document/Document.cpp", "        m_backupPath = *folder;\n    }",
                                       "        m_backupPath = *folder;\n    } else {\n        m_backupPath.clear();\n    }",
                                       CORE, "DocumentFlow.*"),
    "check-lists-by-line-only": ("tools/tomecraft-gas/GasCommands.cpp",
                                 "[&inv](const auto& a, const auto& b) {\n        return ListedBefore(a, b, inv.lorePath);",
                                 "[](const auto& a, const auto& b) {\n        return a.line < b.line;", CORE,
                                 "GasTool.*"),
    "key-found-ignoring-case": ("src/rules/TemplateFormRules.cpp", "    if (exact >= 0) {\n        return exact;",
                                "    if (false) {\n        return exact;", GUI, "LeaveForm*"),
    "translation-undo-kept": ("src/document/EditableData.cpp", "            file->Set(index, before);",
                              "            file->Set(index, after);", CORE, "EditHistory.*"),
    "translation-not-stale": ("src/document/EditableData.cpp",
                              "edit->after = {std::string(newText), oldTranslation, true};",
                              "edit->after = {std::string(newText), oldTranslation, false};",
                              CORE, "Translat*"),
    "shared-text-not-rechecked": ("src/document/TranslationStates.cpp", "        Recheck(before);",
                                  "", CORE, "EditHistory.*"),
    "language-file-line-ends-changed": ("src/gasfiles/LanguageFile.cpp", "    request.crlf = false;",
                                        "    request.crlf = true;", GUI, "EndToEnd*"),
}


LOCK = []


def run(cmd, timeout=None):
    # In a process group of its own, so that a test that hangs (or waits at an assertion
    # dialog) is ended with everything it started, and lets go of the lock.
    process = subprocess.Popen(LOCK + cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()
        return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build-mutants")
    parser.add_argument("--lock", help="run each build and test under flock on this file")
    parser.add_argument("names", nargs="*")
    args = parser.parse_args()
    if args.lock:
        LOCK.extend(["flock", args.lock])
    root = os.path.normpath(os.path.join(os.path.dirname(__file__), "..", ".."))
    os.chdir(root)
    if not os.path.exists(os.path.join(args.build, "CMakeCache.txt")):
        subprocess.run(["cmake", "-S", ".", "-B", args.build, "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DTOMECRAFT_WERROR=ON"],
                       check=True, stdout=subprocess.DEVNULL)
    names = args.names or list(MUTANTS)
    survived = []
    for name in names:
        path, snippet, replacement, (target, binary), gtest = MUTANTS[name]
        with open(path, encoding="utf-8") as f:
            original = f.read()
        if original.count(snippet) != 1:
            print(f"{name}: the snippet is not found once in {path}; update the mutant")
            survived.append(name)
            continue
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original.replace(snippet, replacement))
            if run(["cmake", "--build", args.build, "--target", target]) != 0:
                print(f"{name}: does not build; update the mutant")
                survived.append(name)
                continue
            command = [os.path.join(args.build, binary or ""), f"--gtest_filter={gtest}"]
            if target == GUI[0]:
                command = ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24"] + command
            if binary is None:
                command = ["ctest", "--test-dir", args.build, "-R", gtest]
            caught = run(command, timeout=900) != 0
            print(f"{name}: {'caught' if caught else 'SURVIVED'}", flush=True)
            if not caught:
                survived.append(name)
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
    run(["cmake", "--build", args.build])
    print(f"{len(names) - len(survived)} of {len(names)} mutants caught")
    return 1 if survived else 0


if __name__ == "__main__":
    sys.exit(main())

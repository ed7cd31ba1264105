// browser_bench: the data browser on a file block of 1,000,000 entries. It times what a user
// waits for: opening the block and showing the first page, a jump of the scroll bar's thumb, a
// typed letter, and Page Down, each until the rows are painted (the viewport is rendered into a
// picture, which paints it whatever the display platform). The figures go into the "Data browser"
// section of docs/BENCHMARKS.md.
//
//   browser_bench [--entries N] [--dir DIR]

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "widgets/DataBrowser.h"

namespace {

constexpr int kRecordLength = 64;
constexpr int kKeyLength = 10;
constexpr int kRepetitions = 200;
constexpr int kOpenRepetitions = 20;

// The browser never asks anything here; an error box would mean the run is void.
class AbortingPrompts : public base::UnattendedPromptService {
public:
    base::PromptAnswer Message(std::string_view caption, std::string_view text, base::PromptIcon,
                               base::PromptButtons) override {
        std::fprintf(stderr, "unexpected message %.*s: %.*s\n", static_cast<int>(caption.size()),
                     caption.data(), static_cast<int>(text.size()), text.data());
        std::exit(1);
    }
};

// Key of entry i: a capital letter spreading the entries over the alphabet, then the number.
std::string KeyOf(int32_t i) {
    char key[16];
    std::snprintf(key, sizeof key, "%c%07d", 'A' + (i * 7) % 26, i);
    return key;
}

void BuildFile(engine::Engine& engine, int32_t entries) {
    const engine::KeyDescriptor key{kKeyLength, false};
    engine.CreateFileBlock("BENCH", kRecordLength, 1, &key);
    engine::FileBlockHandle fb = nullptr;
    engine.OpenFileBlock(fb, "BENCH");
    std::vector<uint8_t> record(kRecordLength, 0);
    // Keys arrive in a scattered order, as names do, so the tree is shaped like a real one.
    const int64_t stride = 7919;
    for (int32_t n = 0; n < entries; ++n) {
        const auto i = static_cast<int32_t>((n * stride) % entries);
        const std::string k = KeyOf(i);
        std::memset(record.data(), 0, record.size());
        std::memcpy(record.data() + 4, k.data(), k.size());
        int32_t recordNumber = 0;
        engine.AddRecord(fb, recordNumber, std::as_bytes(std::span(record)));
        engine.AddKey(fb, 1, recordNumber, k);
        if (!engine.ok()) {
            std::fprintf(stderr, "building failed: error %d\n", engine.error());
            std::exit(1);
        }
    }
    engine.CloseFileBlock(fb);
}

struct Figures {
    double median = 0, p95 = 0, max = 0;
};

Figures Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    Figures f;
    f.median = ms[ms.size() / 2];
    f.p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
    f.max = ms.back();
    return f;
}

double MillisecondsOf(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// A run whose browser shows the wrong rows measures nothing.
void Expect(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "check failed: %s\n", what);
    std::exit(1);
}

void PrintRow(const char* what, int runs, const Figures& f) {
    std::printf("| %-38s | %5d | %8.2f | %8.2f | %8.2f |\n", what, runs, f.median, f.p95, f.max);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int32_t entries = 1000000;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "kt-browser-bench";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--entries") == 0) entries = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--dir") == 0) dir = argv[i + 1];
    }
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);

    engine::Engine engine;
    engine.InitEngine(0, 30);
    const double buildSeconds = MillisecondsOf([&] { BuildFile(engine, entries); }) / 1000;
    std::fprintf(stderr, "built %d entries in %.1f s\n", entries, buildSeconds);

    AbortingPrompts prompts;
    std::vector<uint8_t> buffer(kRecordLength, 0);
    widgets::TFvcBrowser browser(prompts);
    browser.OnBuildRow = [&](widgets::TFvcBrowser&, widgets::RowRec& row) {
        char line[96];
        std::snprintf(line, sizeof line, "%-30s %10d", reinterpret_cast<char*>(buffer.data()) + 4,
                      row.recordNumber);
        row.text = line;
    };
    browser.SetHeader("Name                           Record");
    browser.resize(900, 520);
    browser.show();
    engine::FileBlockHandle fb = nullptr;

    // Open the block, attach the browser and paint its first page; closed again between runs,
    // so that every run starts with none of the block's pages in the engine's buffers.
    const auto openRun = [&](int keyNumber) {
        std::vector<double> ms;
        for (int run = 0; run < kOpenRepetitions; ++run) {
            browser.DetachDataSource();
            if (fb) engine.CloseFileBlock(fb);
            ms.push_back(MillisecondsOf([&] {
                engine.OpenFileBlock(fb, "BENCH");
                browser.AttachDataSource(std::make_unique<widgets::TFvcDataSource>(
                    engine, fb, keyNumber, "", "", std::as_writable_bytes(std::span(buffer))));
                browser.viewport()->grab();
            }));
            Expect(browser.rows().size() == static_cast<size_t>(browser.visibleRowCount()),
                   "the first page is full");
        }
        return Summarise(ms);
    };
    const Figures openKeyed = openRun(1);
    const Figures openRecords = openRun(0);
    const Figures openKeyedAgain = openRun(1);  // leaves the keyed browser for the runs below
    const int rows = browser.visibleRowCount();

    std::mt19937 random(20240521);
    std::vector<double> jumps, letters, pages;
    QScrollBar* bar = browser.verticalScrollBar();
    for (int i = 0; i < kRepetitions; ++i) {
        const int position = std::uniform_int_distribution<int>(1, 62)(random);
        jumps.push_back(MillisecondsOf([&] {
            bar->setSliderPosition(position);
            browser.viewport()->grab();
        }));
        Expect(browser.CurrentRecordNumber() != 0, "the thumb lands on a row");
    }
    for (int i = 0; i < kRepetitions; ++i) {
        const QChar letter('A' + std::uniform_int_distribution<int>(0, 25)(random));
        letters.push_back(MillisecondsOf([&] {
            QKeyEvent press(QEvent::KeyPress, letter.unicode(), Qt::NoModifier, QString(letter));
            QApplication::sendEvent(&browser, &press);
            browser.viewport()->grab();
        }));
        Expect(browser.CurrentKey().front() == letter.toLatin1(), "the letter finds its keys");
    }
    for (int i = 0; i < kRepetitions; ++i) {
        pages.push_back(MillisecondsOf([&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
            QApplication::sendEvent(&browser, &press);
            browser.viewport()->grab();
        }));
    }

    std::printf("%d entries, key length %d, %d rows on the page, %d page buffers; times in ms\n\n",
                entries, kKeyLength, rows, 30);
    std::printf("| %-38s | %5s | %8s | %8s | %8s |\n", "action (until painted)", "runs", "median",
                "95 %", "max");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(40, '-').c_str(), std::string(7, '-').c_str(),
                std::string(10, '-').c_str(), std::string(10, '-').c_str(),
                std::string(10, '-').c_str());
    PrintRow("open block, first page (key order)", kOpenRepetitions, openKeyed);
    PrintRow("reopen, first page (key order)", kOpenRepetitions, openKeyedAgain);
    PrintRow("open block, first page (record order)", kOpenRepetitions, openRecords);
    PrintRow("scroll-bar thumb jump", kRepetitions, Summarise(jumps));
    PrintRow("typed letter", kRepetitions, Summarise(letters));
    PrintRow("Page Down", kRepetitions, Summarise(pages));

    browser.DetachDataSource();
    engine.CloseFileBlock(fb);
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(dir);
    return 0;
}

#pragma once
// The rules of the "Label Wizard / Print Queue" window: the layout files ("Lastlbl.DAT" names the
// layout last used, "Label.Dat" is a copy of the one last opened), the commands on the print
// queue with the status texts they leave, and printing the queued customers' labels. The window
// gathers what was typed and shows what the flow answers; tests call the flow without Qt.

#include <optional>
#include <string>

#include "base/Canvas.h"
#include "base/PromptService.h"
#include "company/ProgramState.h"
#include "correspondence/LabelLayout.h"
#include "engine/Engine.h"

namespace correspondence {

inline constexpr char kLabelReadyText[] =
    "Ready. Add and remove records as needed or select print button.";
inline constexpr char kOpenLayoutText[] = "Open a label layout file (Label Menu)...";
inline constexpr char kLayoutFilter[] = "Label files (*.LBL)";
inline constexpr char kQueueFilter[] = "Record List (*.LST)";

struct LabelWizardServices {
    engine::Engine& engine;
    base::PromptService& prompts;
    company::ProgramState& state;
};

class LabelWizardFlow {
public:
    explicit LabelWizardFlow(LabelWizardServices services) : services_(services) {}

    // The layout "Lastlbl.DAT" names, when it is still there; a name of a missing file is
    // forgotten. Either way the status text to show.
    std::string Start();
    const std::optional<LabelLayout>& loaded() const { return loaded_; }

    // Reads the layout file, remembers it in "Lastlbl.DAT" and copies it to "Label.Dat". A file
    // that is no layout is refused with a message and changes nothing.
    bool OpenLayout(const std::string& path);
    // Writes the layout (in its stored form) to `path` and remembers it. False after saying why.
    bool SaveLayout(const std::string& path, const LabelLayout& layout);
    // True when the sizes, bitmap, line width, caption or return-address choice on the screen
    // differ from the layout loaded.
    bool LayoutChanged(const LabelLayout& shown) const;

    // "n records are selected."
    std::string SelectedText() const;
    // Each command answers the status text it leaves, or nothing when it changed nothing.
    std::optional<std::string> Delete(std::optional<size_t> row);
    std::optional<std::string> ClearAll();  // nothing, for an empty queue: the window beeps
    std::optional<std::string> SaveQueue(const std::string& path);
    std::optional<std::string> LoadQueue(const std::string& path);
    std::optional<std::string> LoadAll();
    std::optional<std::string> LoadOwing(int category);  // 1 to 4

    // Print Labels with the layout on the screen: the checks, the question when the layout
    // changed (Yes saves it first, through the save dialog), then the labels of every queued
    // customer still on file. Answers the status text; nothing when nothing was printed.
    std::optional<std::string> PrintLabels(base::Canvas& canvas, const LabelLayout& shown,
                                           std::string_view start, std::string_view copies);

private:
    engine::FileSystem& files() { return services_.engine.fileSystem(); }
    bool Remember(const std::string& path);
    std::string AddedText(size_t count);

    LabelWizardServices services_;
    std::optional<LabelLayout> loaded_;
};

}  // namespace correspondence

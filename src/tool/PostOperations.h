#pragma once
// The operations of `kt-invorra-tool post`: each one names the fields it takes and runs the same
// plain C++ code and checks as the window that does the same thing.

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Clock.h"
#include "company/ProgramState.h"
#include "engine/Engine.h"
#include "tool/PostPrompts.h"
#include "tool/PostRequest.h"

namespace tool {

// What every operation of one run shares.
struct PostSession {
    engine::Engine& engine;
    PostPrompts& prompts;
    const base::Clock& clock;
    std::string companyCode;  // the company the run works on
    // Where the tool was started: relative paths of the lines are taken from there, as the run
    // itself works inside the data folder.
    std::filesystem::path startFolder;
};

struct PostReply {
    bool ok = true;
    std::string message;  // why the line was refused: the window's own message where it has one
    nlohmann::ordered_json results = nlohmann::ordered_json::object();

    static PostReply Refused(std::string message) { return {false, std::move(message), {}}; }
};

struct PostOperation {
    std::string_view name;
    std::vector<std::string_view> fields;
    PostReply (*run)(PostRequest& request, PostSession& session);
};

const std::vector<PostOperation>& PostOperations();

// Reads the run's company into `state`, today's text in the company's date format. Nothing, or
// why the line is refused.
std::optional<std::string> EnterRunCompany(PostSession& session, company::ProgramState& state);

// The operations of each subsystem.
std::vector<PostOperation> CompanyOperations();
std::vector<PostOperation> CustomerOperations();
std::vector<PostOperation> AgingOperations();
std::vector<PostOperation> ProductOperations();
std::vector<PostOperation> InvoiceOperations();
std::vector<PostOperation> PaymentOperations();
std::vector<PostOperation> DispatchOperations();
std::vector<PostOperation> RepeatOperations();
std::vector<PostOperation> InterestOperations();
std::vector<PostOperation> StatementOperations();
std::vector<PostOperation> MaintenanceOperations();
std::vector<PostOperation> CorrespondenceOperations();

}  // namespace tool

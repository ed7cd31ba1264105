#include "mail/MailConnection.h"

#include <curl/curl.h>

#include <cctype>
#include <mutex>

#include "base/Text.h"
#include "engine/BlockFile.h"
#include "mail/MailAddress.h"

namespace mail {

namespace {

constexpr char kCompanyEmailCaption[] = "Your Company E-Mail Address";
constexpr char kCompanyEmailText[] =
    "You need to enter your company e-mail address in your company setup so your customers have "
    "a return e-mail address for you.";
constexpr char kHostCaption[] = "Your Company E-Mail Host Server";
constexpr char kHostText[] =
    "You need to enter your company Host Mail Server. This is who will be used to e-mail your "
    "invoices.";
constexpr char kStatusCaption[] = "E-Mail Mode";
constexpr char kStatusText[] = "Checking E-Mail Server...";
constexpr char kNotOnline[] = "Not Online";
constexpr char kConnectionText[] =
    "The connection could not be made or has been terminated. Unable to continue.";

// The server's "service closing" reply: the connection is gone, not just this message.
constexpr int kServiceClosing = 421;

int ReplyCode(std::string_view reply) {
    if (reply.size() < 3) return 0;
    int code = 0;
    for (char c : reply.substr(0, 3)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
        code = code * 10 + (c - '0');
    }
    return code;
}

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

struct MailConnection::Handle {
    CURL* curl = nullptr;
    std::string lastReply;
    // curl ends a transaction at the first refusing reply, then may still say QUIT; the refusal
    // is what explains the failure.
    std::string refusal;
    char error[CURL_ERROR_SIZE] = {};
    std::string upload;
    size_t uploaded = 0;

    ~Handle() {
        if (curl) curl_easy_cleanup(curl);  // says QUIT on an open connection
    }

    // Server replies arrive as incoming header lines.
    static int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* self) {
        if (type != CURLINFO_HEADER_IN) return 0;
        auto* handle = static_cast<Handle*>(self);
        std::string_view line(data, size);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        handle->lastReply = std::string(line);
        if (handle->refusal.empty() && ReplyCode(line) >= 400) handle->refusal = handle->lastReply;
        return 0;
    }

    static size_t OnRead(char* buffer, size_t size, size_t count, void* self) {
        auto* handle = static_cast<Handle*>(self);
        const size_t length = std::min(size * count, handle->upload.size() - handle->uploaded);
        handle->upload.copy(buffer, length, handle->uploaded);
        handle->uploaded += length;
        return length;
    }

    static size_t OnWrite(char*, size_t size, size_t count, void*) { return size * count; }
};

MailConnection::MailConnection(base::PromptService& prompts, const base::Clock& clock,
                               MailStatus status, MailOptions options)
    : prompts_(prompts),
      clock_(clock),
      status_(std::move(status)),
      options_(std::move(options)),
      handle_(std::make_unique<Handle>()) {
    InitCurlOnce();
    CURL* curl = handle_->curl = curl_easy_init();
    if (!curl) return;
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options_.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     static_cast<long>(options_.replyTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(options_.transferTimeout.count()));
    // A transfer that stalls for as long as a reply may take is given up.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(options_.replyTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_NETRC, static_cast<long>(CURL_NETRC_OPTIONAL));
    if (!options_.netrcFile.empty()) {
        curl_easy_setopt(curl, CURLOPT_NETRC_FILE, options_.netrcFile.c_str());
    }
    if (!options_.caBundle.empty()) {
        curl_easy_setopt(curl, CURLOPT_CAINFO, options_.caBundle.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, handle_->error);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &Handle::OnDebug);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, handle_.get());
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &Handle::OnRead);
    curl_easy_setopt(curl, CURLOPT_READDATA, handle_.get());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Handle::OnWrite);
}

MailConnection::~MailConnection() = default;

bool MailConnection::MailCheck(std::string_view companyEmail, std::string_view mailHostSetting) {
    const std::string email = base::Trim(companyEmail);
    if (email.size() < 2 || !IsValidMailAddress(email)) {
        prompts_.Inform(kCompanyEmailCaption, kCompanyEmailText);
        return false;
    }
    const std::string hostText = base::Trim(mailHostSetting);
    const std::optional<MailHost> host =
        hostText.size() < 2 ? std::nullopt : ParseMailHost(hostText);
    if (!host) {
        prompts_.Inform(kHostCaption, kHostText);
        return false;
    }
    if (host != host_) {
        host_ = host;
        connected_ = false;
    }
    if (!connected_) {
        if (status_.show) status_.show(kStatusCaption, kStatusText);
        if (Connect() && status_.hide) status_.hide();
    }
    if (!connected_) {
        prompts_.Inform(engine::kProgramCaption, kNotOnline);
        return false;
    }
    return true;
}

bool MailConnection::Connect() {
    CURL* curl = handle_->curl;
    if (!curl) {
        ConnectionFailed();
        return false;
    }
    curl_easy_setopt(curl, CURLOPT_URL, host_->Url().c_str());
    curl_easy_setopt(curl, CURLOPT_USE_SSL,
                     static_cast<long>(host_->implicitTls ? CURLUSESSL_ALL : CURLUSESSL_TRY));
    // Greeting, EHLO, STARTTLS and login, then a NOOP: the session stays open for the messages.
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, static_cast<curl_slist*>(nullptr));
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "NOOP");
    if (Perform() != CURLE_OK) {
        ConnectionFailed();
        return false;
    }
    connected_ = true;
    return true;
}

SendResult MailConnection::Send(const MailMessage& message) {
    if (!connected_) return {SendOutcome::ConnectionLost, {}};
    MailMessage trimmed = message;
    trimmed.sender = base::Trim(message.sender);
    trimmed.recipient = base::Trim(message.recipient);
    if (!IsValidMailAddress(trimmed.sender) || !IsValidMailAddress(trimmed.recipient)) {
        return {SendOutcome::BadAddress, {}};
    }
    handle_->upload = RenderMessage(trimmed, StampNow(clock_));
    handle_->uploaded = 0;

    const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> recipients(
        curl_slist_append(nullptr, ("<" + trimmed.recipient + ">").c_str()), &curl_slist_free_all);
    CURL* curl = handle_->curl;
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, static_cast<char*>(nullptr));
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, ("<" + trimmed.sender + ">").c_str());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE,
                     static_cast<curl_off_t>(handle_->upload.size()));
    const int code = recipients ? Perform() : CURLE_OUT_OF_MEMORY;
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, static_cast<curl_slist*>(nullptr));
    if (code == CURLE_OK) return {SendOutcome::Accepted, handle_->lastReply};

    // A failed login or a lost, closing or silent server ends the run; any other refusal is
    // this message's alone.
    const int refusal = ReplyCode(handle_->refusal);
    if (refusal != 0 && refusal != kServiceClosing && code != CURLE_LOGIN_DENIED &&
        code != CURLE_OPERATION_TIMEDOUT) {
        return {SendOutcome::Rejected, handle_->refusal};
    }
    std::string what = handle_->error[0] ? handle_->error : handle_->lastReply;
    ConnectionFailed();
    return {SendOutcome::ConnectionLost, std::move(what)};
}

int MailConnection::Perform() {
    handle_->lastReply.clear();
    handle_->refusal.clear();
    handle_->error[0] = '\0';
    return curl_easy_perform(handle_->curl);
}

void MailConnection::ConnectionFailed() {
    connected_ = false;
    if (status_.hide) status_.hide();
    prompts_.Message(engine::kProgramCaption, kConnectionText, base::PromptIcon::Error,
                     base::PromptButtons::Ok);
}

}  // namespace mail

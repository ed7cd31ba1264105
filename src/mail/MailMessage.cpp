#include "mail/MailMessage.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>

#include "base/Windows1252.h"

namespace mail {

namespace {

// The longest line a message may hold, without its CRLF.
constexpr size_t kMaxLineBytes = 998;
// Text bytes per encoded word, so that each word stays within 75 characters.
constexpr size_t kEncodedWordBytes = 45;

constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A header text as one line of printable characters: a run of CR and LF becomes one blank, other
// control characters except tab go.
std::string HeaderText(std::string_view recordText) {
    std::string line;
    bool inBreak = false;
    for (char c : recordText) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r' || c == '\n') {
            if (!inBreak) line += ' ';
            inBreak = true;
            continue;
        }
        inBreak = false;
        if (byte >= 0x20 && byte != 0x7F) line += c;
        if (c == '\t') line += ' ';
    }
    return base::Win1252ToUtf8(line);
}

std::string Base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(group >> 18) & 63];
        out += kDigits[(group >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
    }
    return out;
}

// UTF-8 text as encoded words, each on its own folded header line and never splitting a
// character between two words.
std::string EncodedWords(std::string_view utf8) {
    std::string out;
    while (!utf8.empty()) {
        size_t take = std::min(kEncodedWordBytes, utf8.size());
        while (take < utf8.size() && (static_cast<unsigned char>(utf8[take]) & 0xC0) == 0x80) {
            --take;
        }
        if (!out.empty()) out += "\r\n ";
        out += "=?UTF-8?B?" + Base64(utf8.substr(0, take)) + "?=";
        utf8.remove_prefix(take);
    }
    return out;
}

std::string HeaderValue(std::string_view utf8) {
    return IsAscii(utf8) ? std::string(utf8) : EncodedWords(utf8);
}

std::string QuotedName(std::string_view utf8) {
    if (!IsAscii(utf8)) return EncodedWords(utf8);
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string DateHeader(const MessageStamp& stamp) {
    const base::Date& date = stamp.now.date;
    const std::chrono::year_month_day day{
        std::chrono::year(date.year), std::chrono::month(date.month), std::chrono::day(date.day)};
    const unsigned weekday = std::chrono::weekday(std::chrono::sys_days(day)).c_encoding();
    const int offset = std::abs(stamp.utcOffsetMinutes);
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d",
                  kWeekdays[weekday], date.day, kMonths[date.month - 1], date.year, stamp.now.hour,
                  stamp.now.minute, stamp.now.second, stamp.utcOffsetMinutes < 0 ? '-' : '+',
                  offset / 60, offset % 60);
    return text;
}

std::string MessageId(const MailMessage& message, const MessageStamp& stamp) {
    const size_t at = message.sender.find('@');
    const std::string domain =
        at == std::string::npos ? "localhost" : HeaderText(message.sender.substr(at + 1));
    char time[32];
    std::snprintf(time, sizeof time, "%04d%02d%02d%02d%02d%02d", stamp.now.date.year,
                  stamp.now.date.month, stamp.now.date.day, stamp.now.hour, stamp.now.minute,
                  stamp.now.second);
    return "<" + std::string(time) + "." + stamp.uniqueToken + "@" + domain + ">";
}

// One record line as mail lines: its own line breaks kept, each piece cut to the line limit at
// character boundaries.
void AppendBodyLine(std::string& out, std::string_view recordLine) {
    size_t start = 0;
    while (start <= recordLine.size()) {
        const size_t end = std::min(recordLine.find('\n', start), recordLine.size());
        std::string piece;
        for (char c : recordLine.substr(start, end - start)) {
            if (c != '\r') piece += c;
        }
        const std::string utf8 = base::Win1252ToUtf8(piece);
        std::string_view rest = utf8;
        do {
            size_t take = std::min(kMaxLineBytes, rest.size());
            while (take < rest.size() && (static_cast<unsigned char>(rest[take]) & 0xC0) == 0x80) {
                --take;
            }
            out.append(rest.substr(0, take)).append("\r\n");
            rest.remove_prefix(take);
        } while (!rest.empty());
        start = end + 1;
    }
}

}  // namespace

MessageStamp StampNow(const base::Clock& clock) {
    MessageStamp stamp;
    stamp.now = clock.Now();
    std::tm local{};
    local.tm_year = stamp.now.date.year - 1900;
    local.tm_mon = stamp.now.date.month - 1;
    local.tm_mday = stamp.now.date.day;
    local.tm_hour = stamp.now.hour;
    local.tm_min = stamp.now.minute;
    local.tm_sec = stamp.now.second;
    local.tm_isdst = -1;
    std::tm asUtc = local;
    const std::time_t instant = std::mktime(&local);
    stamp.utcOffsetMinutes = static_cast<int>((timegm(&asUtc) - instant) / 60);

    std::random_device random;
    char token[24];
    std::snprintf(token, sizeof token, "%08x%08x", random(), random());
    stamp.uniqueToken = token;
    return stamp;
}

std::string RenderMessage(const MailMessage& message, const MessageStamp& stamp) {
    const std::string senderName = HeaderText(message.senderName);
    const std::string sender = HeaderText(message.sender);
    std::string from = senderName.empty() ? sender : QuotedName(senderName) + " <" + sender + ">";

    std::string out;
    out += "Date: " + DateHeader(stamp) + "\r\n";
    out += "From: " + from + "\r\n";
    out += "To: " + HeaderText(message.recipient) + "\r\n";
    out += "Subject: " + HeaderValue(HeaderText(message.subject)) + "\r\n";
    out += "Message-ID: " + MessageId(message, stamp) + "\r\n";
    out += "MIME-Version: 1.0\r\n";
    out += "Content-Type: text/plain; charset=UTF-8\r\n";
    out += "Content-Transfer-Encoding: 8bit\r\n";
    out += "\r\n";
    for (const std::string& line : message.body) AppendBodyLine(out, line);
    return out;
}

}  // namespace mail

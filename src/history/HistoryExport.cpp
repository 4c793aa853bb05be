#include "history/HistoryExport.h"

#include "history/ExactAmount.h"

#include <algorithm>

namespace tw {

namespace {

std::string isoMinute(const DateTime& t) {
    std::string text = t.toHistoryString();
    text[10] = 'T';
    return text;
}

// The amounts as the log viewer counts them: the whole bytes the session holds.
std::string whole(double amount) {
    return wholeBytesToString(wholeBytesFromDouble(amount));
}

void addAll(const clsADTDay& day, std::vector<const clsSessionData*>& out) {
    for (const clsSessionData& s : day.getSessions()) {
        out.push_back(&s);
    }
}

void addAll(const clsADTMonth& month, std::vector<const clsSessionData*>& out) {
    for (const clsADTDay& day : month.getDays()) {
        addAll(day, out);
    }
}

void addAll(const clsADTYear& year, std::vector<const clsSessionData*>& out) {
    for (const clsADTMonth& month : year.getMonths()) {
        addAll(month, out);
    }
}

void oldestFirst(std::vector<const clsSessionData*>& sessions) {
    std::stable_sort(sessions.begin(), sessions.end(),
                     [](const clsSessionData* a, const clsSessionData* b) { return a->startDate < b->startDate; });
}

} // namespace

std::optional<ExportFormat> exportFormatFromText(std::string_view text) {
    if (text == "csv") {
        return ExportFormat::Csv;
    }
    if (text == "json") {
        return ExportFormat::Json;
    }
    return std::nullopt;
}

std::string_view exportFileSuffix(ExportFormat format) {
    return format == ExportFormat::Csv ? "csv" : "json";
}

std::vector<const clsSessionData*> sessionsOfPeriod(const clsADT& history, int year, int month, int day) {
    std::vector<const clsSessionData*> sessions;
    if (year == 0) {
        for (const clsADTYear& y : history.getYears()) {
            addAll(y, sessions);
        }
    } else if (month == 0) {
        if (const clsADTYear* y = history.getYear(year)) {
            addAll(*y, sessions);
        }
    } else if (day == 0) {
        if (const clsADTMonth* m = history.getMonth(year, month)) {
            addAll(*m, sessions);
        }
    } else if (const clsADTDay* d = history.getDay(year, month, day)) {
        addAll(*d, sessions);
    }
    oldestFirst(sessions);
    return sessions;
}

std::vector<const clsSessionData*> sessionsBetween(const clsADT& history, const std::optional<DateTime>& from,
                                                   const std::optional<DateTime>& to) {
    std::vector<const clsSessionData*> sessions = sessionsOfPeriod(history);
    std::erase_if(sessions, [&](const clsSessionData* s) {
        const DateTime day = s->startDate.startOfDay();
        return (from && day < from->startOfDay()) || (to && to->startOfDay() < day);
    });
    return sessions;
}

std::string exportSessions(const std::vector<const clsSessionData*>& sessions, ExportFormat format) {
    // Appended piece by piece: a history of a million sessions is some 70 MB of text.
    std::string text;
    text.reserve(64 + sessions.size() * (format == ExportFormat::Csv ? 72 : 150));
    if (format == ExportFormat::Csv) {
        text += "start,stop,received,sent,max download,max upload\r\n";
        for (const clsSessionData* s : sessions) {
            text += isoMinute(s->startDate);
            text += ',';
            if (!s->isCurrent) {
                text += isoMinute(s->stopDate);
            }
            text += ',';
            text += whole(s->downloaded);
            text += ',';
            text += whole(s->uploaded);
            text += ',';
            text += std::to_string(s->maxDownloadSpeed);
            text += ',';
            text += std::to_string(s->maxUploadSpeed);
            text += "\r\n";
        }
        return text;
    }
    WholeBytes received = 0;
    WholeBytes sent = 0;
    text += "{\"sessions\":[";
    for (std::size_t i = 0; i < sessions.size(); ++i) {
        const clsSessionData& s = *sessions[i];
        text += i == 0 ? "\n{\"start\":\"" : ",\n{\"start\":\"";
        text += isoMinute(s.startDate);
        if (s.isCurrent) {
            text += "\",\"stop\":null";
        } else {
            text += "\",\"stop\":\"";
            text += isoMinute(s.stopDate);
            text += '"';
        }
        text += ",\"received\":";
        text += whole(s.downloaded);
        text += ",\"sent\":";
        text += whole(s.uploaded);
        text += ",\"maxDownload\":";
        text += std::to_string(s.maxDownloadSpeed);
        text += ",\"maxUpload\":";
        text += std::to_string(s.maxUploadSpeed);
        text += '}';
        received += wholeBytesFromDouble(s.downloaded);
        sent += wholeBytesFromDouble(s.uploaded);
    }
    text += sessions.empty() ? "]," : "\n],";
    text +=
        "\"total\":{\"received\":" + wholeBytesToString(received) + ",\"sent\":" + wholeBytesToString(sent) + "}}\n";
    return text;
}

} // namespace tw

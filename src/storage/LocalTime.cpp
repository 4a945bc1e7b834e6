#include "storage/LocalTime.h"

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin {

std::int64_t LocalTime::toTime(const LocalDateTime& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1; // let the C library decide
    std::time_t r = std::mktime(&tm);
    return r == std::time_t(-1) && !(t.year == 1969 && t.month == 12 && t.day == 31)
               ? -1
               : std::int64_t(r);
}

LocalDateTime LocalTime::fromTime(std::int64_t t) {
    std::time_t tt = std::time_t(t);
    std::tm tm{};
    LocalDateTime r;
    if (!localtime_r(&tt, &tm)) return r;
    r.year = tm.tm_year + 1900;
    r.month = tm.tm_mon + 1;
    r.day = tm.tm_mday;
    r.hour = tm.tm_hour;
    r.minute = tm.tm_min;
    r.second = tm.tm_sec;
    r.weekday = tm.tm_wday;
    return r;
}

std::string LocalTime::iso(std::int64_t t) {
    return format(t, "%Y-%m-%dT%H:%M:%S");
}

bool LocalTime::parseIso(const std::string& s, std::int64_t& out) {
    // Exact widths only: a scanf-style parse stopped early and silently dropped a time that
    // followed a space, or accepted trailing rubbish.
    auto digits = [&](std::size_t at, std::size_t n, int& v) {
        v = 0;
        for (std::size_t i = at; i < at + n; ++i) {
            if (s[i] < '0' || s[i] > '9') return false;
            v = v * 10 + (s[i] - '0');
        }
        return true;
    };
    LocalDateTime d;
    bool ok = (s.size() == 10 || s.size() == 16 || s.size() == 19) && digits(0, 4, d.year) &&
              s[4] == '-' && digits(5, 2, d.month) && s[7] == '-' && digits(8, 2, d.day);
    if (ok && s.size() > 10)
        ok = (s[10] == 'T' || s[10] == ' ') && digits(11, 2, d.hour) && s[13] == ':' &&
             digits(14, 2, d.minute);
    if (ok && s.size() > 16) ok = s[16] == ':' && digits(17, 2, d.second);
    if (!ok || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 || d.hour > 23 ||
        d.minute > 59 || d.second > 60)
        return false;
    std::int64_t t = toTime(d);
    LocalDateTime back = fromTime(t);
    if (back.day != d.day || back.month != d.month) return false; // 31 April and the like
    out = t;
    return true;
}

std::string LocalTime::format(std::int64_t t, const char* pattern) {
    std::time_t tt = std::time_t(t);
    std::tm tm{};
    if (!localtime_r(&tt, &tm)) return {};
    char buf[256];
    // Each caller's pattern is checked where it is written (the attribute in the header).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::size_t n = std::strftime(buf, sizeof buf, pattern, &tm);
#pragma GCC diagnostic pop
    return std::string(buf, n);
}

namespace {

// A zone file begins with "TZif". Opened without blocking, regular files only.
bool zoneFileReadable(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    char magic[4] = {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::read(fd, magic, 4) == 4 &&
              std::string(magic, 4) == "TZif";
    ::close(fd);
    return ok;
}

// "CET-1CEST,M3.5.0,M10.5.0/3", "<+03>-3", "EST5": a rule written out, which needs no file.
bool isRuleText(const std::string& s) {
    std::size_t i = 0;
    if (!s.empty() && s[0] == '<') {
        i = s.find('>');
        if (i == std::string::npos) return false;
        ++i;
    } else {
        while (i < s.size() && ((s[i] >= 'A' && s[i] <= 'Z') || (s[i] >= 'a' && s[i] <= 'z')))
            ++i;
        if (i < 3) return false;
    }
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    return i < s.size() && s[i] >= '0' && s[i] <= '9';
}

} // namespace

std::string LocalTime::zoneProblem() {
    const char* tz = std::getenv("TZ");
    if (!tz) {
        const char* local = "/etc/localtime";
        struct stat st {};
        if (::stat(local, &st) != 0 || zoneFileReadable(local))
            return {}; // none: the system is on UTC
        return std::string("The time zone data ") + local +
               " cannot be read: dates and times are taken as UTC.";
    }
    std::string name = tz[0] == ':' ? tz + 1 : tz;
    if (name.empty() || name == "UTC" || name == "GMT" || isRuleText(name)) return {};
    std::string path = name;
    if (name[0] != '/') {
        const char* dir = std::getenv("TZDIR");
        path = std::string(dir && *dir ? dir : "/usr/share/zoneinfo") + "/" + name;
    }
    if (zoneFileReadable(path)) return {};
    return "The time zone data for " + name + " (" + path +
           ") cannot be read: dates and times are taken as UTC.";
}

} // namespace tavrin

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "Internal.h"
#include "runtime/Convert.h"
#include "runtime/Error.h"

namespace rt {

namespace {

constexpr std::int64_t kEpochOffset = 25569;  // 1970-01-01 as a serial
// The classic date range: 100-01-01 to 9999-12-31.
constexpr double kMinSerial = -657434.0;
constexpr double kMaxSerial = 2958466.0;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = floorDiv(y, 400);
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
}

int daysInMonth(int y, int m) {
    static const int dim[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) return 29;
    return dim[m - 1];
}

// Whole days and seconds of the day of a serial (the fraction is the time of
// day also for serials before 1899-12-30: -1.25 is 1899-12-29 06:00).
void split(double serial, std::int64_t& days, std::int64_t& secs) {
    if (!std::isfinite(serial) || serial <= kMinSerial - 1 || serial >= kMaxSerial) throw overflowError();
    days = static_cast<std::int64_t>(std::trunc(serial));
    secs = std::llround(std::fabs(serial - static_cast<double>(days)) * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        days += serial < 0 ? -1 : 1;
    }
}

std::string two(int v) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", v);
    return b;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads 1..maxDigits digits at s[i]; false if none.
bool readInt(std::string_view s, std::size_t& i, int maxDigits, int& value, int& count) {
    value = 0;
    count = 0;
    while (i < s.size() && isDigit(s[i]) && count < maxDigits) {
        value = value * 10 + (s[i] - '0');
        ++i;
        ++count;
    }
    return count > 0 && !(i < s.size() && isDigit(s[i]));
}

// "H:mm[:ss]" (the whole text); serial fraction or nullopt.
std::optional<double> parseTime(std::string_view s) {
    std::size_t i = 0;
    int h, mi, se = 0, n;
    if (!readInt(s, i, 2, h, n) || i >= s.size() || s[i] != ':') return std::nullopt;
    ++i;
    if (!readInt(s, i, 2, mi, n)) return std::nullopt;
    if (i < s.size()) {
        if (s[i] != ':') return std::nullopt;
        ++i;
        if (!readInt(s, i, 2, se, n)) return std::nullopt;
    }
    if (i != s.size() || h > 23 || mi > 59 || se > 59) return std::nullopt;
    return timeSerial(h, mi, se);
}

} // namespace

namespace detail {

std::string timeText(double serial) {
    std::int64_t days, secs;
    split(serial, days, secs);
    const int s = static_cast<int>(secs);
    return two(s / 3600) + ":" + two(s / 60 % 60) + ":" + two(s % 60);
}

bool hasTime(double serial) {
    std::int64_t days, secs;
    split(serial, days, secs);
    return secs != 0;
}

bool hasDate(double serial) {
    std::int64_t days, secs;
    split(serial, days, secs);
    return days != 0;
}

} // namespace detail

double dateSerial(int year, int month, int day) {
    const std::int64_t m0 = static_cast<std::int64_t>(month) - 1;
    const std::int64_t y = year + floorDiv(m0, 12);
    const unsigned m = static_cast<unsigned>(m0 - floorDiv(m0, 12) * 12) + 1;
    const std::int64_t days = daysFromCivil(y, m, 1) + (static_cast<std::int64_t>(day) - 1);
    return static_cast<double>(days + kEpochOffset);
}

double timeSerial(int hour, int minute, int second) {
    const double secs = static_cast<double>(hour) * 3600.0 + static_cast<double>(minute) * 60.0 + second;
    return secs / 86400.0;
}

DateParts dateParts(double serial) {
    std::int64_t days, secs;
    split(serial, days, secs);
    DateParts p{};
    civilFromDays(days - kEpochOffset, p.year, p.month, p.day);
    p.hour = static_cast<int>(secs / 3600);
    p.minute = static_cast<int>(secs / 60 % 60);
    p.second = static_cast<int>(secs % 60);
    return p;
}

std::string shortDateText(double serial, const Regional& r) {
    const DateParts p = dateParts(serial);
    const std::string& f = r.shortDate;
    std::string out;
    for (std::size_t i = 0; i < f.size();) {
        const char c = f[i];
        std::size_t n = 1;
        while (i + n < f.size() && f[i + n] == c) ++n;
        if (c == 'd') {
            out += n >= 2 ? two(p.day) : std::to_string(p.day);
        } else if (c == 'M') {
            out += n >= 2 ? two(p.month) : std::to_string(p.month);
        } else if (c == 'y') {
            if (n <= 2) {
                out += two(p.year % 100);
            } else {
                char b[16];
                std::snprintf(b, sizeof b, "%04d", p.year);
                out += b;
            }
        } else {
            out.append(n, c);
        }
        i += n;
    }
    return out;
}

std::optional<double> parseDate(std::string_view s, const Regional& r) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (s.empty()) return std::nullopt;

    std::string_view datePart = s, timePart;
    const std::size_t blank = s.find_first_of(" T");
    if (blank != std::string_view::npos) {
        datePart = s.substr(0, blank);
        timePart = s.substr(blank + 1);
        while (!timePart.empty() && timePart.front() == ' ') timePart.remove_prefix(1);
        if (timePart.empty()) return std::nullopt;
    } else if (s.find(':') != std::string_view::npos) {
        return parseTime(s);  // a time alone
    }

    // Three digit groups split by ".", "/" or "-".
    int g[3], cnt[3];
    char seps[2] = {0, 0};
    std::size_t i = 0;
    for (int k = 0; k < 3; ++k) {
        if (!readInt(datePart, i, 4, g[k], cnt[k])) return std::nullopt;
        if (k < 2) {
            if (i >= datePart.size()) return std::nullopt;
            seps[k] = datePart[i];
            if (seps[k] != '.' && seps[k] != '/' && seps[k] != '-') return std::nullopt;
            ++i;
        }
    }
    // An optional trailing separator as in "yyyy.MM.dd.".
    if (i + 1 == datePart.size() && !r.shortDate.empty() && datePart[i] == r.shortDate.back()) ++i;
    if (i != datePart.size()) return std::nullopt;

    int y, m, d, yc;
    if (cnt[0] == 4 && seps[0] == '-' && seps[1] == '-') {  // ISO
        y = g[0], m = g[1], d = g[2], yc = cnt[0];
        if (cnt[1] > 2 || cnt[2] > 2) return std::nullopt;
    } else {
        // Order of day, month and year as the short date form has them.
        const std::size_t pd = r.shortDate.find('d'), pm = r.shortDate.find('M'), py = r.shortDate.find('y');
        if (pd == std::string::npos || pm == std::string::npos || py == std::string::npos) return std::nullopt;
        auto rank = [&](std::size_t p) { return (p > pd) + (p > pm) + (p > py); };
        const int id = rank(pd), im = rank(pm), iy = rank(py);
        if (cnt[id] > 2 || cnt[im] > 2) return std::nullopt;
        y = g[iy], m = g[im], d = g[id], yc = cnt[iy];
    }
    if (yc <= 2) y += y < 30 ? 2000 : 1900;
    if (y < 100 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return std::nullopt;
    double serial = dateSerial(y, m, d);
    if (!timePart.empty()) {
        const auto t = parseTime(timePart);
        if (!t) return std::nullopt;
        serial += *t;
    }
    return serial;
}

} // namespace rt

// platform/base/ole_date_time.h: a calendar date and time of day with a status, as record change
// stamps and query results carry it.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

class COleDateTime {
public:
    enum DateTimeStatus : std::uint8_t { valid = 0, invalid = 1, null = 2 };

    /// A value with status null: no date.
    COleDateTime() = default;
    /// As SetDateTime.
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    /// The local date and time now (from LocalNow, which tests can set).
    static COleDateTime GetCurrentTime();

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }

    /// Gregorian years 100 to 9999; the time is midnight. 0 on success; 1 when a part is out of
    /// range, which leaves the value invalid.
    int SetDate(int year, int month, int day);
    /// As SetDate, with hour 0 to 23, minute and second 0 to 59.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);

    // The parts of a valid value; -1 when the value is not valid.
    int GetYear() const { return Part(m_year); }
    int GetMonth() const { return Part(m_month); }
    int GetDay() const { return Part(m_day); }
    int GetHour() const { return Part(m_hour); }
    int GetMinute() const { return Part(m_minute); }
    int GetSecond() const { return Part(m_second); }
    /// 1 for Sunday to 7 for Saturday.
    int GetDayOfWeek() const;

    /// strftime-like, with English names from our own tables: %A %a weekday, %B %b month,
    /// %d day, %m month, %Y %y year, %H %M %S time, %% a percent sign. Other text is copied.
    /// Empty for a value that is not valid.
    std::string Format(std::string_view format) const;

    /// Two valid values compare by date and time. A value that is not valid sorts before every
    /// valid one (null before invalid) and equals another of its status.
    std::strong_ordering operator<=>(const COleDateTime& other) const;
    bool operator==(const COleDateTime& other) const { return (*this <=> other) == 0; }

private:
    int Part(int value) const { return m_status == valid ? value : -1; }

    // Eight bytes: every record carries a change stamp, and a file can hold millions.
    std::int16_t m_year = 0;
    DateTimeStatus m_status = null;
    std::uint8_t m_month = 0, m_day = 0, m_hour = 0, m_minute = 0, m_second = 0;
};

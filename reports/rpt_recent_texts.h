// reports/rpt_recent_texts.h: the texts a pass made lately for records, kept in a fixed table so
// that a record reached again (a branch of a tree met along many lines) is not formatted again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// Texts by record, each record in one place of a fixed table: a record met again finds its text
/// unless a record of the same place came in between. A pass over a million different records
/// costs a look-up per record and no memory beyond the table, whose places keep their storage.
class CRptRecentTexts {
public:
    /// The text kept for record (null is a record like any other), made by make (a callable filling
    /// a std::string) when there is none. Valid until the next call.
    template <class Make> const std::string& Get(const void* record, Make&& make)
    {
        if (m_places.empty())
            m_places.resize(kPlaces);
        Place& place = m_places[Index(record)];
        if (!place.used || place.record != record) {
            place.used = false;
            place.text.clear();
            make(place.text);
            place.record = record;
            place.used = true;
        }
        return place.text;
    }

private:
    static constexpr int kBits = 16;
    static constexpr std::size_t kPlaces = std::size_t(1) << kBits;

    struct Place {
        const void* record = nullptr;
        bool used = false;
        std::string text;
    };

    static std::size_t Index(const void* record)
    {
        // Records are allocated apart: the low bits say little, a multiply mixes the rest in.
        const auto bits = std::uint64_t(reinterpret_cast<std::uintptr_t>(record));
        return std::size_t((bits * 0x9E3779B97F4A7C15ULL) >> (64 - kBits));
    }

    std::vector<Place> m_places;
};

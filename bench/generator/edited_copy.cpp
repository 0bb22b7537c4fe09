// bench/generator/edited_copy.cpp: the edited copy of a generated file.
#include "bench/generator/edited_copy.h"

#include "bench/generator/random_stream.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

/// What happens to one individual.
enum class Fate { Kept, Edited, Removed, Copied };

/// The number of an identifier "@I123@"; 0 for any other text.
std::uint64_t IndividualNumber(const std::string& xref)
{
    if (xref.size() < 4 || xref.rfind("@I", 0) != 0 || xref.back() != '@')
        return 0;
    std::uint64_t number = 0;
    for (std::size_t i = 2; i + 1 < xref.size(); ++i) {
        if (xref[i] < '0' || xref[i] > '9')
            return 0;
        number = number * 10 + std::uint64_t(xref[i] - '0');
    }
    return number;
}

Fate FateOf(std::uint64_t seed, std::uint64_t number, CRandomStream& stream)
{
    stream = CRandomStream::ForRecord(seed, 'E', number);
    const std::int32_t draw = stream.Below(100);
    if (draw < 5)
        return Fate::Edited;
    if (draw == 5)
        return Fate::Removed;
    if (draw == 6)
        return Fate::Copied;
    return Fate::Kept;
}

/// Moves the last number of a date line (its year) by delta.
std::string MoveYear(const std::string& line, int delta)
{
    std::size_t end = line.size();
    while (end > 0 && (line[end - 1] < '0' || line[end - 1] > '9'))
        --end;
    std::size_t start = end;
    while (start > 0 && line[start - 1] >= '0' && line[start - 1] <= '9')
        --start;
    if (start == end)
        return line;
    const int year = std::stoi(line.substr(start, end - start));
    return line.substr(0, start) + std::to_string(year + delta) + line.substr(end);
}

/// An individual's lines edited one way, chosen from its stream.
void Edit(std::vector<std::string>& lines, CRandomStream& stream)
{
    switch (stream.Below(4)) {
    case 0: // another given name
        for (std::string& line : lines) {
            if (line.rfind("1 NAME ", 0) == 0) {
                line.insert(7, "Edited ");
                return;
            }
        }
        return;
    case 1: { // the birth year moved a little
        bool inBirth = false;
        for (std::string& line : lines) {
            if (line.rfind("1 ", 0) == 0)
                inBirth = line == "1 BIRT";
            else if (inBirth && line.rfind("2 DATE ", 0) == 0) {
                line = MoveYear(line, stream.Between(1, 3));
                return;
            }
        }
        return;
    }
    case 2: // an occupation added
        lines.insert(lines.begin() + 1, "1 OCCU Merchant");
        return;
    default: { // the death left out
        std::vector<std::string> kept;
        bool inDeath = false;
        for (const std::string& line : lines) {
            if (line[0] == '1')
                inDeath = line == "1 DEAT";
            if (!inDeath)
                kept.push_back(line);
        }
        lines = std::move(kept);
        return;
    }
    }
}

/// A namesake of an individual under a new identifier: the same lines without its family links,
/// its birth years moved.
std::vector<std::string> Namesake(const std::vector<std::string>& lines, std::uint64_t number)
{
    std::vector<std::string> copy{"0 @I" + std::to_string(number) + "@ INDI"};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].rfind("1 FAMC", 0) == 0 || lines[i].rfind("1 FAMS", 0) == 0)
            continue;
        copy.push_back(lines[i].rfind("2 DATE ", 0) == 0 ? MoveYear(lines[i], 4) : lines[i]);
    }
    return copy;
}

} // namespace

CEditedCopyCounts WriteEditedCopy(std::istream& in, std::ostream& out, std::uint64_t seed)
{
    CEditedCopyCounts counts;
    std::vector<std::string> record;
    std::vector<std::string> added;
    std::unordered_set<std::string> removed;
    std::uint64_t highest = 0;
    CRandomStream stream(seed);
    const auto flush = [&] {
        if (record.empty())
            return;
        const std::size_t space = record[0].find(' ', 2);
        const std::string xref = space == std::string::npos ? "" : record[0].substr(2, space - 2);
        const std::uint64_t number = IndividualNumber(xref);
        if (number > 0) {
            ++counts.individuals;
            highest = std::max(highest, number);
            switch (FateOf(seed, number, stream)) {
            case Fate::Edited:
                Edit(record, stream);
                ++counts.edited;
                break;
            case Fate::Removed:
                removed.insert(xref);
                ++counts.removed;
                record.clear();
                return;
            case Fate::Copied: {
                const auto copy = Namesake(record, 0);
                added.insert(added.end(), copy.begin(), copy.end());
                ++counts.added;
                break;
            }
            case Fate::Kept:
                break;
            }
        }
        for (const std::string& line : record) {
            // A family line naming a removed individual goes with it; individuals come before
            // families in a generated file.
            const std::size_t at = line.find(" @");
            if (line[0] == '1' && at != std::string::npos && removed.count(line.substr(at + 1)))
                continue;
            out << line << "\r\n";
        }
        record.clear();
    };
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("0 ", 0) == 0)
            flush();
        if (line == "0 TRLR") {
            // The namesakes take numbers after the highest individual's.
            for (std::string& addedLine : added) {
                if (addedLine == "0 @I0@ INDI")
                    addedLine = "0 @I" + std::to_string(++highest) + "@ INDI";
                out << addedLine << "\r\n";
            }
            out << line << "\r\n";
            continue;
        }
        record.push_back(line);
    }
    flush();
    return counts;
}

std::optional<CEditedCopyCounts> WriteEditedCopyFile(const std::string& original,
                                                     const std::string& path, std::uint64_t seed)
{
    std::ifstream in(original, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return std::nullopt;
    const CEditedCopyCounts counts = WriteEditedCopy(in, out, seed);
    out.close();
    if (!out || in.bad())
        return std::nullopt;
    return counts;
}

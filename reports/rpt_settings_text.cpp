// reports/rpt_settings_text.cpp: text forms of the report settings' compound values.
#include "reports/rpt_settings_text.h"

#include "common/quoted_text.h"
#include "platform/base/text.h"

#include <algorithm>
#include <climits>

namespace {

constexpr const char* kPositionCodes[] = {"RL", "TL", "TC", "TR", "SR"};
constexpr char kSizeLetters[] = {'S', 'M', 'L'};

int ToInt(long value)
{
    return int(std::clamp(value, long(INT_MIN), long(INT_MAX)));
}

/// The number after the next comma from position on; position moves past it. False when no
/// comma follows.
bool NextNumber(std::string_view text, std::size_t& position, int& value)
{
    const std::size_t comma = text.find(',', position);
    if (comma == std::string_view::npos)
        return false;
    std::size_t used = 0;
    value = ToInt(text::ParseLeadingInt(text.substr(comma + 1), &used));
    position = comma + 1 + used;
    return true;
}

std::size_t SkipOpening(std::string_view text)
{
    std::size_t position = 0;
    while (position < text.size() && text::IsSpace(text[position]))
        ++position;
    if (position < text.size() && text[position] == '{')
        ++position;
    return position;
}

int ShowDigit(char c)
{
    return c >= '0' && c <= '2' ? c - '0' : -1;
}

} // namespace

std::string PicOptsToText(const CRptPicOpts& options)
{
    const char* code = kPositionCodes[std::clamp(options.m_position, 0, 4)];
    if (options.m_size == CRptPicOpts::kCustom)
        return text::Format("{%s,C,%d,%d}", code, options.m_width, options.m_height);
    return text::Format("{%s,%c}", code, kSizeLetters[std::clamp(options.m_size, 0, 2)]);
}

CRptPicOpts ParsePicOpts(std::string_view text)
{
    CRptPicOpts options;
    std::size_t position = SkipOpening(text);
    const std::string_view rest = text.substr(position);
    if (rest.starts_with("RL"))
        options.m_position = CRptPicOpts::kRows;
    else if (rest.starts_with("TL"))
        options.m_position = CRptPicOpts::kAboveLeft;
    else if (rest.starts_with("TC"))
        options.m_position = CRptPicOpts::kAboveCentre;
    else if (rest.starts_with("TR"))
        options.m_position = CRptPicOpts::kAboveRight;
    else
        options.m_position = CRptPicOpts::kRight;
    const std::size_t comma = text.find(',', position);
    const char size =
        comma == std::string_view::npos || comma + 1 >= text.size() ? '\0' : text[comma + 1];
    switch (size) {
    case 'S':
        options.m_size = CRptPicOpts::kSmall;
        break;
    case 'L':
        options.m_size = CRptPicOpts::kLarge;
        break;
    case 'C':
        options.m_size = CRptPicOpts::kCustom;
        position = comma + 1;
        if (NextNumber(text, position, options.m_width))
            NextNumber(text, position, options.m_height);
        break;
    default:
        options.m_size = CRptPicOpts::kMedium;
        break;
    }
    return options;
}

std::string PicGapsToText(const CRptPicGaps& gaps)
{
    return text::Format("{%d,%d,%d,%d,%d}", gaps.m_left, gaps.m_above, gaps.m_right, gaps.m_below,
                        gaps.m_caption);
}

CRptPicGaps ParsePicGaps(std::string_view text, const CRptPicGaps& defaults)
{
    CRptPicGaps gaps = defaults;
    int* const values[] = {&gaps.m_left, &gaps.m_above, &gaps.m_right, &gaps.m_below,
                           &gaps.m_caption};
    std::string_view rest = text.substr(SkipOpening(text));
    for (int* value : values) {
        std::size_t used = 0;
        const long number = text::ParseLeadingInt(rest, &used);
        if (used == 0)
            break;
        *value = std::max(ToInt(number), 0);
        rest.remove_prefix(used);
        if (rest.empty() || rest.front() != ',')
            break;
        rest.remove_prefix(1);
    }
    return gaps;
}

std::string RptItemToText(const CRptItem& item)
{
    const int show = item.m_show == 1 || item.m_show == 2 ? item.m_show : 0;
    if (item.m_index >= 0)
        return text::Format("S%d,%d", show, item.m_index);
    return text::Format("C%d,%s,%s", show, QuoteString(DoubleChar(item.m_label, '"'), true),
                        QuoteString(DoubleChar(item.m_expression.GetText(), '"'), true));
}

bool ParseRptItem(std::string_view text, CRptItem& item)
{
    if (text.size() < 3 || (text[0] != 'S' && text[0] != 'C') || text[2] != ',')
        return false;
    const int show = ShowDigit(text[1]);
    if (show < 0)
        return false;
    if (text[0] == 'S') {
        long index = 0;
        if (!text::ParseInt(text.substr(3), index) || index < 0 || index > INT_MAX)
            return false;
        item = CRptItem{};
        item.m_index = int(index);
        item.m_show = show;
        return true;
    }
    std::size_t position = 3;
    std::string label, expression;
    if (!ParseQuotedString(text, position, label) || position >= text.size() ||
        text[position] != ',')
        return false;
    ++position;
    if (!ParseQuotedString(text, position, expression) ||
        !text::TrimView(text.substr(position)).empty())
        return false;
    item = CRptItem{};
    item.m_label = std::move(label);
    item.m_expression.SetText(expression);
    item.m_show = show;
    return true;
}

std::string EventEntryToText(const CEventListEntry& entry)
{
    if (entry.m_fieldId > 0)
        return text::Format("S:%d", entry.m_fieldId);
    if (entry.m_customName.empty() || (entry.m_customKind != 1 && entry.m_customKind != 2))
        return {};
    return (entry.m_customKind == 1 ? "CE:" : "CA:") + entry.m_customName;
}

bool ParseEventEntry(std::string_view text, CEventListEntry& entry)
{
    if (text.starts_with("S:")) {
        long id = 0;
        if (!text::ParseInt(text.substr(2), id) || id <= 0 || id > INT_MAX)
            return false;
        entry = CEventListEntry{int(id), {}, 0};
        return true;
    }
    const bool event = text.starts_with("CE:");
    if ((!event && !text.starts_with("CA:")) || text.size() == 3)
        return false;
    entry = CEventListEntry{0, std::string(text.substr(3)), event ? 1 : 2};
    return true;
}
